#!/usr/bin/env python3
"""Compares the processor time of two or more builds of Korvane.exe under Wine: each build runs
the benchmark's timeline in turn (A, B, A, B, ...), so that both meet the machine in the same
states, and the table gives every run and the median of each build's runs.
usage: bench/compare.py --dwmapi DLL --probe EXE [--runs N] [--refreshes N] NAME=EXE NAME=EXE ...
The builds must be of one architecture; build an older commit in a worktree with the same preset."""
import argparse
import json
import os
import statistics
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
from report import cpu_share, typical_refresh_share  # noqa: E402


def figures(result):
    exe = ["exe_cpu"]
    return {"normal %": cpu_share([result["normal"]], exe)[2],
            "refresh period %": typical_refresh_share(result),
            "transitions %": cpu_share(result["transitions"], exe)[2]}


def main():
    p = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    p.add_argument("--dwmapi", required=True)
    p.add_argument("--probe", required=True)
    p.add_argument("--runs", type=int, default=3)
    p.add_argument("--refreshes", type=int, default=25)
    p.add_argument("--out", default=os.path.join("build", "bench", "compare"))
    p.add_argument("builds", nargs="+", metavar="NAME=EXE")
    args = p.parse_args()
    builds = [b.split("=", 1) for b in args.builds]
    if len(builds) < 2 or any(len(b) != 2 for b in builds):
        p.error("give at least two builds as NAME=EXE")
    runs = {name: [] for name, _ in builds}
    for i in range(args.runs):
        for name, exe in builds:
            out = os.path.join(args.out, f"{name}-{i + 1}")
            rc = subprocess.run([sys.executable, os.path.join(HERE, "run.py"), "korvane", exe,
                                 "--dwmapi", args.dwmapi, "--probe", args.probe, "--out", out,
                                 "--refreshes", str(args.refreshes)],
                                stdout=subprocess.DEVNULL).returncode
            result = json.load(open(os.path.join(out, "result.json"))) if rc == 0 else {}
            if "normal" not in result or "transitions" not in result:
                print(f"{name} run {i + 1} failed (exit {rc}): see {out}")
                return 1
            runs[name].append(figures(result))
            print(f"{name} run {i + 1}: " + ", ".join(f"{k} {v:.3f}" for k, v in runs[name][-1].items()),
                  flush=True)
    keys = list(next(iter(runs.values()))[0])
    print(f"\n| Program CPU, median of {args.runs} runs | " + " | ".join(n for n, _ in builds) + " |")
    print("|---" * (len(builds) + 1) + "|")
    for k in keys:
        print(f"| {k} | " + " | ".join(f"{statistics.median(r[k] for r in runs[n]):.3f}" for n, _ in builds) + " |")
    return 0


if __name__ == "__main__":
    sys.exit(main())
