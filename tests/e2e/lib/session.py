"""One scenario's world inside its private namespace: loopback network, a
private /tmp, Xvfb, the weather server, the Wine prefix with Korvane.exe, and
the operations the scenarios use to drive and observe it."""
import json
import os
import shutil
import signal
import subprocess
import sys
import time

import prefix as prefixes
from private_tmp import mount_private_tmp

# The scenarios run on their own Xvfb; the demo may show itself on the user's display instead.
USER_DISPLAY = os.environ.get("KORVANE_USER_DISPLAY", "")
DISPLAY = USER_DISPLAY or ":7"
HERE = os.path.dirname(os.path.abspath(__file__))
E2E = os.path.dirname(HERE)
SERVICE = os.path.join(os.path.dirname(E2E), "common", "weather_service.py")
# The live document's host, served only where a scenario asks for it (serve_live): elsewhere the
# name does not resolve, as on a network that cannot reach it.
LIVE_HOST, LIVE_ADDRESS = "d1.weather.com.cn", "127.0.0.2"


def now():
    return time.clock_gettime(time.CLOCK_MONOTONIC_RAW)


class ScenarioFailed(Exception):
    pass


def windows_path(unix_path):
    return "Z:" + os.path.abspath(unix_path).replace("/", "\\")


class Session:
    def __init__(self, cfg):
        self.cfg = cfg
        self.out = cfg["out"]
        self.prefix = cfg["prefix"]
        self.loader = cfg["loader"]
        self.wineserver = cfg["wineserver"]
        self.variant = cfg.get("variant", "")
        self.kdir = cfg.get("kdir") or os.path.join(self.prefix, "drive_c", "Korvane")
        # The exe's folder as Windows names it, for example C:\Korvane.
        self.kdir_windows = cfg.get("exe_folder", "C:\\Korvane")
        self.doubles = cfg.get("doubles") or self.kdir
        self.exe = os.path.join(self.kdir, "Korvane.exe")
        self.helper_exe = os.path.join(self.kdir, "ui_helper.exe")
        # The weather service's answers: the scenario's (set_answers) or a plan of the long run.
        self.answers_path = cfg.get("script") or os.path.join(self.out, "answers.json")
        self.requests_path = os.path.join(self.out, "requests.jsonl")
        self.live_answers_path = os.path.join(self.out, "live_answers.json")
        self.live_requests_path = os.path.join(self.out, "live_requests.jsonl")
        self.hosts_path = os.path.join(self.out, "hosts")
        self.live = False
        self.dwm_path = os.path.join(self.out, "dwm.jsonl")
        self.log = open(os.path.join(self.out, "session.log"), "a", buffering=1)
        self.procs = []
        self.korvane = None
        self.t_start = None
        self.failures = []
        self.shots = 0
        self.env = self._env()

    # ---- setting up ------------------------------------------------------
    def _env(self):
        env = dict(os.environ)
        env.update({
            "WINEPREFIX": self.prefix, "WINEDEBUG": "-all", "DISPLAY": DISPLAY,
            "LANG": "zh_CN.UTF-8", "LC_ALL": "zh_CN.UTF-8",
            "WINEDLLOVERRIDES": "dwmapi=n,b;mscoree,mshtml=;winemenubuilder.exe=d",
            "KORVANE_DWM_LOG": windows_path(self.dwm_path),
            "KORVANE_DWM_COMPOSITION": "1",
        })
        if self.loader.endswith("wine64"):
            env["WINELOADER"] = self.loader
        return env

    def note(self, text):
        line = f"[{now():.3f}] {text}"
        self.log.write(line + "\n")
        print(line, flush=True)

    def start_world(self):
        subprocess.run(["ip", "link", "set", "lo", "up"], check=True)
        # The user's X socket, when the demo shows itself there, stays reachable.
        mount_private_tmp(keep=[self.out, self.prefix] + (["/tmp/.X11-unix"] if USER_DISPLAY else []))
        self._write_hosts()
        subprocess.run(["mount", "--bind", self.hosts_path, "/etc/hosts"], check=True)
        if not USER_DISPLAY:
            self.spawn("xvfb", ["Xvfb", DISPLAY, "-screen", "0", "1024x768x24", "-nolisten", "tcp"])
            self._wait_for(lambda: os.path.exists("/tmp/.X11-unix/X7"), 15, "Xvfb socket")
        if not os.path.exists(self.answers_path):
            self.set_answers([{"kind": "reading", "temp": "9"}])
        self._start_service("weather", self.answers_path, self.requests_path, "127.0.0.1")
        self.spawn("wineserver", [self.wineserver, "-p", "-f"])
        time.sleep(0.5)
        # Warm-up: the first process brings up the desktop, taskbar and any
        # prefix update, so the program and the helper start into a settled world.
        t = now()
        if not self.cfg.get("no_warmup"): self.helper("list", timeout=120)
        self.note(f"desktop ready in {now() - t:.1f} s")

    def _write_hosts(self):
        # In place: /etc/hosts is this very file, bind-mounted.
        with open(self.hosts_path, "w") as f:
            f.write("127.0.0.1 localhost\n127.0.0.1 www.weather.com.cn\n" +
                    (f"{LIVE_ADDRESS} {LIVE_HOST}\n" if self.live else ""))

    def _start_service(self, name, script, log, address):
        ready = f"/tmp/{name}.ready"
        self.spawn(name, [sys.executable, SERVICE, "--script", script, "--log", log, "--ready", ready,
                          "--address", address, "--lifetime", str(self.cfg.get("server_lifetime_s", 900))])
        self._wait_for(lambda: os.path.exists(ready), 15, f"{name} server")

    def spawn(self, name, argv, **kw):
        out = open(os.path.join(self.out, f"{name}.log"), "ab")
        p = subprocess.Popen(argv, env=self.env, stdout=out, stderr=subprocess.STDOUT,
                             start_new_session=True, **kw)
        self.procs.append((name, p))
        return p

    def stop_world(self):
        try:
            subprocess.run([self.wineserver, "-k"], env=self.env, timeout=20)
        except subprocess.TimeoutExpired:
            pass
        for name, p in reversed(self.procs):
            if p.poll() is None:
                try:
                    os.killpg(p.pid, signal.SIGTERM)
                    p.wait(timeout=5)
                except (ProcessLookupError, subprocess.TimeoutExpired):
                    try:
                        os.killpg(p.pid, signal.SIGKILL)
                    except ProcessLookupError:
                        pass

    def _wait_for(self, cond, timeout, what):
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            if cond():
                return True
            time.sleep(0.1)
        raise ScenarioFailed(f"timed out waiting for {what}")

    # ---- the program's files -----------------------------------------------
    def write_config(self, city="101010100", high="30", low="0", opaque="0", raw=None):
        text = raw if raw is not None else \
            f"CityId={city}\r\nMaxTemperature={high}\r\nMinTemperature={low}\r\nOpaque={opaque}"
        with open(os.path.join(self.kdir, "config.ini"), "wb") as f:
            f.write(text.encode("gbk"))

    def read_config(self):
        path = os.path.join(self.kdir, "config.ini")
        return open(path, "rb").read() if os.path.exists(path) else None

    def use_dwm_variant(self, name):
        """Replaces the dwmapi.dll of the system folder by another double."""
        prefixes.install_system_dll(self.prefix, self.cfg["arch"] == "win64",
                                    os.path.join(self.doubles, name))

    def plant_beside_exe(self, name):
        """A double named dwmapi.dll beside Korvane.exe, as a download folder may hold one."""
        shutil.copy(os.path.join(self.doubles, name), os.path.join(self.kdir, "dwmapi.dll"))

    def set_answers(self, answers, mode="sequence", path=None):
        path = path or self.answers_path
        with open(path + ".tmp", "w", encoding="utf-8") as f:
            json.dump({"mode": mode, "answers": answers}, f, ensure_ascii=False)
        os.replace(path + ".tmp", path)

    def serve_live(self, answers, mode="sequence"):
        """Makes the live document's host reachable, its own stand-in answering these (a new
        list counts on from the attempts it has already answered)."""
        self.set_answers(answers, mode, self.live_answers_path)
        if not self.live:
            self.live = True
            self._start_service("live", self.live_answers_path, self.live_requests_path, LIVE_ADDRESS)
            self._write_hosts()

    # ---- the program --------------------------------------------------------
    def start_korvane(self, extra_env=None):
        env = dict(self.env)
        if self.variant == "cp1252":
            env.update({"LANG": "C.UTF-8", "LC_ALL": "C.UTF-8"})
        env.update(extra_env or {})
        out = open(os.path.join(self.out, "korvane.log"), "ab")
        self.t_start = now()
        p = subprocess.Popen([self.loader, self.exe], env=env, cwd=self.cfg.get("start_folder", self.kdir),
                             stdout=out, stderr=subprocess.STDOUT)
        self.procs.append(("korvane", p))
        self.note(f"started Korvane.exe (pid {p.pid})")
        if self.korvane is None:
            self.korvane = p
        return p

    def wait_exit(self, proc, timeout):
        try:
            rc = proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None
        self.note(f"process {proc.pid} ended with {rc}")
        return rc

    def wine(self, *args, timeout=60):
        """Runs a Wine program (taskkill, wineboot, attrib) in the prefix: its exit code and output
        (through a file, as for the helper)."""
        with open("/tmp/wine.out", "w+b") as out:
            try:
                rc = subprocess.run([self.loader, *map(str, args)], env=self.env, stdin=subprocess.DEVNULL,
                                    stdout=out, stderr=subprocess.STDOUT, timeout=timeout).returncode
            except subprocess.TimeoutExpired:
                rc = None
            out.seek(0)
            text = out.read().decode("gbk", "replace").strip()  # the console's code page 936
        self.reap_orphans()
        self.note(f"wine {' '.join(map(str, args))}: {rc} {text!r}")
        return rc, text

    def helper(self, *args, timeout=30):
        # Output goes through a file, not a pipe: Wine service processes started
        # by any wine process inherit its handles and would hold a pipe open.
        out_path = "/tmp/helper.out"
        with open(out_path, "wb") as out:
            try:
                p = subprocess.run([self.loader, self.helper_exe, *[str(a) for a in args]], env=self.env,
                                   stdout=out, stderr=subprocess.DEVNULL, timeout=timeout)
                rc = p.returncode
            except subprocess.TimeoutExpired:
                self.note(f"helper {args} timed out")
                rc = 1
        self.reap_orphans()
        lines = []
        with open(out_path, "rb") as f:
            for raw in f.read().decode("utf-8", "replace").splitlines():
                raw = raw.strip()
                if raw.startswith("{"):
                    try:
                        lines.append(json.loads(raw))
                    except ValueError:
                        pass
        return rc, lines

    def reap_orphans(self):
        """As the namespace's first process we inherit Wine's orphans; collect
        the dead ones, leaving our own children to their Popen objects."""
        mine = {p.pid for _, p in self.procs}
        for pid in os.listdir("/proc"):
            if not pid.isdigit() or int(pid) in mine or int(pid) == os.getpid():
                continue
            try:
                stat = open(f"/proc/{pid}/stat").read()
            except OSError:
                continue
            fields = stat.rsplit(")", 1)[1].split()
            if fields[0] == "Z" and int(fields[1]) == os.getpid():
                try:
                    os.waitpid(int(pid), os.WNOHANG)
                except ChildProcessError:
                    pass

    def wait_window(self, caption, timeout=20, visible=True):
        rc, lines = self.helper("wait", caption, int(timeout * 1000), "visible" if visible else "any",
                                timeout=timeout + 30)
        return lines[0] if rc == 0 and lines else None

    def window_gone(self, caption, timeout=10):
        rc, _ = self.helper("gone", caption, int(timeout * 1000), timeout=timeout + 30)
        return rc == 0

    def windows(self):
        return [w for w in self.helper("list")[1] if w.get("kind") == "window"]

    def visible_window(self, caption):
        return any(w["caption"] == caption and w["visible"] for w in self.windows())

    def message_box(self, caption, timeout=20):
        """Waits for a visible box; returns (window, text of its label, buttons)."""
        rc, lines = self.helper("msgbox", caption, int(timeout * 1000), timeout=timeout + 30)
        if rc != 0 or not lines:
            return None, None, []
        controls = [c for c in lines if c.get("kind") == "control"]
        statics = [c["text"] for c in controls if c["class"].lower() == "static" and c["text"]]
        buttons = [(c["id"], c["text"]) for c in controls if c["class"].lower() == "button"]
        return lines[0], (max(statics, key=len) if statics else ""), buttons

    def press(self, caption, which):
        return self.helper("press", caption, which)[0] == 0

    def controls(self, caption):
        return [c for c in self.helper("controls", caption)[1] if c.get("kind") == "control"]

    # ---- observations -----------------------------------------------------
    def requests(self, path=None):
        """The service's attempts, logged as each ends, in the order they began."""
        return sorted(_read_jsonl(path or self.requests_path), key=lambda r: r["t"])

    def live_requests(self):
        return self.requests(self.live_requests_path)

    def dwm_calls(self, call=None):
        recs = _read_jsonl(self.dwm_path)
        return [r for r in recs if call is None or r.get("call") == call]

    def colorizations(self):
        return self.dwm_calls("131")

    def screenshot(self, name):
        self.shots += 1
        path = os.path.join(self.out, f"{self.shots:02d}-{name}.png")
        subprocess.run(["import", "-display", DISPLAY, "-window", "root", path],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30)
        return path

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *[str(a) for a in args]], env=self.env,
                              capture_output=True, text=True, timeout=20)

    def pixel_region(self, x, y, w, h):
        """RGB bytes of a screen rectangle (for tray icon presence)."""
        r = subprocess.run(["import", "-display", DISPLAY, "-window", "root", "-crop", f"{w}x{h}+{x}+{y}",
                            "-depth", "8", "rgb:-"], capture_output=True, timeout=30)
        return r.stdout

    def korvane_pids(self):
        """Windows-side processes named Korvane.exe, seen from Linux."""
        pids = []
        for pid in os.listdir("/proc"):
            if not pid.isdigit():
                continue
            try:
                cmd = open(f"/proc/{pid}/cmdline", "rb").read().split(b"\0")
            except OSError:
                continue
            if any(part.lower().endswith(b"korvane.exe") for part in cmd[:2]):
                pids.append(int(pid))
        return pids

    # ---- checking -----------------------------------------------------------
    def check(self, cond, what):
        self.note(("PASS " if cond else "FAIL ") + what)
        if not cond:
            self.failures.append(what)
            self.screenshot("failure")
        return cond

    def require(self, cond, what):
        if not self.check(cond, what):
            raise ScenarioFailed(what)

    def sleep_until(self, t_rel, base=None):
        """Sleeps until t_rel seconds after base (default: program start)."""
        base = self.t_start if base is None else base
        delay = base + t_rel - now()
        if delay > 0:
            time.sleep(delay)


def _read_jsonl(path):
    out = []
    if os.path.exists(path):
        with open(path, encoding="utf-8", errors="replace") as f:
            for line in f:
                line = line.strip()
                if line:
                    try:
                        out.append(json.loads(line))
                    except ValueError:
                        pass
    return out
