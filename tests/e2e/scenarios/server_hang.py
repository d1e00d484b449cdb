"""A server that accepts the request and then says nothing: the program gives
up after its 10-second time-out instead of waiting for the server, and the
first refresh after that asks again (refreshes come every four ticks; one that
comes while the fetch is still out starts none)."""
from scenarios import common as c


def run(s):
    s.write_config(high="30", low="0")
    s.set_answers([{"kind": "hang", "seconds": 25}, {"kind": "reading", "temp": "15"}])
    p = s.start_korvane()
    reqs = c.wait_for(lambda: len(s.requests()) >= 2 and s.requests(), 40)
    s.require(bool(reqs), f"a second refresh arrives ({len(s.requests())})")
    gap = reqs[1]["t"] - reqs[0]["t"]
    # The 10 s time-out, then the next fourth tick; a missing time-out would wait out the 25 s.
    s.check(9.5 <= gap <= 15.0, f"the next request {gap:.1f} s after the silent one")
    cols = c.wait_for(s.colorizations, 5)
    s.check(bool(cols) and c.colour_of(cols[-1]) == c.expected_colour(15, 0, 30),
            "the reading after the silence is coloured")
    s.check(p.poll() is None, "still running")
