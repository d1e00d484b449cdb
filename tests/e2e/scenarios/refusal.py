"""Composition off: the refusal box names the system; exit code 0; no request."""
import time


def run(s):
    s.write_config()
    p = s.start_korvane({"KORVANE_DWM_COMPOSITION": "0"})
    _, text, _ = s.message_box("错误", timeout=60)
    s.require(text is not None, "error box captioned 错误 appears")
    s.screenshot("refusal")
    s.check(text.startswith("您当前操作系统不匹配，请在Win7或Win8操作系统运行本程序。"), f"text: {text!r}")
    s.check("Microsoft Windows 7 旗舰版" in text, "text names Microsoft Windows 7 旗舰版")
    s.press("错误", "ok")
    s.check(s.wait_exit(p, 20) == 0, "exit code 0")
    time.sleep(1)
    s.check(s.requests() == [] and s.colorizations() == [], "no request, no colour")
