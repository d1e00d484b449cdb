"""Display scales: at 96, 120, 144 and 192 DPI the configuration window and
every control measure 1, 1.25, 1.5 and 2 times their 96-DPI rectangles (at
96 DPI exactly the templates' rectangles), no label's, check box's or
button's text is cut, and the icons (the tray icon among them) are loaded at
the system's icon sizes for that DPI; the tray menu keeps its offset from
the cursor at the scale.  A close-up of the window at each scale
lands in the output as config-window-<dpi>dpi.png.

Cut text: the helper measures each text in the program's font (made from the
same source, and cross-checked against the program's own edit fields) and
reports where its ink ends.  The ink must fit the room the control draws the
text in: a label's whole width; a check box's width less the box and the gap
before the text; a button's width less its frame and focus line on each side.
The template geometry left unscaled fails this for every label from 120 DPI on.
(The ℃ labels draw no ink at all here: the prefix's fonts have no glyph for it,
at every scale, as before.)"""
import json
import os
import subprocess

from lib.session import DISPLAY
from scenarios import common as c
from scenarios.tray_menu import open_menu

SCALES = (96, 120, 144, 192)
WINDOW_96 = (229, 174)
# Direct children of the configuration window in their stacking order (the controls Tab walks, in
# reading order, then the labels): class, text, 96-DPI client rectangle (left, top, width, height)
# as the templates give it.
CONTROLS_96 = [
    # A drop-down combo box's closed height is the system's, made to fit its font: 22 at
    # 96 DPI, not the template's 20. Its other three figures are the template's.
    ("ComboBox", None, (88, 14, 112, None)),
    ("Edit", None, (88, 41, 88, 20)),
    ("Edit", None, (88, 68, 88, 20)),
    ("Button", "启用透明毛玻璃效果", (16, 92, 136, 16)),
    ("Button", "开机自动运行", (16, 113, 128, 16)),
    ("Button", "保存配置", (147, 100, 56, 32)),
    ("Static", "℃", (186, 69, 24, 16)),
    ("Static", "℃", (186, 42, 24, 16)),
    ("Static", "最低气温：", (17, 41, 64, 16)),
    ("Static", "最高气温：", (17, 67, 64, 16)),
    ("Static", "所处城市：", (17, 14, 56, 16)),
]
CHECK_BOX_STYLE = 0x3  # BS_AUTOCHECKBOX


def scaled(value, dpi):
    """MulDiv rounding: half away from zero."""
    q, r = divmod(abs(value) * dpi, 96)
    q += 1 if 2 * r >= 96 else 0
    return q if value >= 0 else -q


def at_scale(s, dpi):
    """Restarts the prefix's processes with the display at another DPI."""
    # No pipes: Wine's service processes inherit them and would hold them open.
    rc = subprocess.run([s.loader, "reg", "add", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels",
                         "/t", "REG_DWORD", "/d", str(dpi), "/f"], env=s.env, stdout=subprocess.DEVNULL,
                        stderr=subprocess.DEVNULL, timeout=120).returncode
    s.require(rc == 0, f"LogPixels set to {dpi}")
    subprocess.run([s.wineserver, "-k"], env=s.env, timeout=60)
    subprocess.run([s.wineserver, "-w"], env=s.env, timeout=60)
    s.spawn("wineserver", [s.wineserver, "-p", "-f"])
    s.helper("list", timeout=120)


def rect_of(m):
    return (m["left"], m["top"], m["right"] - m["left"], m["bottom"] - m["top"])


def near(measured, template, dpi):
    """Each figure within rounding of the 96-DPI one times the scale."""
    return all(t is None or abs(v - t * dpi / 96) <= 0.5 for v, t in zip(measured, template))


def text_room(m, screen, dpi):
    """The width a control draws its text in."""
    width = m["right"] - m["left"]
    if m["class"] == "Static":
        return width
    if int(m["style"], 16) & 0xF == CHECK_BOX_STYLE:
        return width - screen["menu_check"] - scaled(4, dpi)
    return width - 2 * (screen["edge"] + 1)


def check_icons(s, dpi):
    out = os.path.join(s.out, f"icons-{dpi}dpi.json")
    with open(out, "wb") as f:
        subprocess.run([s.loader, os.path.join(s.kdir, "icon_probe.exe")], env=s.env, stdout=f,
                       stderr=subprocess.DEVNULL, timeout=60)
    s.reap_orphans()
    lines = [x for x in open(out, encoding="utf-8", errors="replace").read().splitlines() if x.startswith("{")]
    s.require(bool(lines), f"{dpi} DPI: icon probe answered")
    icons = json.loads(lines[0])
    s.note(f"{dpi} DPI icons: {icons}")
    small, large = icons["system_small"], icons["system_large"]
    s.check(icons["dpi"] == dpi and small == scaled(16, dpi) and large == scaled(32, dpi),
            f"{dpi} DPI: the system asks for {small}- and {large}-pixel icons")
    s.check(icons["tray_adds"] == 1 and (icons["tray_width"], icons["tray_height"]) == (small, small),
            f"{dpi} DPI: tray icon loaded at {icons['tray_width']}x{icons['tray_height']}")
    s.check((icons["small_width"], icons["small_height"], icons["big_width"], icons["big_height"]) ==
            (small, small, large, large),
            f"{dpi} DPI: window icons {icons['small_width']} and {icons['big_width']} pixels")


def check_layout(s, dpi):
    rc, lines = s.helper("measure", c.CONFIG_CAPTION)
    s.require(rc == 0, f"{dpi} DPI: configuration window measured")
    screen = next(x for x in lines if x["kind"] == "screen")
    window = next(x for x in lines if x["kind"] == "window")
    client = next(x for x in lines if x["kind"] == "client")
    measured = [x for x in lines if x["kind"] == "measure"]
    s.check(screen["dpi"] == dpi, f"{dpi} DPI: the display runs at {screen['dpi']} DPI")
    outer = rect_of(window)[2:]
    s.check(near(outer, WINDOW_96, dpi), f"{dpi} DPI: window {outer[0]}x{outer[1]}")

    # The font the helper measures with is the program's: its edit fields lay out text alike.
    spans = [(x["edit_span"], x["font_span"]) for x in measured if "edit_span" in x]
    s.require(bool(spans) and all(a == b for a, b in spans), f"{dpi} DPI: the program's font: {spans}")

    direct = [x for x in measured if x["direct"]]
    s.require(len(direct) == len(CONTROLS_96), f"{dpi} DPI: {len(direct)} controls")
    for (cls, text, template), m in zip(CONTROLS_96, direct):
        rect = rect_of(m)
        name = text or cls
        s.note(f"{dpi} DPI: {name} at {rect}")
        s.check(m["class"] == cls and (text is None or m["text"] == text), f"{dpi} DPI: {name} in its place")
        s.check(near(rect, template, dpi), f"{dpi} DPI: {name} {rect} is {dpi / 96:g} x {template}")
        s.check(m["right"] <= client["width"] and m["bottom"] <= client["height"],
                f"{dpi} DPI: {name} inside the client area {client['width']}x{client['height']}")
        if cls in ("Static", "Button"):
            room = text_room(m, screen, dpi)
            s.check(m["ink_cx"] <= room and m["text_cy"] <= rect[3],
                    f"{dpi} DPI: {name} not cut (ink {m['ink_cx']}x{m['text_cy']} in {room}x{rect[3]})")
    edit = next(x for x in measured if x["class"] == "Edit" and not x["direct"])
    s.check(edit["ink_cx"] <= edit["right"] - edit["left"] and edit["text_cy"] <= edit["bottom"] - edit["top"],
            f"{dpi} DPI: the city {edit['text']} fits the combo box's field")
    return window


def close_up(s, window, dpi):
    left, top, width, height = rect_of(window)
    path = os.path.join(s.out, f"config-window-{dpi}dpi.png")
    subprocess.run(["import", "-display", DISPLAY, "-window", "root",
                    "-crop", f"{width}x{height}+{left}+{top}", "+repage", path], stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, timeout=30)
    s.check(os.path.exists(path), f"{dpi} DPI: close-up {os.path.basename(path)}")


def check_tray_menu(s, dpi):
    """The menu's right edge lies 5 pixels, scaled, left of the cursor."""
    menu = open_menu(s)
    s.require(menu is not None, f"{dpi} DPI: the tray menu opens")
    want = c.TRAY_SLOT_X - scaled(5, dpi)
    s.check(menu["right"] == want, f"{dpi} DPI: tray menu's right edge at {menu['right']} ({want})")
    s.xdotool("key", "Escape")


def run(s):
    s.write_config()
    for dpi in SCALES:
        at_scale(s, dpi)
        coloured = len(s.colorizations())
        s.start_korvane()
        s.require(c.wait_for(lambda: len(s.colorizations()) > coloured, 60), f"{dpi} DPI: running")
        # A second start opens the running program's configuration window.
        s.wait_exit(s.start_korvane(), 30)
        s.require(s.wait_window(c.CONFIG_CAPTION, 20) is not None, f"{dpi} DPI: configuration window visible")
        window = check_layout(s, dpi)
        close_up(s, window, dpi)
        check_icons(s, dpi)
        check_tray_menu(s, dpi)
