"""A different dwmapi.dll lying beside Korvane.exe (a download folder is the
classic case) is not loaded: the program takes its libraries from the system
folder only.  The planted copy lacks ordinal 131, so had it been loaded, the
first colour would end in the fatal-error box."""
from scenarios import common as c


def run(s):
    s.write_config()
    s.plant_beside_exe("dwmapi_no131.dll")
    s.set_answers([{"kind": "reading", "temp": "9"}])
    p = s.start_korvane()
    cols = c.wait_for(s.colorizations, 30)
    want = c.expected_colour(9, 0, 30)
    s.check(bool(cols) and c.colour_of(cols[0]) == want,
            f"the system folder's dwmapi.dll records the colour 0x{want:08X}")
    s.check(s.message_box("错误", timeout=3)[1] is None, "no fatal-error box")
    s.check(p.poll() is None, "Korvane still runs")
