"""dwmapi.dll without ordinal 131: start-up passes, the first colour change
shows the fatal-error box naming #131 and the process ends with -1 (255)."""


def run(s):
    s.write_config()
    s.use_dwm_variant("dwmapi_no131.dll")
    s.set_answers([{"kind": "reading", "temp": "9"}])
    p = s.start_korvane()
    _, text, _ = s.message_box("错误", timeout=60)
    s.require(text is not None, "fatal-error box captioned 错误 appears")
    s.screenshot("fatal")
    s.check(text.startswith("运行时出错!"), f"text: {text!r}")
    s.check("#131" in text and "dwmapi.dll" in text, "text names dwmapi.dll and #131")
    s.check(len(s.requests()) >= 1, "the box came after a reading")
    s.press("错误", "ok")
    s.check(s.wait_exit(p, 20) == 255, "exit code 255 (-1)")
