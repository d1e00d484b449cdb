#!/usr/bin/env python3
"""Memory beside the floor: Korvane.exe and the floor program built with FLOOR_FETCH (the same
WinINet request every 4 s, nothing else) run side by side under Wine against the weather
service answering by the long run's plan, so that memory that WinINet keeps is told apart from
Korvane's own.

usage: beside_floor.py --count N --exe EXE --floor EXE --dwmapi DLL --ui-helper EXE --probe EXE --out DIR

Both programs take their answers from one plan of 2 N attempts (readings and faults mixed as in
the long run), so each sees about N of them.  About every 60 s both are sampled: committed
private bytes and working set (the probe, inside the prefix) and RssAnon (/proc).  Writes
OUT/samples.jsonl and OUT/result.json and prints a table of the growth."""
import argparse
import json
import os
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [HERE]

import longrun  # noqa: E402  (puts tests/common on the path)
import weather_plan as plans  # noqa: E402

SECONDS_PER_REFRESH_BOUND = 12


def outside(args):
    # The dwmapi double goes into the prefix's system folder: Korvane loads it from there only.
    programs = ((args.exe, "Korvane.exe"), (args.floor, "floor.exe"), (args.ui_helper, "ui_helper.exe"),
                (args.probe, "probe.exe"))
    rc = longrun.run_in_world(args, "beside-floor", programs, 2 * args.count, __file__,
                              args.count * SECONDS_PER_REFRESH_BOUND + 900)
    out = os.path.abspath(args.out)
    if rc == 0:
        rc = summarise(out)
    return rc


def linux_memory(name):
    for pid in os.listdir("/proc"):
        if not pid.isdigit():
            continue
        try:
            cmd = open(f"/proc/{pid}/cmdline", "rb").read().split(b"\0")
            if not any(part.lower().endswith(name.lower().encode()) for part in cmd[:2]):
                continue
            status = open(f"/proc/{pid}/status").read()
        except OSError:
            continue
        fields = dict(line.split(":", 1) for line in status.splitlines() if ":" in line)
        return {k: int(fields[k].split()[0]) for k in ("VmRSS", "RssAnon") if k in fields}
    return {}


class Beside(longrun.Inside):
    def run(self):
        s = self.s
        samples_path = os.path.join(s.out, "samples.jsonl")
        result = {"count": self.count}
        try:
            s.start_world()
            s.write_config(high=str(plans.HIGH), low=str(plans.LOW))
            korvane = s.start_korvane()
            floor = s.spawn("floor", [s.loader, os.path.join(s.kdir, "floor.exe")], cwd=s.kdir)
            deadline = time.monotonic() + self.count * SECONDS_PER_REFRESH_BOUND
            next_sample = time.monotonic() + 20
            while (korvane.poll() is None and floor.poll() is None and self.attempts() < 2 * self.count
                   and time.monotonic() < deadline):
                if time.monotonic() >= next_sample:
                    rec = {"t": time.monotonic(), "attempts": self.attempts()}
                    for who, exe in (("korvane", "Korvane.exe"), ("floor", "floor.exe")):
                        rec[who] = {"probe": self.probe("stats", exe), "linux": linux_memory(exe)}
                    with open(samples_path, "a") as f:
                        f.write(json.dumps(rec) + "\n")
                    s.note(json.dumps(rec))
                    next_sample += longrun.CHECK_EVERY_S
                time.sleep(1)
            result["attempts"] = self.attempts()
            result["alive"] = {"korvane": korvane.poll() is None, "floor": floor.poll() is None}
        except Exception:
            import traceback
            result["error"] = traceback.format_exc()
            s.note(result["error"])
        finally:
            with open(os.path.join(s.out, "inside.json"), "w") as f:
                json.dump(result, f)
            s.stop_world()
        return 0 if "error" not in result and all(result["alive"].values()) else 1


def summarise(out):
    path = os.path.join(out, "samples.jsonl")
    samples = [json.loads(line) for line in open(path)] if os.path.exists(path) else []
    if not samples:
        print("no memory sample: the run ended before the first one (20 s in); give it more refreshes")
        return 1
    rows = {}
    quarter = samples[len(samples) // 4]
    for who in ("korvane", "floor"):
        def value(rec, key):
            return rec[who]["probe"].get(key) if key in ("private_committed", "working_set") \
                else rec[who]["linux"].get(key)
        rows[who] = {key: {"first": value(samples[0], key), "quarter": value(quarter, key),
                           "last": value(samples[-1], key)}
                     for key in ("private_committed", "working_set", "RssAnon")}
    requests = [json.loads(line) for line in open(os.path.join(out, "requests.jsonl")) if line.strip()]
    result = {"samples": len(samples), "attempts": len(requests),
              "minutes": round((samples[-1]["t"] - samples[0]["t"]) / 60, 1), "memory": rows}
    with open(os.path.join(out, "result.json"), "w") as f:
        json.dump(result, f, indent=1)
    print(f"{len(requests)} attempts over {result['minutes']} min, {len(samples)} samples")
    print(f"{'':10} {'measure':18} {'first':>12} {'quarter':>12} {'last':>12} {'quarter->last':>14}")
    for who, measures in rows.items():
        for key, v in measures.items():
            grow = v["last"] - v["quarter"] if None not in (v["last"], v["quarter"]) else None
            print(f"{who:10} {key:18} {v['first']!s:>12} {v['quarter']!s:>12} {v['last']!s:>12} {grow!s:>14}")
    return 0


def main():
    if len(sys.argv) > 2 and sys.argv[1] == "--inside":
        with open(sys.argv[2]) as f:
            return Beside(json.load(f)).run()
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    for name in ("--exe", "--floor", "--dwmapi", "--ui-helper", "--probe", "--out"):
        parser.add_argument(name, required=True)
    parser.add_argument("--count", type=int, default=450)
    return outside(parser.parse_args())


if __name__ == "__main__":
    sys.exit(main())
