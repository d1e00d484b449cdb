"""Server down, a 404 page, a truncated body, garbage: the program keeps
running, and a later good reading is still coloured."""
import time

from lib.ramp import composition_colour
from scenarios import common as c


def run(s):
    s.write_config(high="30", low="0")
    s.set_answers([{"kind": "close"}, {"kind": "404"}, {"kind": "truncated"}, {"kind": "garbage"},
                   {"kind": "reading", "temp": "15"}])
    p = s.start_korvane()
    reqs = c.wait_for(lambda: len(s.requests()) >= 5 and s.requests(), 40)
    s.require(bool(reqs), f"five refreshes arrive ({len(s.requests())})")
    s.check(p.poll() is None, "still running after the failed refreshes")
    cols = c.wait_for(s.colorizations, 5)
    s.check(bool(cols) and c.colour_of(cols[-1]) == composition_colour(50),
            f"the good reading is coloured ({[x['hex'][:8] for x in cols]})")
    s.check(all(x["t"] > reqs[3]["t"] for x in cols), "nothing coloured from the failed answers")
    time.sleep(1)
    s.check(p.poll() is None, "still running at the end")
    s.check(c.tray_icon_present(s), "tray icon present")
