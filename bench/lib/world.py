"""The benchmark's world: the end-to-end harness's session (private namespace,
Xvfb, virtual desktop, local weather service, cloned Wine prefix; the service
lives as long as cfg["server_lifetime_s"] asks), and samples of the program's
processor time and memory."""
import os
import subprocess
import sys
import time

BENCH = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
REPO = os.path.dirname(BENCH)
E2E_LIB = os.path.join(REPO, "tests", "e2e", "lib")
sys.path.insert(0, E2E_LIB)
sys.path.insert(0, os.path.dirname(E2E_LIB))

import procstat  # noqa: E402
from session import Session, now  # noqa: E402,F401

PROBE_TIMEOUT_MS = 60000


class BenchSession(Session):
    def __init__(self, cfg):
        super().__init__(cfg)
        self.exe = os.path.join(self.kdir, cfg["image"])
        self.image = cfg["image"]
        self.pid = None

    def start_probe(self):
        """Starts the tray probe and waits until it holds the empty tray's pixels."""
        path = os.path.join(self.out, "probe.out")
        out = open(path, "wb")
        p = subprocess.Popen([self.loader, os.path.join(self.kdir, "tray_probe.exe"),
                              str(PROBE_TIMEOUT_MS)], env=self.env, stdout=out,
                             stderr=subprocess.DEVNULL)
        self.procs.append(("probe", p))
        end = time.monotonic() + 60
        while time.monotonic() < end and "ready" not in self.probe_lines():
            time.sleep(0.05)
        return p

    def probe_lines(self):
        path = os.path.join(self.out, "probe.out")
        lines = {}
        if os.path.exists(path):
            for line in open(path, encoding="ascii", errors="replace"):
                word, _, value = line.strip().partition(" ")
                lines[word] = value
        return lines

    def start_program(self):
        # KORVANE_BENCH_WINEDEBUG=+server lists the program's wineserver requests in
        # wineserver.log, to find what a change adds to each refresh.
        debug = os.environ.get("KORVANE_BENCH_WINEDEBUG")
        p = self.start_korvane({"WINEDEBUG": debug} if debug else None)
        end = time.monotonic() + 30
        while time.monotonic() < end and self.pid is None:
            pids = procstat.pids_running(self.image)
            self.pid = pids[0] if pids else None
            time.sleep(0.02)
        self.note(f"{self.image} runs as Linux pid {self.pid}")
        return p

    def wineserver_pid(self):
        return next((p.pid for name, p in self.procs if name == "wineserver"), None)

    def xvfb_pid(self):
        return next((p.pid for name, p in self.procs if name == "xvfb"), None)

    def sample(self, label):
        """Processor seconds of the program, the wineserver, the other Wine
        processes and Xvfb, and the program's memory, at one moment."""
        others = {}
        for pid, path in procstat.wine_processes().items():
            if pid != self.pid:
                name = path.replace("/", "\\").rsplit("\\", 1)[-1].lower()
                others[name] = others.get(name, 0.0) + (procstat.cpu_seconds(pid) or 0.0)
        record = {
            "label": label, "t": now(),
            "exe_cpu": procstat.cpu_seconds(self.pid),
            "wineserver_cpu": procstat.cpu_seconds(self.wineserver_pid()),
            "other_wine_cpu": sum(others.values()),
            "other_wine_by_image": others,
            "xvfb_cpu": procstat.cpu_seconds(self.xvfb_pid()),
            "memory": procstat.memory_kib(self.pid),
        }
        if label in ("startup", "after-refreshes"):
            record["private_by_mapping"] = procstat.private_by_mapping(self.pid)
        self.note(f"sample {label}: {record}")
        return record
