"""First use: no config.ini.  Welcome box, question box, the configuration
window; no tray icon and no request until Save; Save writes the file, starts
the refresh cycle, colours the frames and puts up the tray icon.

Every text is read as the user sees it (the helper reads UTF-16), so the
variant first_use@cp1252, the program's process under code page 1252 (a Windows
whose language for non-Unicode programs is not Chinese), reads the same
Chinese: the boxes, every label, check box and button, all 734 city names in
order and the tray tip; typing 北 then 京 completes to 北京, and Save writes
the same 63 bytes."""
import os
import time

from lib.session import now
from scenarios import common as c

EXPECTED_FILE = b"CityId=101010100\r\nMaxTemperature=30\r\nMinTemperature=0\r\nOpaque=0"
LABELS = ["所处城市：", "最高气温：", "最低气温：", "℃", "℃"]
BUTTONS = ["启用透明毛玻璃效果", "开机自动运行", "保存配置"]
CITIES_TSV = os.path.join(os.path.dirname(__file__), "..", "..", "..", "src", "config", "cities.tsv")


def city_names():
    with open(CITIES_TSV, encoding="utf-8") as f:
        return [line.split("\t")[2] for line in f.read().splitlines()[1:] if line.strip()]


def completed(typed, names):
    """What the city box shows after typing: the last of the chain of names that each
    begin with the one before, starting from the typed text."""
    for name in names:
        if name.startswith(typed):
            typed = name
    return typed


def combo_edit_text(s):
    edits = [x for x in s.controls(c.CONFIG_CAPTION) if x["class"].lower() == "edit" and not x["direct"]]
    return edits[0]["text"] if edits else None


def check_texts(s, ctl):
    labels = [x["text"] for x in ctl if x["class"].lower() == "static" and x["direct"]]
    s.check(sorted(labels) == sorted(LABELS), f"labels read {labels}")
    buttons = [x["text"] for x in ctl if x["class"].lower() == "button"]
    s.check(sorted(buttons) == sorted(BUTTONS), f"check boxes and button read {buttons}")
    items = [x["text"] for x in s.helper("items", c.CONFIG_CAPTION, "class:ComboBox:0")[1]
             if x.get("kind") == "item"]
    names = city_names()
    s.check(len(names) == 734 and items == names,
            f"all 734 city names in order ({len(items)} read; first differing: "
            f"{next(((i, a, b) for i, (a, b) in enumerate(zip(items, names)) if a != b), None)})")


def type_city(s):
    """Types 北, then 京 over what the completion selected."""
    names = city_names()
    s.helper("replacesel", c.CONFIG_CAPTION, "combo-edit:0", "北")
    time.sleep(0.5)
    shown = combo_edit_text(s)
    s.check(shown == completed("北", names), f"typing 北 completes to {completed('北', names)}: {shown!r}")
    s.helper("insert", c.CONFIG_CAPTION, "combo-edit:0", "京")
    time.sleep(0.5)
    shown = combo_edit_text(s)
    s.check(shown == "北京", f"then 京 gives 北京: {shown!r}")


def check_tray_tip(s, want):
    """Rests the mouse on the tray icon and reads the tip the shell shows."""
    s.xdotool("mousemove", c.TRAY_SLOT_X - 40, c.TASKBAR_Y)
    time.sleep(0.3)
    s.xdotool("mousemove", c.TRAY_SLOT_X, c.TASKBAR_Y)
    tips = c.wait_for(lambda: [x["text"] for x in s.helper("tips")[1] if x.get("kind") == "tip" and x["text"]], 6)
    s.check(any(t.strip() == want for t in tips or []), f"tray tip reads {want!r}: {tips}")


def run(s):
    s.set_answers([{"kind": "reading", "temp": "9", "WD": "东南风", "WS": "2级"}])
    s.start_korvane()

    _, text, buttons = s.message_box("第一次使用", timeout=60)
    s.require(text is not None, "welcome box captioned 第一次使用 appears")
    s.check(text.startswith("欢迎使用我，我将您的系统主题颜色根据你所处的城市温度自动变化颜色！"),
            f"welcome text: {text!r}")
    s.screenshot("welcome")
    s.press("第一次使用", "ok")

    _, text, buttons = s.message_box("询问", timeout=30)
    s.require(text is not None, "question box captioned 询问 appears")
    s.check(text == "是否将我设置为开机自动启动呢？", f"question text: {text!r}")
    s.check({b[0] for b in buttons} >= {6, 7}, f"question has Yes and No: {buttons}")
    s.press("询问", "no")

    s.require(s.wait_window(c.CONFIG_CAPTION, 30) is not None, "configuration window visible")
    time.sleep(1)
    s.screenshot("config-window")
    ctl = s.controls(c.CONFIG_CAPTION)
    edits = sorted([x for x in ctl if x["class"].lower() == "edit" and x["direct"]], key=lambda x: x["top"])
    s.check([e["text"] for e in edits] == ["0", "40"], f"bounds prefilled 0 and 40: {[e['text'] for e in edits]}")
    glass = [x for x in ctl if x["text"] == "启用透明毛玻璃效果"]
    s.check(bool(glass) and glass[0].get("checked") == 1, "glass box ticked")
    check_texts(s, ctl)
    s.check(not c.tray_icon_present(s), "no tray icon before Save")
    time.sleep(2)
    s.check(s.requests() == [], "no request before Save")
    s.check(s.colorizations() == [], "no colorization before Save")

    type_city(s)
    s.helper("settext", c.CONFIG_CAPTION, "class:Edit:0", "0")
    s.helper("settext", c.CONFIG_CAPTION, "class:Edit:1", "30")
    time.sleep(0.5)
    t_save = now()
    c.save_config(s)
    s.check(s.window_gone(c.CONFIG_CAPTION, 10), "configuration window hidden after Save")
    s.check(s.read_config() == EXPECTED_FILE, f"config.ini bytes: {s.read_config()!r}")

    reqs = c.wait_for(s.requests, 10)
    s.require(bool(reqs), "a request arrives after Save")
    r = reqs[0]
    delay = r["t"] - t_save
    s.check(0.5 <= delay <= 4.0, f"first request {delay:.2f} s after Save (about 1 s)")
    s.check(r["request_line"] == "GET /data/sk/101010100.html HTTP/1.0", f"request line {r['request_line']!r}")
    s.check(r["headers"].get("Host") == "www.weather.com.cn", f"Host {r['headers'].get('Host')!r}")
    s.check(r["headers"].get("User-Agent") == "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)",
            f"User-Agent {r['headers'].get('User-Agent')!r}")
    s.check(r["headers"].get("Accept", "").replace(" ", "") == "*/*",
            f"Accept {r['headers'].get('Accept')!r}")
    s.check(not any(h.lower() in ("if-modified-since", "if-none-match", "cookie") for h in r["headers"]),
            f"no validators or cookies: {sorted(r['headers'])}")

    cols = c.wait_for(s.colorizations, 5)
    want = c.expected_colour(9, 0, 30)
    s.check(bool(cols) and c.colour_of(cols[0]) == want,
            f"colorization 0x{want:08X} recorded: {[x['hex'] for x in cols[:3]]}")
    if cols:
        f = cols[0]["fields"]
        s.check(f[1] == f[0] and f[2:] == [54, 12, 34, 50, 0] and cols[0]["arg2"] == 0,
                f"record fields {cols[0]['hex']} arg2 {cols[0]['arg2']}")
    s.check(c.wait_tray(s, True, 10), "tray icon present after Save")
    s.screenshot("after-save")
    check_tray_tip(s, "当前 9℃ 东南风2级")
