#!/usr/bin/env python3
"""Long run: the real Korvane.exe under Wine against a flaky weather service.

usage: longrun.py --count N --exe EXE --dwmapi DLL --ui-helper EXE --probe EXE --out DIR

Outside: clones the end-to-end suite's template prefix, then runs itself again
inside `unshare` (loopback-only network, private /tmp, own process tree).
Inside: Xvfb, the weather service answering by the plan, the program; about
every 60 s it checks that the program is alive and answers, samples memory and
handles, and now and then opens the tray menu; after N connection attempts it
ends the program through the tray menu.  analyse.py then judges the logs."""
import argparse
import json
import os
import shutil
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))
E2E = os.path.join(REPO, "tests", "e2e")
sys.path[:0] = [HERE, os.path.join(E2E, "lib"), E2E, os.path.join(REPO, "tests", "common")]

import weather_plan as plans  # noqa: E402

NAMESPACE = ["unshare", "--mount", "--net", "--pid", "--fork", "--mount-proc", "--kill-child"]
MAIN_CLASS = "Korvane.MainWindow"
CHECK_EVERY_S = float(os.environ.get("KORVANE_LONGRUN_CHECK_S", 60))
MENU_EVERY_CHECKS = 3
PING_TIMEOUT_MS = 20000     # longer than one fetch's 10 s time-out plus a colour sweep
SECONDS_PER_ATTEMPT_BOUND = 12


def run_in_world(args, scenario, programs, attempts, script, bound):
    """Clones the suite's template prefix, puts `programs` ((source, name) pairs) into its
    Korvane folder and the dwmapi double into its system folder, writes the plan of `attempts`
    answers, and runs `script --inside` in a private namespace for at most `bound` seconds."""
    import runner
    import prefix as prefixes
    loader, arch = runner.pick_loader(args.exe)
    if loader is None:
        print(f"cannot run {args.exe} here: {arch}")
        return 77
    cache = os.environ.get("KORVANE_E2E_CACHE", os.path.join(REPO, "build", "e2e-cache"))
    template = runner.ensure_template(cache, arch, loader)
    out = os.path.abspath(args.out)
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    prefix = os.path.join(out + "-work", "prefix")
    prefixes.clone(template, prefix)
    kdir = os.path.join(prefix, "drive_c", "Korvane")
    os.makedirs(kdir, exist_ok=True)
    for src, name in programs:
        shutil.copy(src, os.path.join(kdir, name))
    prefixes.install_system_dll(prefix, arch == "win64", args.dwmapi)
    plans.write(os.path.join(out, "plan.tsv"), plans.make(attempts))
    cfg = {"scenario": scenario, "out": out, "prefix": prefix, "loader": loader, "arch": arch,
           "wineserver": runner.wineserver_path(), "count": args.count, "exe": os.path.abspath(args.exe),
           "script": os.path.join(out, "plan.tsv"), "server_lifetime_s": bound}
    cfg_path = os.path.join(out, "session.json")
    with open(cfg_path, "w") as f:
        json.dump(cfg, f)
    try:
        rc = subprocess.run(NAMESPACE + [sys.executable, script, "--inside", cfg_path], timeout=bound).returncode
    except subprocess.TimeoutExpired:
        print(f"the run exceeded its bound of {bound} s")
        rc = 1
    shutil.rmtree(out + "-work", ignore_errors=True)
    return rc


def outside(args):
    programs = ((args.exe, "Korvane.exe"), (args.ui_helper, "ui_helper.exe"), (args.probe, "probe.exe"))
    return run_in_world(args, "longrun", programs, args.count, __file__,
                        args.count * SECONDS_PER_ATTEMPT_BOUND + 900)


class Inside:
    def __init__(self, cfg):
        from session import Session
        self.s = Session(cfg)
        self.count = cfg["count"]
        self.checks_path = os.path.join(cfg["out"], "checks.jsonl")
        self.probe_exe = os.path.join(self.s.kdir, "probe.exe")

    def probe(self, *args, timeout=60):
        out_path = "/tmp/probe.out"
        with open(out_path, "wb") as out:
            try:
                subprocess.run([self.s.loader, self.probe_exe, *map(str, args)], env=self.s.env,
                               stdout=out, stderr=subprocess.DEVNULL, timeout=timeout)
            except subprocess.TimeoutExpired:
                return {"error": "probe timed out"}
        self.s.reap_orphans()
        for line in open(out_path, "rb").read().decode("utf-8", "replace").splitlines():
            if line.startswith("{"):
                try:
                    return json.loads(line)
                except ValueError:
                    pass
        return {"error": "no answer from probe"}

    def linux_memory(self):
        for pid in self.s.korvane_pids():
            try:
                status = open(f"/proc/{pid}/status").read()
            except OSError:
                continue
            fields = dict(line.split(":", 1) for line in status.splitlines() if ":" in line)
            out = {k: int(fields[k].split()[0]) for k in ("VmRSS", "RssAnon", "VmData", "VmSize") if k in fields}
            try:
                out["fds"] = len(os.listdir(f"/proc/{pid}/fd"))
            except OSError:
                pass
            return out
        return {}

    def attempts(self):
        with open(self.s.requests_path, encoding="utf-8") if os.path.exists(self.s.requests_path) \
                else open(os.devnull) as f:
            return sum(1 for line in f if line.strip())

    def open_menu(self, timeout=25):
        """Right click on the tray icon; the program may be inside a fetch of up to 10 s,
        so the wait is longer than the suite's."""
        from scenarios import common
        self.s.xdotool("mousemove", common.TRAY_SLOT_X, common.TASKBAR_Y, "click", "3")
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            menus = [w for w in self.s.helper("list", "all")[1] if w.get("class") == "#32768" and w.get("visible")]
            if menus:
                return menus[0]
            time.sleep(0.3)
        return None

    def menu_check(self):
        t = time.monotonic()
        menu = self.open_menu()
        if menu is None:
            return {"opened": False}
        opened_after = round(time.monotonic() - t, 1)
        self.s.xdotool("key", "Escape")
        closed = self._menu_gone(5)
        if not closed:      # a click on the empty desktop closes a menu too, once a refresh
            self.s.xdotool("mousemove", 400, 300, "click", "1")     # that came meanwhile has
            closed = self._menu_gone(15)                            # ended (a fetch: up to 10 s)
        return {"opened": True, "after_s": opened_after, "closed": closed}

    def _menu_gone(self, timeout):
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            if not any(w.get("class") == "#32768" and w.get("visible") for w in self.s.helper("list", "all")[1]):
                return True
            time.sleep(0.3)
        return False

    def check(self, p, n, with_menu):
        rec = {"t": time.clock_gettime(time.CLOCK_MONOTONIC_RAW), "check": n, "alive": p.poll() is None,
               "attempts": self.attempts()}
        if rec["alive"]:
            rec["ping"] = self.probe("ping", MAIN_CLASS, PING_TIMEOUT_MS)
            rec["stats"] = self.probe("stats", "Korvane.exe")
            rec["linux"] = self.linux_memory()
            if with_menu:
                rec["menu"] = self.menu_check()
        with open(self.checks_path, "a") as f:
            f.write(json.dumps(rec) + "\n")
        self.s.note(f"check {n}: {json.dumps(rec)}")
        return rec

    def run(self):
        s = self.s
        result = {"count": self.count}
        try:
            s.start_world()
            s.write_config(high=str(plans.HIGH), low=str(plans.LOW))
            p = s.start_korvane()
            result["t_start"] = s.t_start
            deadline = time.monotonic() + self.count * SECONDS_PER_ATTEMPT_BOUND
            n = 0
            next_check = time.monotonic() + 20
            while p.poll() is None and self.attempts() < self.count and time.monotonic() < deadline:
                if time.monotonic() >= next_check:
                    self.check(p, n, with_menu=n % MENU_EVERY_CHECKS == 1)
                    n += 1
                    next_check += CHECK_EVERY_S
                time.sleep(1)
            result["attempts_at_end"] = self.attempts()
            result["crashed_early"] = p.poll() is not None
            if p.poll() is None:
                self.check(p, n, with_menu=False)
                result["exit"] = self.finish(p)
            else:
                result["exit"] = {"method": "none", "code": p.returncode}
            result["t_end"] = time.clock_gettime(time.CLOCK_MONOTONIC_RAW)
        except Exception as e:      # recorded; the analysis turns it into a failure
            import traceback
            result["error"] = traceback.format_exc()
            s.note(result["error"])
        finally:
            s.screenshot("end")
            with open(os.path.join(s.out, "inside.json"), "w") as f:
                json.dump(result, f)
            s.stop_world()
        return 0

    def finish(self, p):
        """Ends the program as a user would: tray menu 退出; WM_CLOSE if the menu fails."""
        from scenarios import tray_menu
        s = self.s
        t = time.clock_gettime(time.CLOCK_MONOTONIC_RAW)
        for attempt in range(3):
            menu = self.open_menu()
            if menu is None:
                continue
            row = (menu["bottom"] - menu["top"]) / len(tray_menu.ENTRIES)
            y = int(menu["top"] + row * (tray_menu.ENTRIES.index("退出") + 0.5))
            s.xdotool("mousemove", int((menu["left"] + menu["right"]) / 2), y, "click", "1")
            code = s.wait_exit(p, 30)
            if code is not None:
                return {"method": "tray menu 退出", "code": code, "t": t}
        self.probe("close", MAIN_CLASS)
        code = s.wait_exit(p, 30)
        return {"method": "WM_CLOSE", "code": code, "t": t}


def main():
    if len(sys.argv) > 2 and sys.argv[1] == "--inside":
        with open(sys.argv[2]) as f:
            return Inside(json.load(f)).run()
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    for name in ("--exe", "--dwmapi", "--ui-helper", "--probe", "--out"):
        parser.add_argument(name, required=True)
    parser.add_argument("--count", type=int, default=500)
    return outside(parser.parse_args())


if __name__ == "__main__":
    sys.exit(main())
