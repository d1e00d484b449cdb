"""Not a test: the demo day behind scripts/run-demo.  A configured 北京 with
bounds -5..35 watches a day of readings from -5 at dawn to 35 in the
afternoon and back, one reading per refresh: the whole ramp from blue to red.
The configuration window stays open (through the tray menu's 配置, which
keeps the icon) so that there is a title bar to watch; the demo's dwmapi
double recolours it with every record.  Screenshots of the tray and the
window are taken on the way, and a frame of the desktop about every second,
listed in frames.jsonl with the reading served and the colour last set, for
the animation."""
import json
import math
import os
import subprocess
import time

from lib.session import DISPLAY, now
from scenarios import common as c
from scenarios.tray_menu import open_menu

FRAME_INTERVAL_S = 1.0
SETTLE_S = 0.6  # every window repaints after a colour change
LAST_READING_S = 8  # the day's last reading is watched this long
CITY = "北京"


def day_readings(count):
    temps = []
    for i in range(count):
        phase = i / max(1, count - 1)
        temps.append(round(15 - 20 * math.cos(2 * math.pi * phase)))
    return [{"kind": "reading", "temp": str(t), "WD": "东南风", "WS": "2级", "city": CITY,
             "time": f"{6 + 18 * i // max(1, count - 1):02d}:00"} for i, t in enumerate(temps)]


def open_config_window(s):
    """Through the menu's 配置: a left click would take the icon away while the window is open."""
    menu = open_menu(s)
    if menu is None:
        return None
    s.xdotool("mousemove", (menu["left"] + menu["right"]) // 2, menu["top"] + (menu["bottom"] - menu["top"]) // 8,
              "click", "1")
    return s.wait_window(c.CONFIG_CAPTION, 10)


def wine_desktop_window(s):
    """The X window of Wine's virtual desktop (the whole screen on Xvfb, one window on a user's display)."""
    found = s.xdotool("search", "--name", "Wine desktop").stdout.split()
    return found[0] if found else "root"


class Frames:
    def __init__(self, s, readings):
        self.s = s
        self.readings = readings
        self.dir = os.path.join(s.out, "frames")
        os.makedirs(self.dir, exist_ok=True)
        self.list = open(os.path.join(s.out, "frames.jsonl"), "a", encoding="utf-8")
        self.count = 0
        self.window = None
        self.desktop = wine_desktop_window(s)

    def take(self):
        """A frame once the colours have settled, so that no title bar is caught half repainted."""
        deadline = time.monotonic() + 2
        while True:
            records = self.s.colorizations()
            if not records or now() - records[-1]["t"] >= SETTLE_S or time.monotonic() > deadline:
                break
            time.sleep(SETTLE_S / 3)
        served = self.s.requests()
        if not served or not records:
            return
        self.count += 1
        name = f"{self.count:04d}.png"
        subprocess.run(["import", "-display", DISPLAY, "-window", self.desktop, os.path.join(self.dir, name)],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30)
        reading = self.readings[min(served[-1]["n"], len(self.readings) - 1)]
        entry = {"file": "frames/" + name, "t": now(), "time": reading["time"], "temp": reading["temp"],
                 "city": reading["city"], "colour": records[-1]["fields"][0], "opaque": records[-1]["fields"][6],
                 "window": self.window}
        self.list.write(json.dumps(entry, ensure_ascii=False) + "\n")
        self.list.flush()


def run(s):
    seconds = float(os.environ.get("KORVANE_DEMO_SECONDS", "180"))
    readings = day_readings(max(3, int(seconds / 5)))
    s.write_config(city="101010100", high="35", low="-5", opaque="0")
    s.set_answers(readings)
    p = s.start_korvane()
    # The day ends a little after its last reading was served, or at the latest a
    # while after the time asked for (refreshes come about every 5 s).
    latest = time.monotonic() + seconds * 1.5 + 30
    s.require(c.wait_for(s.colorizations, 30), "the program hands a colour to the window manager")
    c.wait_tray(s, True, 10)
    s.screenshot("tray")
    frames = Frames(s, readings)
    next_check = 0
    while time.monotonic() < latest and p.poll() is None:
        last = [r for r in s.requests() if r["n"] >= len(readings) - 1]
        if last and now() - last[0]["t"] > LAST_READING_S:
            break
        if time.monotonic() >= next_check:
            # Reopened should someone close it on their display.
            window = s.wait_window(c.CONFIG_CAPTION, 0.1)
            if window is None:
                window = open_config_window(s)
                if window is not None and frames.window is None:
                    time.sleep(1)
                    s.screenshot("config-window")
            if window is not None:
                frames.window = [window[k] for k in ("left", "top", "right", "bottom")]
            next_check = time.monotonic() + 10
        t = time.monotonic()
        frames.take()
        time.sleep(max(0.0, FRAME_INTERVAL_S - (time.monotonic() - t)))
    s.screenshot("end-of-day")
