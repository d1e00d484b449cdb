"""On first use the configuration window refuses a city it does not know and
bounds that are too close or out of range: each shows its message and writes
nothing; the window stays open, and a valid Save afterwards goes through."""
import time

from scenarios import common as c

WRONG_CITY = "输入了错误的城市，请重新选择！"
WRONG_BOUNDS = "错误的温度值，最高最低温度是指您所在城市一年中可能出现的极端温度值！"


def expect_refusal(s, message, what):
    _, text, _ = s.message_box("错误", timeout=15)
    s.require(text is not None, f"{what}: an error box appears")
    s.check(text == message, f"{what}: message {text!r}")
    s.screenshot(what)
    s.press("错误", "ok")
    s.check(s.message_box("错误", timeout=1)[1] is None, f"{what}: the box closed")
    s.check(s.read_config() is None, f"{what}: nothing written: {s.read_config()!r}")
    s.check(s.visible_window(c.CONFIG_CAPTION), f"{what}: window still open")


def run(s):
    s.set_answers([{"kind": "reading", "temp": "9"}])
    s.start_korvane()
    s.require(s.message_box("第一次使用", timeout=60)[1] is not None, "welcome box")
    s.press("第一次使用", "ok")
    s.require(s.message_box("询问", timeout=30)[1] is not None, "question box")
    s.press("询问", "no")
    s.require(s.wait_window(c.CONFIG_CAPTION, 30) is not None, "configuration window visible")
    time.sleep(0.5)

    c.fill_config(s, "纽约", "0", "30")
    c.save_config(s)
    expect_refusal(s, WRONG_CITY, "wrong-city")

    s.helper("settext", c.CONFIG_CAPTION, "combo-edit:0", "")
    # 30☀: a character GBK cannot hold makes the bound unreadable.
    for low, high, what in (("20", "29", "span-below-ten"), ("-51", "30", "minimum-below-minus-50"),
                            ("0", "61", "maximum-above-60"), ("0", "30☀", "outside-gbk")):
        c.fill_config(s, "北京", low, high)
        c.save_config(s)
        expect_refusal(s, WRONG_BOUNDS, what)
        s.helper("settext", c.CONFIG_CAPTION, "combo-edit:0", "")

    c.fill_config(s, "北京", "-50", "60")
    c.save_config(s)
    s.check(s.window_gone(c.CONFIG_CAPTION, 10), "a valid Save hides the window")
    s.check(s.read_config() == b"CityId=101010100\r\nMaxTemperature=60\r\nMinTemperature=-50\r\nOpaque=0",
            f"the valid Save is written: {s.read_config()!r}")
