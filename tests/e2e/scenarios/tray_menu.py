"""The tray icon and its menu: 配置 keeps the icon, a left click opens the
configuration window and removes the icon until it closes, 作者 shows its box,
彩蛋 sweeps the colours about every 50 ms and back, 退出 ends with code 0.
Menu texts cannot be read from another process under Wine: the popup's
rectangle is found as the menu window (#32768) and entries are clicked by
their place in it, four equal rows."""
import time

from lib.ramp import composition_colour
from scenarios import common as c

ENTRIES = ["配置", "彩蛋", "退出", "作者"]


def open_menu(s):
    s.xdotool("mousemove", c.TRAY_SLOT_X, c.TASKBAR_Y, "click", "3")
    end = time.monotonic() + 10
    while time.monotonic() < end:
        menus = [w for w in s.helper("list", "all")[1] if w.get("class") == "#32768" and w.get("visible")]
        if menus:
            return menus[0]
        time.sleep(0.3)
    return None


def choose(s, entry):
    menu = open_menu(s)
    s.require(menu is not None, f"tray menu opens for {entry}")
    s.screenshot(f"menu-{entry}")
    row = (menu["bottom"] - menu["top"]) / len(ENTRIES)
    y = int(menu["top"] + row * (ENTRIES.index(entry) + 0.5))
    x = int((menu["left"] + menu["right"]) / 2)
    s.xdotool("mousemove", x, y, "click", "1")


def run(s):
    s.write_config()
    p = s.start_korvane()
    s.require(c.wait_for(s.colorizations, 30), "running and coloured")
    s.require(c.wait_tray(s, True, 10), "tray icon present")

    choose(s, "配置")
    s.check(s.wait_window(c.CONFIG_CAPTION, 10) is not None, "配置 opens the configuration window")
    s.check(c.tray_icon_present(s), "配置 keeps the tray icon")
    s.helper("close", c.CONFIG_CAPTION)
    s.check(s.window_gone(c.CONFIG_CAPTION, 10), "close hides the window")

    s.xdotool("mousemove", c.TRAY_SLOT_X, c.TASKBAR_Y, "click", "1")
    s.check(s.wait_window(c.CONFIG_CAPTION, 10) is not None, "left click opens the configuration window")
    s.check(c.wait_tray(s, False, 5), "left click removes the tray icon")
    s.screenshot("left-click")
    s.helper("close", c.CONFIG_CAPTION)
    s.check(s.window_gone(c.CONFIG_CAPTION, 10), "close hides the window")
    s.check(c.wait_tray(s, True, 5), "closing puts the icon back")

    choose(s, "作者")
    _, text, _ = s.message_box("作者", timeout=10)
    s.check(text is not None and text.startswith("作者：") and "Email：" in text, f"author box: {text!r}")
    s.press("作者", "ok")

    before = len(s.colorizations())
    choose(s, "彩蛋")
    _, text, _ = s.message_box("哈哈", timeout=10)
    s.check(text == "这么明显的彩蛋你都找到了，彩蛋模式开启啦！", f"egg-on box: {text!r}")
    s.press("哈哈", "ok")
    time.sleep(3)
    sweep = s.colorizations()[before:]
    times = [x["t"] for x in sweep]
    gaps = sorted(b - a for a, b in zip(times, times[1:]))
    median = gaps[len(gaps) // 2] if gaps else 0
    s.check(len(sweep) >= 20, f"egg sweep: {len(sweep)} colours in about 3 s")
    s.check(0.04 <= median <= 0.2, f"about 50 ms apart (median {median * 1000:.0f} ms)")
    valid = {composition_colour(v) for v in range(0, 101)}
    s.check(all(c.colour_of(x) in valid for x in sweep), "sweep colours lie on the ramp")

    choose(s, "彩蛋")
    _, text, _ = s.message_box("嘻嘻", timeout=10)
    s.check(text == "彩蛋模式结束了！", f"egg-off box: {text!r}")
    s.press("嘻嘻", "ok")

    choose(s, "退出")
    s.check(s.wait_exit(p, 15) == 0, "退出 ends the process with code 0")
    s.check(c.wait_tray(s, False, 5), "the tray icon is gone")
