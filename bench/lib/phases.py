"""The measured phases of one run, the same timeline for Korvane.exe and the floor:
start-up (time to the tray icon, memory 8 s after start), 60 s of normal operation,
three 100-step colour transitions (the floor: an idle window as long as Korvane's), and
running on until the given number of refreshes (the floor: as long as Korvane ran).
The floor with Korvane's libraries only goes through start-up."""
import time

import procstat
from scenarios import common
from world import now

STARTUP_SAMPLE_S = 8
NORMAL_FROM_S, NORMAL_TO_S = 10, 70
TREND_EVERY_S = 20
# With these bounds a reading's temperature is its scale position.
LOW, HIGH = 0, 100
STEPS = 100
# The long phase alternates unchanged readings (direct colour) with one-unit moves (one step).
CYCLE = [100, 100, 99, 99]


def reading(temp):
    return {"kind": "reading", "temp": str(temp)}


def wait_for(cond, timeout, step=0.01):
    # The suite's poll, at a finer step: start-up times are measured with it.
    return common.wait_for(cond, timeout, step)


def cpu_series(s, until_s, every_s=0.25):
    """The program's processor seconds every quarter second until `until_s` after start, so
    that each refresh's cost can be told apart from the machine's occasional stalls."""
    series = []
    while now() < s.t_start + until_s:
        series.append([now(), procstat.cpu_seconds(s.pid)])
        time.sleep(every_s)
    return series


def startup(s, res, quick=False):
    def probe_done():
        lines = s.probe_lines()
        return lines if "changed" in lines or "timeout" in lines else None
    lines = wait_for(probe_done, 70, 0.05) or {}
    if "changed" in lines:
        res["tray_s"] = float(lines["changed"]) - s.t_start
    s.sleep_until(STARTUP_SAMPLE_S)
    res["startup"] = s.sample("startup")
    if quick:
        return
    s.sleep_until(NORMAL_FROM_S)
    begin = s.sample("normal-begin")
    res["normal_series"] = cpu_series(s, NORMAL_TO_S)
    res["normal"] = [begin, s.sample("normal-end")]


def transition(s, res, match):
    """Three 100-step transitions (up, down, up) for a steadier reading of a short window."""
    res["transitions"] = []
    if s.cfg["role"] != "korvane":
        begin = s.sample("transition-begin")
        time.sleep(match.get("transition_s", 3 * 5.3))
        res["transitions"].append([begin, s.sample("transition-end")])
        return
    since = res["normal"][1]["t"]
    for temp in (HIGH, LOW, HIGH):
        s.set_answers([reading(temp)])
        req = wait_for(lambda: next((r for r in s.requests() if r["t"] > since), None), 30)
        if req is None:
            raise RuntimeError("no refresh for the transition")
        begin = s.sample("transition-begin")
        done = wait_for(lambda: len([c for c in s.colorizations() if c["t"] > req["t"]]) >= STEPS, 60)
        if not done:
            raise RuntimeError("a transition did not make 100 steps within 60 s")
        end = s.sample("transition-end")
        res["transitions"].append([begin, end])
        since = end["t"]


def long_run(s, res, match, refreshes):
    res["trend"] = []
    next_trend = now()
    if s.cfg["role"] == "korvane":
        s.set_answers([reading(t) for t in CYCLE], mode="cycle")

        def finished():
            reqs = s.requests()
            return len(reqs) >= refreshes and any(c["t"] > reqs[-1]["t"] for c in s.colorizations())
    else:
        end = s.t_start + match.get("end_elapsed_s", 4.05 * refreshes + 10)

        def finished():
            return now() >= end
    deadline = time.monotonic() + 6 * refreshes + 120
    while not finished():
        if time.monotonic() > deadline:
            raise RuntimeError(f"fewer than {refreshes} refreshes in time")
        if now() >= next_trend:
            res["trend"].append(s.sample("trend"))
            next_trend += TREND_EVERY_S
        time.sleep(0.1)
    res["after_refreshes"] = s.sample("after-refreshes")


def run(s, cfg):
    res = {}
    if cfg["role"] == "korvane":
        s.write_config(city="101010100", high=str(HIGH), low=str(LOW), opaque="1")
        s.set_answers([reading(LOW)])
    s.start_probe()
    s.start_program()
    res["t_start"] = s.t_start
    startup(s, res, quick=cfg["role"] == "floor-libraries")
    if cfg["role"] == "floor-libraries":
        return res
    transition(s, res, cfg["match"])
    long_run(s, res, cfg["match"], cfg["refreshes"])
    res["requests"] = s.requests()
    res["dwm"] = s.dwm_calls()
    res["end_elapsed_s"] = now() - s.t_start
    if s.korvane.poll() is not None:
        raise RuntimeError(f"the program ended early with {s.korvane.returncode}")
    return res
