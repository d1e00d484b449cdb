"""First use: no config.ini.  Welcome box, question box, the configuration
window; no tray icon and no request until Save; Save writes the file, starts
the refresh cycle, colours the frames and puts up the tray icon."""
import time

from lib.session import now
from scenarios import common as c

EXPECTED_FILE = b"CityId=101010100\r\nMaxTemperature=30\r\nMinTemperature=0\r\nOpaque=0"


def run(s):
    s.set_answers([{"kind": "reading", "temp": "9", "WD": "东南风", "WS": "2级"}])
    s.start_korvane()

    _, text, buttons = s.message_box("第一次使用", timeout=60)
    s.require(text is not None, "welcome box captioned 第一次使用 appears")
    s.check(text.startswith("欢迎使用我，我将您的系统主题颜色根据你所处的城市温度自动变化颜色！"),
            f"welcome text: {text!r}")
    s.screenshot("welcome")
    s.press("第一次使用", "ok")

    _, text, buttons = s.message_box("询问", timeout=30)
    s.require(text is not None, "question box captioned 询问 appears")
    s.check(text == "是否将我设置为开机自动启动呢？", f"question text: {text!r}")
    s.check({b[0] for b in buttons} >= {6, 7}, f"question has Yes and No: {buttons}")
    s.press("询问", "no")

    s.require(s.wait_window(c.CONFIG_CAPTION, 30) is not None, "configuration window visible")
    time.sleep(1)
    s.screenshot("config-window")
    ctl = s.controls(c.CONFIG_CAPTION)
    edits = sorted([x for x in ctl if x["class"].lower() == "edit" and x["direct"]], key=lambda x: x["top"])
    s.check([e["text"] for e in edits] == ["0", "40"], f"bounds prefilled 0 and 40: {[e['text'] for e in edits]}")
    glass = [x for x in ctl if x["text"] == "启用透明毛玻璃效果"]
    s.check(bool(glass) and glass[0].get("checked") == 1, "glass box ticked")
    s.check(not c.tray_icon_present(s), "no tray icon before Save")
    time.sleep(2)
    s.check(s.requests() == [], "no request before Save")
    s.check(s.colorizations() == [], "no colorization before Save")

    c.fill_config(s, "北京", "0", "30")
    time.sleep(0.5)
    t_save = now()
    c.save_config(s)
    s.check(s.window_gone(c.CONFIG_CAPTION, 10), "configuration window hidden after Save")
    s.check(s.read_config() == EXPECTED_FILE, f"config.ini bytes: {s.read_config()!r}")

    reqs = c.wait_for(s.requests, 10)
    s.require(bool(reqs), "a request arrives after Save")
    r = reqs[0]
    delay = r["t"] - t_save
    s.check(0.5 <= delay <= 4.0, f"first request {delay:.2f} s after Save (about 1 s)")
    s.check(r["request_line"] == "GET /data/sk/101010100.html HTTP/1.0", f"request line {r['request_line']!r}")
    s.check(r["headers"].get("Host") == "www.weather.com.cn", f"Host {r['headers'].get('Host')!r}")
    s.check(r["headers"].get("User-Agent") == "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)",
            f"User-Agent {r['headers'].get('User-Agent')!r}")
    s.check(r["headers"].get("Accept", "").replace(" ", "") == "*/*",
            f"Accept {r['headers'].get('Accept')!r}")
    s.check(not any(h.lower() in ("if-modified-since", "if-none-match", "cookie") for h in r["headers"]),
            f"no validators or cookies: {sorted(r['headers'])}")

    cols = c.wait_for(s.colorizations, 5)
    want = c.expected_colour(9, 0, 30)
    s.check(bool(cols) and c.colour_of(cols[0]) == want,
            f"colorization 0x{want:08X} recorded: {[x['hex'] for x in cols[:3]]}")
    if cols:
        f = cols[0]["fields"]
        s.check(f[1] == f[0] and f[2:] == [54, 12, 34, 50, 0] and cols[0]["arg2"] == 0,
                f"record fields {cols[0]['hex']} arg2 {cols[0]['arg2']}")
    s.check(c.wait_tray(s, True, 10), "tray icon present after Save")
    s.screenshot("after-save")
