"""Ticking 开机自动运行 and saving registers the Run value with the executable's
path in double quotes: an unquoted path with a blank in it lets a program
placed at the first word's name start instead (the unquoted-path hijack).

The variant autostart@unicode-folder runs Korvane.exe from C:\\Users\\Zoë\\天气 ☀\\,
a folder whose name holds characters outside GBK and outside code page 1252:
the program reads the config.ini there, writes it there on Save, and the Run
value names exactly that path."""
import os
import re
import subprocess
import time

from scenarios import common as c

RUN_KEYS = ["HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run",
            "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"]


def query(s):
    """The Run values named Korvane.exe, read from a UTF-16 export of each key, so
    that every character of the path arrives as it is stored."""
    found = {}
    exported = os.path.join(s.prefix, "drive_c", "run.reg")
    for key in RUN_KEYS:
        subprocess.run([s.loader, "reg", "export", key, "C:\\run.reg", "/y"], env=s.env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)
        try:
            with open(exported, "rb") as f:
                text = f.read().decode("utf-16")
            os.remove(exported)
        except (OSError, UnicodeDecodeError):
            continue
        for line in text.splitlines():
            m = re.match(r'^"Korvane\.exe"="(.*)"$', line.strip())
            if m:
                found[key] = re.sub(r'\\(.)', r'\1', m.group(1))
    return found


def run(s):
    s.write_config()
    s.start_korvane()
    s.require(c.wait_for(s.colorizations, 30), "running: the config.ini beside the exe was read")
    s.check(query(s) == {}, "no Run value before")
    s.xdotool("mousemove", c.TRAY_SLOT_X, c.TASKBAR_Y, "click", "1")
    s.require(s.wait_window(c.CONFIG_CAPTION, 10) is not None, "configuration window opened by a tray click")
    s.helper("setcheck", c.CONFIG_CAPTION, "text:开机自动运行", 1)
    s.helper("settext", c.CONFIG_CAPTION, "class:Edit:1", "35")
    time.sleep(0.5)
    c.save_config(s)
    s.check(s.window_gone(c.CONFIG_CAPTION, 10), "window hidden after Save")
    s.check(s.read_config() == b"CityId=101010100\r\nMaxTemperature=35\r\nMinTemperature=0\r\nOpaque=0",
            f"Save wrote the config.ini beside the exe: {s.read_config()!r}")
    time.sleep(1)
    found = query(s)
    s.note(f"Run values: {found}")
    want = f'"{s.kdir_windows}\\Korvane.exe"'
    s.check(any(v == want for v in found.values()),
            f"Run value Korvane.exe holds the full path in double quotes, {want}")
    s.check("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run" in found, "written under HKLM")
