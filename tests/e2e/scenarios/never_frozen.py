"""Never frozen, always restored. While the weather service holds a request without answering,
a right click on the icon opens the menu within 1 s and 退出 ends the program within 2 s; a
close request to the main window (taskkill without /f) and the end of the log-on session
(wineboot --end-session) end it within 5 s; every way out leaves the user's own colour
(ordinal 127's) as the last colour record. A Save over a read-only config.ini says so in its
own sentence and leaves the file's bytes as they were."""
from lib.session import now
from scenarios import common as c
from scenarios.tray_menu import ENTRIES, choose

HANG = {"kind": "hang", "seconds": 600}
READING = {"kind": "reading", "temp": "9"}
# The cursor leaves the icon for AWAY at once (no tip shows); the menu pops up at the icon or at
# AWAY, within MENU_AREA (x, y, width, height) above the taskbar, where nothing else draws.
AWAY, MENU_AREA = (900, 500), (700, 300, 310, 440)


def start_coloured(s):
    s.set_answers([READING])
    p = s.start_korvane()
    s.require(c.wait_for(lambda: [x for x in s.colorizations() if x["t"] > s.t_start], 30)
              and c.wait_tray(s, True, 10), "running, coloured, icon shown")
    return p


def hold_requests(s):
    """From now on the service holds every request; one is held when a connection to its port 80
    is established."""
    s.set_answers([HANG])

    def held():
        with open("/proc/net/tcp") as f:
            return any(x[1].endswith(":0050") and x[3] == "01" for x in map(str.split, f))
    s.require(c.wait_for(held, 20), "a request is held by the service")


def ends_with_users_colour(s, p, how, since, limit=5):
    """The program ends within `limit` seconds of `since`; a fetch the window thread waited for
    would take 10 s. It is waited for longer, to see how it ends."""
    rc = s.wait_exit(p, 15)
    took = now() - since
    s.check(rc == 0 and took <= limit, f"{how} ends the program within {limit} s ({rc}, {took:.1f} s)")
    if rc is None:
        p.kill()
        p.wait()
    saved, colours = s.dwm_calls("127"), s.colorizations()
    s.check(bool(saved) and colours[-1]["hex"] == saved[-1]["hex"],
            f"after {how} the last colour record is the user's own: {colours[-1]['hex']}")


def menu_while_request_held(s):
    p = start_coloured(s)
    hold_requests(s)
    still = s.pixel_region(*MENU_AREA)
    s.xdotool("mousemove", c.TRAY_SLOT_X, c.TASKBAR_Y, "click", "3", "mousemove", *AWAY)
    t = now()
    shown = c.wait_for(lambda: s.pixel_region(*MENU_AREA) != still and now(), 15, 0.05)
    s.check(bool(shown) and shown - t <= 1.0, f"a right click opens the menu within 1 s ({(shown or now()) - t:.1f} s)")
    menu = c.wait_for(lambda: [w for w in s.helper("list", "all")[1] if w.get("class") == "#32768"
                               and w.get("visible")], 5)
    s.require(bool(menu), "the menu is open")
    row = (menu[0]["bottom"] - menu[0]["top"]) / len(ENTRIES)
    s.xdotool("mousemove", (menu[0]["left"] + menu[0]["right"]) // 2,
              int(menu[0]["top"] + row * (ENTRIES.index("退出") + 0.5)), "click", "1")
    ends_with_users_colour(s, p, "退出", now(), 2)


def read_only_config(s):
    ini, before = s.kdir_windows + "\\config.ini", s.read_config()
    s.wine("attrib", "+r", ini)
    _, flags = s.wine("attrib", ini)
    s.check("R" in flags.upper().split(ini.upper())[0], f"Wine reports config.ini read-only: {flags!r}")
    choose(s, "配置")
    s.require(s.wait_window(c.CONFIG_CAPTION, 10) is not None, "配置 opens the window")
    c.fill_config(s, "天津")
    c.save_config(s)
    _, text, _ = s.message_box("错误", timeout=10)
    s.check(text is not None and ini in text and "是只读的" in text, f"the box says config.ini is read-only: {text!r}")
    s.press("错误", "ok")
    s.check(s.read_config() == before, "config.ini keeps its bytes")
    s.helper("close", c.CONFIG_CAPTION)
    s.wine("attrib", "-r", ini)


def close_request(s, p):
    hold_requests(s)
    t = now()
    s.wine("taskkill", "/im", "Korvane.exe")
    ends_with_users_colour(s, p, "a close request", t)


def end_of_session(s):
    p = start_coloured(s)
    hold_requests(s)
    t = now()
    s.wine("wineboot", "--end-session", timeout=30)
    ends_with_users_colour(s, p, "the end of the session", t)


def run(s):
    s.write_config()
    menu_while_request_held(s)
    p = start_coloured(s)
    read_only_config(s)
    close_request(s, p)
    end_of_session(s)
