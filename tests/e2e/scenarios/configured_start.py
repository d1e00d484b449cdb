"""Configured start: refreshes about 1, 5 and 9 s after start-up; the first
colour is applied at once, a changed reading is stepped one scale unit about
every 50 ms up to the new reading's colour."""
from lib.ramp import composition_colour
from scenarios import common as c


def run(s):
    s.write_config(city="101010100", high="30", low="0", opaque="0")
    # 9 -> position 30, then 12 -> position 40 (ten steps), then 12 again.
    s.set_answers([{"kind": "reading", "temp": "9"}, {"kind": "reading", "temp": "12"},
                   {"kind": "reading", "temp": "12"}])
    s.start_korvane()
    reqs = c.wait_for(lambda: len(s.requests()) >= 3 and s.requests(), 30)
    s.require(bool(reqs) and len(reqs) >= 3, f"three refreshes within 30 s ({len(s.requests())})")
    comp = s.dwm_calls("composition")
    t0 = comp[0]["t"] if comp else s.t_start
    rel = [r["t"] - t0 for r in reqs[:3]]
    s.note(f"requests at {[round(x, 2) for x in rel]} s after the composition query")
    s.check(0.7 <= rel[0] <= 3.0, f"first refresh about 1 s after start-up ({rel[0]:.2f})")
    gap1, gap2 = rel[1] - rel[0], rel[2] - rel[1]
    s.check(3.8 <= gap1 <= 5.5, f"second refresh about 4 s later ({gap1:.2f})")
    # The second reading's transition (10 steps of >= 50 ms) delays the third.
    s.check(4.2 <= gap2 <= 6.5, f"third refresh 4 s plus the transition later ({gap2:.2f})")
    s.check(all(r["request_line"] == "GET /data/sk/101010100.html HTTP/1.0" for r in reqs),
            "every request asks for /data/sk/101010100.html")

    cols = s.colorizations()
    colours = [c.colour_of(x) for x in cols]
    s.note("colours: " + " ".join(f"{x:08X}" for x in colours))
    s.require(len(cols) >= 11, f"at least 11 colorizations ({len(cols)})")
    s.check(colours[0] == composition_colour(30), f"first colour direct: {colours[0]:08X}")
    s.check(cols[0]["t"] - reqs[0]["t"] < 1.0, "first colour right after the first reading")
    steps = colours[1:11]
    s.check(steps == [composition_colour(p) for p in range(31, 41)],
            "stepped colours of positions 31..40 in order")
    times = [x["t"] for x in cols[1:11]]
    gaps = [b - a for a, b in zip(times, times[1:])]
    s.check(all(0.045 <= g <= 0.5 for g in gaps), f"steps about 50 ms apart: {[round(g * 1000) for g in gaps]}")
    s.check(times[0] - reqs[1]["t"] >= 0.045, "first step after a wait")
    if len(cols) > 11:
        s.check(colours[11] == composition_colour(40), "same reading again: one direct call with the same colour")
    s.check(all(x["fields"][2:] == [54, 12, 34, 50, 0] and x["arg2"] == 0 for x in cols),
            "fixed fields 54, 12, 34, 50, Opaque 0 and second argument 0 in every record")
    s.check(c.tray_icon_present(s), "tray icon present")
    s.screenshot("running")
