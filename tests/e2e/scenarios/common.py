"""Steps shared by several scenarios."""
import time

from lib.ramp import composition_colour, scale_position

CONFIG_CAPTION = "修改配置"
# The notification area sits at the right end of the taskbar of the 1024x768
# virtual desktop; icons take 20-pixel slots from the right.
TASKBAR_Y = 768 - 14
TRAY_SLOT_X = 1024 - 12


def tray_region(s):
    return s.pixel_region(1024 - 40, 768 - 26, 40, 26)


def tray_icon_present(s):
    """An icon draws coloured pixels into the otherwise flat grey tray slots."""
    data = tray_region(s)
    if not data:
        return False
    pixels = {data[i:i + 3] for i in range(0, len(data) - 2, 3)}
    return len(pixels) > 12


def wait_tray(s, present, timeout=10):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        if tray_icon_present(s) == present:
            return True
        time.sleep(0.3)
    return False


def fill_config(s, city="北京", low="0", high="30"):
    s.helper("replacesel", CONFIG_CAPTION, "combo-edit:0", city)
    s.helper("settext", CONFIG_CAPTION, "class:Edit:0", low)
    s.helper("settext", CONFIG_CAPTION, "class:Edit:1", high)


def save_config(s):
    s.helper("click", CONFIG_CAPTION, "text:保存配置")


def expected_colour(temp, low, high):
    return composition_colour(scale_position(temp, low, high))


def colour_of(record):
    return record["fields"][0]


def wait_for(cond, timeout, step=0.2):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        value = cond()
        if value:
            return value
        time.sleep(step)
    return cond()
