"""Everyday conditions, one step each: pages without the weather key after a reading (a
"temporarily unavailable" page with 200 and with 503, an empty JSON object, a hotel login
page) change no colour and no tip; the configuration window opens with the focus in the city
box, Tab walks it in reading order and Enter in a temperature box saves; a Save that cannot
write config.ini (a folder of that name) says so and keeps the window; after 退出 the frames
get back the colorization that ordinal 127 reported at start."""
import os
import shutil
import time

from lib.session import now
from scenarios import common as c
from scenarios.tray_menu import choose

READING_TIP = "当前 9℃ 东南风2级"
NO_KEY_PAGES = ["portal", "503", "object", "login"]
SAVED = b"CityId=101020100\r\nMaxTemperature=35\r\nMinTemperature=-5\r\nOpaque=0"  # 上海
READING_ORDER = ["city", "lowest", "highest", "glass", "autostart", "save"]
TAB, ENTER = "9", "13"


def tray_tips(s):
    s.xdotool("mousemove", c.TRAY_SLOT_X - 40, c.TASKBAR_Y)
    time.sleep(0.3)
    s.xdotool("mousemove", c.TRAY_SLOT_X, c.TASKBAR_Y)
    tips = c.wait_for(lambda: [x["text"].strip() for x in s.helper("tips")[1] if x.get("text")], 6)
    s.xdotool("mousemove", 500, 300)
    return tips


def no_key_pages(s):
    reqs = c.wait_for(lambda: len(s.requests()) >= 1 + len(NO_KEY_PAGES) and s.requests(), 40)
    s.require(bool(reqs), f"a reading, then {NO_KEY_PAGES} served ({len(s.requests())} requests)")
    time.sleep(1)
    after = [x for x in s.colorizations() if x["t"] > reqs[1]["t"]]
    s.check(not after, f"no colour from the pages without the key ({[x['hex'][:8] for x in after]})")
    tips = tray_tips(s)
    s.check(tips == [READING_TIP], f"the tip keeps the reading: {tips}")


def names_of_controls(s):
    """Names of the window's controls by handle, and its temperature boxes, lowest first."""
    ctl = s.controls(c.CONFIG_CAPTION)
    edits = sorted((x for x in ctl if x["class"].lower() == "edit" and x["direct"]), key=lambda x: x["top"])
    names = {x["hwnd"]: "city" for x in ctl if x["class"].lower() == "combobox" or
             (x["class"].lower() == "edit" and not x["direct"])}
    names.update({edits[0]["hwnd"]: "lowest", edits[1]["hwnd"]: "highest"})
    buttons = {"启用透明毛玻璃效果": "glass", "开机自动运行": "autostart", "保存配置": "save"}
    names.update({x["hwnd"]: buttons[x["text"]] for x in ctl if x["text"] in buttons})
    return names, edits


def keyboard_form(s):
    s.xdotool("mousemove", c.TRAY_SLOT_X, c.TASKBAR_Y, "click", "1")
    s.require(s.wait_window(c.CONFIG_CAPTION, 10) is not None, "a click on the icon opens the window")
    time.sleep(0.5)
    names, edits = names_of_controls(s)

    def focus_after(*keys):
        return [names.get(x.get("hwnd"), x.get("class")) for x in s.helper("focus", c.CONFIG_CAPTION, *keys)[1]]
    focus = focus_after()
    s.check(focus == ["city"], f"the focus is in the city box: {focus}")
    walk = focus_after(*[TAB] * 6, "s" + TAB)[1:]
    s.check(walk == READING_ORDER[1:] + ["city", "save"], f"Tab walks in reading order, Shift+Tab back: {walk}")
    c.fill_config(s, "上海", "-5", "35")
    s.xdotool("mousemove", edits[1]["screen_x"], edits[1]["screen_y"], "click", "1")
    t_enter = now()
    focus = focus_after(ENTER)[:1]
    s.check(focus == ["highest"], f"a click puts the focus in the highest box: {focus}")
    if not s.check(s.window_gone(c.CONFIG_CAPTION, 10), "Enter there saves: the window hides"):
        s.helper("close", c.CONFIG_CAPTION)
    s.check(s.read_config() == SAVED, f"config.ini bytes: {s.read_config()!r}")
    asked = c.wait_for(lambda: [r for r in s.requests() if r["t"] > t_enter and "/101020100." in r["request_line"]],
                       10)
    s.check(bool(asked), "and the new city is asked for")


def save_fails(s):
    os.remove(os.path.join(s.kdir, "config.ini"))
    os.mkdir(os.path.join(s.kdir, "config.ini"))
    choose(s, "配置")
    s.require(s.wait_window(c.CONFIG_CAPTION, 10) is not None, "配置 opens the window")
    c.fill_config(s, "天津", "0", "30")
    c.save_config(s)
    _, text, _ = s.message_box("错误", timeout=10)
    path = s.kdir_windows + "\\config.ini"
    s.check(text is not None and path in text, f"Save into a folder says so, naming {path}: {text!r}")
    s.press("错误", "ok")
    s.check(s.visible_window(c.CONFIG_CAPTION), "the window stays open")
    s.helper("close", c.CONFIG_CAPTION)
    t_closed = now()
    later = c.wait_for(lambda: [r["request_line"] for r in s.requests() if r["t"] > t_closed], 10)
    s.check(bool(later) and "/101020100." in later[0], f"nothing applied: the city is still 上海 ({later})")
    shutil.rmtree(os.path.join(s.kdir, "config.ini"))


def run(s):
    s.write_config(high="30", low="0")
    s.set_answers([{"kind": "reading", "temp": "9"}] + [{"kind": kind} for kind in NO_KEY_PAGES])
    p = s.start_korvane()
    s.require(c.wait_for(s.colorizations, 30) and c.wait_tray(s, True, 10), "running, coloured, icon shown")
    no_key_pages(s)
    keyboard_form(s)
    s.require(c.wait_tray(s, True, 10), "the icon is back")
    save_fails(s)
    choose(s, "退出")
    s.check(s.wait_exit(p, 15) == 0, "退出 ends the program with code 0")
    saved, colours = s.dwm_calls("127"), s.colorizations()
    s.check(len(saved) == 1 and bool(colours) and saved[0]["t"] < colours[0]["t"],
            f"ordinal 127 read once, before the first colour ({len(saved)} reads)")
    s.check(bool(saved) and colours[-1]["hex"] == saved[0]["hex"],
            f"the last colour record is the user's own: {colours[-1]['hex']} ({saved and saved[0].get('hex')})")
