"""Not a test: the demo day behind scripts/run-demo.  A configured 北京 with
bounds -10..40 watches a day of readings from -5 at dawn to 35 in the
afternoon and back, one reading per refresh; screenshots of the tray and the
configuration window are taken on the way."""
import math
import os
import time

from scenarios import common as c


def day_readings(count):
    temps = []
    for i in range(count):
        phase = i / max(1, count - 1)
        temps.append(round(15 - 20 * math.cos(2 * math.pi * phase)))
    return [{"kind": "reading", "temp": str(t), "WD": "东南风", "WS": "2级",
             "time": f"{6 + 18 * i // max(1, count - 1):02d}:00"} for i, t in enumerate(temps)]


def run(s):
    seconds = float(os.environ.get("KORVANE_DEMO_SECONDS", "180"))
    readings = max(3, int(seconds / 4.5))
    s.write_config(city="101010100", high="40", low="-10", opaque="0")
    s.set_answers(day_readings(readings))
    p = s.start_korvane()
    end = time.monotonic() + seconds
    shots_done = False
    while time.monotonic() < end and p.poll() is None:
        time.sleep(1)
        if not shots_done and time.monotonic() > end - seconds + 15:
            s.screenshot("tray")
            s.xdotool("mousemove", c.TRAY_SLOT_X, c.TASKBAR_Y, "click", "1")
            if s.wait_window(c.CONFIG_CAPTION, 10):
                time.sleep(1)
                s.screenshot("config-window")
                s.helper("close", c.CONFIG_CAPTION)
            shots_done = True
    s.screenshot("end-of-day")
