"""An unsupported system (Windows Server 2008 R2): refused by name, exit 0."""
import subprocess


def run(s):
    s.write_config()
    subprocess.run([s.loader, "winecfg", "-v", "win2008r2"], env=s.env, timeout=120,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    p = s.start_korvane()
    _, text, _ = s.message_box("错误", timeout=60)
    s.require(text is not None, "error box captioned 错误 appears")
    s.screenshot("refusal")
    s.check(text.startswith("您当前操作系统不匹配"), f"text: {text!r}")
    s.check("Microsoft Windows Server 2008 R2 标准版" in text, "text names Microsoft Windows Server 2008 R2 标准版")
    s.press("错误", "ok")
    s.check(s.wait_exit(p, 20) == 0, "exit code 0")
