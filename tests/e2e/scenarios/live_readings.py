"""Live readings. The service's document answers its frozen reading while the live document
answers changing ones: the frames and the tip follow the live ones, the service's document is
not asked, and a live "暂无" changes nothing; the live document is asked with the service's
Referer and a `_=` time stamp, at most once a minute. Refused (403), then unreachable, then
answering 999 at start, the live document leaves the service's document asked in the same
refresh and every 4 s after, with today's bytes, and its reading applied. Neither document
leaves anything in WinINet's cache."""
import os
import re
import time

from lib.session import now
from scenarios import common as c
from scenarios.everyday import tray_tips
from scenarios.tray_menu import choose

LOW, HIGH = -10, 30
L1 = {"kind": "live", "temp": "3.4", "WD": "西北风", "WS": "2级"}
L2 = {"kind": "live", "temp": "12.8", "WD": "东风", "WS": "3级"}
FROZEN = {"temp": "27.9", "WD": "南风", "WS": "小于3级"}
# The request line and the headers in the order they come today.
SERVICE_REQUEST = ("GET /data/sk/101010100.html HTTP/1.0", [("Host", "www.weather.com.cn"),
                   ("User-Agent", "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)"), ("Accept", "*/*")])
LIVE_LINE = re.compile(r"GET /sk_2d/101010100\.html\?_=(\d{13}) HTTP/1\.1")


def colour(reading):
    return c.expected_colour(int(float(reading["temp"])), LOW, HIGH)


def tip(reading):
    return [f"当前 {int(float(reading['temp']))}℃ {reading['WD']}{reading['WS']}"]


def colours_since(s, t):
    return [c.colour_of(x) for x in s.colorizations() if x["t"] > t]


def since(requests, t):
    return [r for r in requests if r["t"] > t]


def follows_live(s):
    s.serve_live([L1, dict(L1, temp="暂无"), L2])
    s.start_korvane()
    s.require(c.wait_for(s.colorizations, 30) and c.wait_tray(s, True, 10), "running, coloured, icon shown")
    s.check(set(colours_since(s, 0)) == {colour(L1)}, f"the first live reading's colour ({hex(colours_since(s, 0)[0])})")
    s.check(tray_tips(s) == tip(L1), "and its tip")
    second = c.wait_for(lambda: s.live_requests()[1:2], 75)
    if not s.check(bool(second), "the live document is asked again"):
        return
    s.check(c.wait_for(lambda: colours_since(s, second[0]["t"]), 6) and
            set(colours_since(s, second[0]["t"])) == {colour(L1)}, "a live 暂无 changes no colour")
    s.check(tray_tips(s) == tip(L1), "nor the tip")
    third = c.wait_for(lambda: s.live_requests()[2:3], 75)
    if not s.check(bool(third), "and a third time"):
        return
    s.check(c.wait_for(lambda: colours_since(s, third[0]["t"])[-1:] == [colour(L2)], 6),
            f"the next live reading's colour ({[hex(x) for x in colours_since(s, third[0]['t'])[-2:]]})")
    s.check(tray_tips(s) == tip(L2), "and its tip")
    s.check(not s.requests(), f"the service's document is not asked ({len(s.requests())} requests)")
    gaps = [round(b["t"] - a["t"], 1) for a, b in zip(s.live_requests(), s.live_requests()[1:])]
    s.check(min(gaps) >= 55, f"live requests at least 55 s apart: {gaps}")


def falls_back(s, live_answer, step):
    """The program started anew with the live document answering one way."""
    choose(s, "退出")
    s.require(s.wait_exit(s.korvane, 15) == 0, "退出 ends the run")
    s.serve_live([live_answer])
    s.korvane = s.start_korvane()
    t = s.t_start
    asked = c.wait_for(lambda: len(since(s.requests(), t)) >= 3 and since(s.requests(), t), 15)
    s.require(bool(asked), f"{step}: the service's document is asked three times")
    live = since(s.live_requests(), t)
    s.check(len(live) == 1 and live[0]["kind"] == live_answer["kind"] and 0 < asked[0]["t"] - live[0]["t"] < 1,
            f"{step}: the live document once, first, the service's in the same refresh ({len(live)} live)")
    gaps = [round(b["t"] - a["t"], 1) for a, b in zip(asked, asked[1:])]
    s.check(all(3 <= g <= 5 for g in gaps), f"{step}: every 4 s: {gaps}")
    s.check(all((r["request_line"], list(r["headers"].items())) == SERVICE_REQUEST for r in asked),
            f"{step}: today's request ({asked[-1]['request_line']!r}, {asked[-1]['headers']})")
    s.check(set(colours_since(s, t)) == {colour(FROZEN)}, f"{step}: its reading's colour only")


def nothing_cached(s):
    """WinINet keeps its cache (index.dat naming every URL, and the bodies) under
    AppData\\Local\\Microsoft\\Windows\\INetCache\\Content.IE5 of the prefix's user."""
    users = os.path.join(s.prefix, "drive_c", "users")
    found = []
    for user in os.listdir(users):
        for folder, _, names in os.walk(os.path.join(users, user, "AppData")):
            for name in names:
                with open(os.path.join(folder, name), "rb") as f:
                    if name.startswith("101010100") or b"weather.com.cn" in f.read():
                        found.append(os.path.join(folder, name))
    s.check(not found, f"nothing of either document in WinINet's cache: {found}")


def run(s):
    s.write_config(low=str(LOW), high=str(HIGH))
    s.set_answers([dict(FROZEN, kind="frozen")])
    follows_live(s)
    for answer, step in (({"kind": "forbidden"}, "403"), ({"kind": "refused"}, "unreachable"),
                         ({"kind": "live-999"}, "999")):
        falls_back(s, answer, step)
        if step == "403":
            s.check(tray_tips(s) == tip(FROZEN), "403: the service's reading in the tip")
    choose(s, "退出")
    s.check(s.wait_exit(s.korvane, 15) == 0, "退出 ends the program")
    live = [r for r in s.live_requests() if r.get("request_line")]
    stamps = [LIVE_LINE.fullmatch(r["request_line"]) for r in live]
    s.check(bool(live) and all(stamps) and all(abs(int(m[1]) / 1000 - (time.time() - now() + r["t"])) < 5
                                for m, r in zip(stamps, live)),
            f"live requests carry the time in ms: {[r['request_line'] for r in live]}")
    s.check(bool(live) and all(r["headers"].get("Referer") == "http://www.weather.com.cn/" and
                r["headers"].get("Host") == "d1.weather.com.cn" and
                r["headers"].get("User-Agent", "").startswith("Mozilla/5.0") for r in live),
            f"live requests carry the Referer, Host and a browser's User-Agent: {[r['headers'] for r in live]}")
    nothing_cached(s)
