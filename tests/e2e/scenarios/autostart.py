"""Ticking 开机自动运行 and saving registers the Run value with the executable's
path in double quotes: an unquoted path with a blank in it lets a program
placed at the first word's name start instead (the unquoted-path hijack)."""
import subprocess
import time

from scenarios import common as c

RUN_KEYS = ["HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run",
            "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"]


def query(s):
    found = {}
    for key in RUN_KEYS:
        out = "/tmp/reg.out"
        with open(out, "wb") as f:
            subprocess.run([s.loader, "reg", "query", key, "/v", "Korvane.exe"], env=s.env, stdout=f,
                           stderr=subprocess.DEVNULL, timeout=60)
        text = open(out, "rb").read().decode("gbk", "replace")
        for line in text.splitlines():
            if "Korvane.exe" in line and "REG_" in line:
                found[key] = line.split("REG_SZ", 1)[-1].strip()
    return found


def run(s):
    s.write_config()
    s.start_korvane()
    s.require(c.wait_for(s.colorizations, 30), "running")
    s.check(query(s) == {}, "no Run value before")
    s.xdotool("mousemove", c.TRAY_SLOT_X, c.TASKBAR_Y, "click", "1")
    s.require(s.wait_window(c.CONFIG_CAPTION, 10) is not None, "configuration window opened by a tray click")
    s.helper("setcheck", c.CONFIG_CAPTION, "text:开机自动运行", 1)
    time.sleep(0.5)
    c.save_config(s)
    s.check(s.window_gone(c.CONFIG_CAPTION, 10), "window hidden after Save")
    time.sleep(1)
    found = query(s)
    s.note(f"Run values: {found}")
    want = '"C:\\Korvane\\Korvane.exe"'
    s.check(any(v.lower() == want.lower() for v in found.values()),
            f"Run value Korvane.exe holds the full path in double quotes, {want}")
    s.check("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run" in found, "written under HKLM")
