"""A second start asks the running program to open its configuration window
and exits 0 at once; one process remains. The window shows the bounds of a
hand-edited config.ini whole, also a minimum of four characters (-100): the
edit boxes' limit of three holds for typing only."""
import time

from scenarios import common as c


def run(s):
    s.write_config(low="-100", high="30")
    first = s.start_korvane()
    s.require(c.wait_for(s.colorizations, 30), "first instance running (coloured)")
    s.check(not s.visible_window(c.CONFIG_CAPTION), "configuration window hidden")
    t = time.monotonic()
    second = s.start_korvane()
    rc = s.wait_exit(second, 30)
    s.check(rc == 0, f"second instance exits with 0 ({rc})")
    s.check(time.monotonic() - t < 15, f"and quickly ({time.monotonic() - t:.1f} s)")
    s.check(s.wait_window(c.CONFIG_CAPTION, 10) is not None, "configuration window of the first is visible")
    s.screenshot("second-instance")
    edits = sorted([x for x in s.controls(c.CONFIG_CAPTION) if x["class"].lower() == "edit" and x["direct"]],
                   key=lambda x: x["top"])
    s.check([e["text"] for e in edits] == ["-100", "30"], f"bounds shown whole: {[e['text'] for e in edits]}")
    s.check(first.poll() is None, "first instance still running")
    s.check(len(s.korvane_pids()) == 1, f"one Korvane process ({s.korvane_pids()})")
