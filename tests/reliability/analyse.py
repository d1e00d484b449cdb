#!/usr/bin/env python3
"""Judges a long run from its logs and writes result.json plus a summary table.

usage: analyse.py OUT_DIR     exit code 0 = every check passed

Logs: plan.tsv (what each attempt was answered), requests.jsonl (the server,
one line per attempt), dwm.jsonl (the colorizations), checks.jsonl (the
periodic probes), inside.json (start, end, exit)."""
import json
import os
import platform
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [os.path.join(os.path.dirname(HERE), "common"), os.path.join(os.path.dirname(HERE), "e2e", "lib")]

import weather_plan as plans  # noqa: E402
from ramp import composition_colour, scale_position  # noqa: E402

TICKS_S = 4.0               # a refresh every fourth one-second tick
LATE_S = 6.0                # a refresh later than this after the last one finished is missing
TIMEOUT_RANGE_S = (9.0, 12.5)
FLAT_PRIVATE_BYTES = 1536 * 1024
FLAT_HANDLES = 10
WALK_MARGIN = (-100, 200)   # a walk to a position beyond the ramp stops here


def jsonl(path):
    if not os.path.exists(path):
        return []
    with open(path, encoding="utf-8", errors="replace") as f:
        return [json.loads(line) for line in f if line.strip().startswith("{")]


def colour_checks(attempts, colours, t_exit):
    """Walks the attempts in time order: a whole reading must end on its colour after
    exactly as many steps as positions moved; nothing else may colour."""
    position, wrong, steps_total, coloured, by_kind = None, [], 0, 0, {}
    for i, a in enumerate(attempts):
        t_next = attempts[i + 1]["t"] if i + 1 < len(attempts) else t_exit
        mine = [c for c in colours if a["t"] < c["t"] < t_next]
        a["colour_until"] = mine[-1]["t"] if mine else None
        by_kind[a["kind"]] = by_kind.get(a["kind"], 0) + (1 if mine else 0)
        expect = a.get("expect")
        if expect is None:
            if mine:
                wrong.append(f"attempt {a['n']} ({a['kind']}) coloured {len(mine)} times")
            continue
        target = scale_position(expect, plans.LOW, plans.HIGH)
        ends = [max(WALK_MARGIN[0], min(WALK_MARGIN[1], p)) for p in (target, position or 0)]
        steps = 1 if position is None else max(1, abs(ends[0] - ends[1]))
        want = composition_colour(target)
        got = mine[-1]["fields"][0] if mine else None
        if len(mine) != steps or got != want:
            wrong.append(f"attempt {a['n']} ({a['kind']} temp {a.get('temp')!r}): {len(mine)} colours, "
                         f"last {got and hex(got)}; want {steps} ending {hex(want)}")
        position = target
        steps_total += len(mine)
        coloured += 1 if mine else 0
    return {"readings_coloured": coloured, "colorizations_in_readings": steps_total,
            "coloured_attempts_by_kind": by_kind, "wrong": wrong}


def timing_checks(attempts):
    """The spacing of the refreshes: each comes four ticks after the last one ended
    (its fetch, then its colour steps)."""
    rests, late, busy_total = [], [], 0.0
    for a, b in zip(attempts, attempts[1:]):
        done = max(a.get("end", a["t"]), a.get("colour_until") or a["t"])
        busy_total += done - a["t"]
        rest = b["t"] - done
        rests.append(rest)
        if rest > LATE_S:
            late.append(f"attempt {b['n']} came {rest:.1f} s after attempt {a['n']} ({a['kind']}) ended")
    elapsed = attempts[-1]["t"] - attempts[0]["t"] if attempts else 0
    expected = 1 + (elapsed - busy_total) / TICKS_S
    return {"elapsed_s": round(elapsed, 1), "busy_s": round(busy_total, 1),
            "expected_attempts": round(expected, 1), "rest_mean_s": round(statistics.mean(rests), 3) if rests else None,
            "rest_max_s": round(max(rests), 3) if rests else None, "late": late}


def fetch_endings(attempts):
    """How the held connections ended: the program's 10 s time-out or the server giving up."""
    out = {}
    for kind in ("hang", "stall"):
        held = [a for a in attempts if a["kind"] == kind and "end" in a]
        if not held:
            continue
        durations = [a["end"] - a["t"] for a in held]
        out[kind] = {"count": len(held), "ended_by_program": sum(a.get("ended_by") == "client" for a in held),
                     "min_s": round(min(durations), 2), "max_s": round(max(durations), 2)}
    return out


def series(checks, key, sub):
    return [c[key][sub] for c in checks if isinstance(c.get(key), dict) and isinstance(c[key].get(sub), int)
            and c[key][sub] >= 0]


def memory_checks(checks):
    out = {}
    # Wine reads PrivateUsage and GetProcessHandleCount of another process as 0, so the
    # committed private regions and the wineserver's handle list stand in for them.
    for label, key, sub, limit in (("private committed bytes", "stats", "private_committed", FLAT_PRIVATE_BYTES),
                                   ("working set bytes", "stats", "working_set", None),
                                   ("handles (wineserver)", "stats", "server_handles", FLAT_HANDLES),
                                   ("Linux RssAnon kB", "linux", "RssAnon", FLAT_PRIVATE_BYTES // 1024),
                                   ("Linux VmRSS kB", "linux", "VmRSS", None),
                                   ("Linux open fds", "linux", "fds", FLAT_HANDLES)):
        values = series(checks, key, sub)
        if not values:
            continue
        settled = values[len(values) // 4]      # after the first fetches filled the heap
        growth = values[-1] - settled
        out[label] = {"first": values[0], "middle": values[len(values) // 2], "last": values[-1],
                      "max": max(values), "samples": len(values), "growth_after_first_quarter": growth,
                      "limit": limit, "flat": limit is None or growth <= limit}
    return out


def machine():
    def cmd(*argv):
        try:
            return subprocess.run(argv, capture_output=True, text=True, timeout=20).stdout.strip()
        except (OSError, subprocess.TimeoutExpired):
            return ""
    cpu = next((line.split(":", 1)[1].strip() for line in open("/proc/cpuinfo") if line.startswith("model name")), "")
    mem = next((line.split()[1] for line in open("/proc/meminfo") if line.startswith("MemTotal")), "0")
    return {"cpu": cpu, "cores": os.cpu_count(), "memory_gib": round(int(mem) / 1048576, 1),
            "kernel": platform.release(), "wine": cmd("/usr/lib/wine/wine64", "--version") or cmd("wine", "--version"),
            "os": next((l.split("=", 1)[1].strip().strip('"') for l in open("/etc/os-release")
                        if l.startswith("PRETTY_NAME=")), "")}


def analyse(out):
    plan = plans.read(os.path.join(out, "plan.tsv"))
    inside = json.load(open(os.path.join(out, "inside.json"))) if os.path.exists(os.path.join(out, "inside.json")) else {}
    session = json.load(open(os.path.join(out, "session.json")))
    t_exit = (inside.get("exit") or {}).get("t") or inside.get("t_end") or float("inf")
    attempts = sorted((a for a in jsonl(os.path.join(out, "requests.jsonl")) if a["t"] < t_exit), key=lambda a: a["t"])
    for a in attempts:
        entry = plan[min(a["n"], len(plan) - 1)]
        a["expect"] = entry.get("expect")
        a["planned"] = entry["kind"]
    colours = [c for c in jsonl(os.path.join(out, "dwm.jsonl")) if c.get("call") == "131"]
    checks = jsonl(os.path.join(out, "checks.jsonl"))

    kinds = {}
    for a in attempts:
        kinds[a["kind"]] = kinds.get(a["kind"], 0) + 1
    colour = colour_checks(attempts, colours, t_exit)
    timing = timing_checks(attempts)
    memory = memory_checks(checks)
    pings = [c["ping"] for c in checks if "ping" in c]
    menus = [c["menu"] for c in checks if "menu" in c]
    ex = inside.get("exit") or {}
    verdicts = {
        "attempts reached the count": len(attempts) >= session["count"],
        "answers followed the plan": all(a["kind"] == a["planned"] for a in attempts),
        "alive at every check": bool(checks) and all(c.get("alive") for c in checks),
        "answered every ping": bool(pings) and all(p.get("answered") for p in pings),
        "tray menu opened and closed every time": all(m.get("opened") and m.get("closed") for m in menus),
        "no refresh missing": not timing["late"] and len(attempts) >= 0.97 * timing["expected_attempts"],
        "held fetches ended by the program's time-out": all(
            TIMEOUT_RANGE_S[0] <= a["end"] - a["t"] <= TIMEOUT_RANGE_S[1] and a.get("ended_by") == "client"
            for a in attempts if a["kind"] in ("hang", "stall")),
        "good readings coloured, nothing else": not colour["wrong"],
        "memory and handles flat": bool(memory) and all(m["flat"] for m in memory.values()),
        "ended through the tray menu with code 0": ex.get("method") == "tray menu 退出" and ex.get("code") == 0,
        "no error in the driver": "error" not in inside,
    }
    result = {
        "passed": all(verdicts.values()), "verdicts": verdicts,
        "date": time.strftime("%Y-%m-%d %H:%M %Z"), "machine": machine(),
        "exe": session.get("exe"), "arch": session.get("arch"), "count": session["count"],
        "duration_s": round(t_exit - inside["t_start"], 1) if inside.get("t_start") and t_exit != float("inf") else None,
        "attempts": len(attempts), "requests_served": sum(a["kind"] != "refused" for a in attempts),
        "attempts_by_kind": dict(sorted(kinds.items(), key=lambda kv: -kv[1])),
        "colorizations": len(colours), "colour": colour, "timing": timing,
        "fetch_endings": fetch_endings(attempts), "memory": memory,
        "pings": {"count": len(pings), "answered": sum(bool(p.get("answered")) for p in pings),
                  "max_ms": max((p.get("ms", 0) for p in pings), default=None)},
        "menus": {"count": len(menus), "ok": sum(bool(m.get("opened") and m.get("closed")) for m in menus),
                  "max_open_s": max((m.get("after_s", 0) for m in menus), default=None)},
        "exit": ex,
    }
    with open(os.path.join(out, "result.json"), "w", encoding="utf-8") as f:
        json.dump(result, f, ensure_ascii=False, indent=1)
    return result


def table(r):
    rows = [("duration", f"{r['duration_s']} s"), ("attempts (served + refused)", f"{r['attempts']} ({r['requests_served']} served)"),
            ("expected from elapsed time", str(r["timing"]["expected_attempts"])),
            ("rest after a refresh, mean / max", f"{r['timing']['rest_mean_s']} / {r['timing']['rest_max_s']} s"),
            ("colorizations", str(r["colorizations"])),
            ("readings coloured", str(r["colour"]["readings_coloured"])),
            ("pings answered", f"{r['pings']['answered']}/{r['pings']['count']}, slowest {r['pings']['max_ms']} ms"),
            ("tray menu checks", f"{r['menus']['ok']}/{r['menus']['count']}"),
            ("exit", f"{r['exit'].get('method')} code {r['exit'].get('code')}")]
    for kind, n in r["attempts_by_kind"].items():
        rows.append((f"  answer {kind}", f"{n}, coloured {r['colour']['coloured_attempts_by_kind'].get(kind, 0)}"))
    for kind, e in r["fetch_endings"].items():
        rows.append((f"  {kind} ended by program", f"{e['ended_by_program']}/{e['count']}, {e['min_s']}-{e['max_s']} s"))
    for label, m in r["memory"].items():
        rows.append((label, f"first {m['first']} middle {m['middle']} last {m['last']} max {m['max']}"))
    width = max(len(k) for k, _ in rows)
    lines = [f"{k.ljust(width)}  {v}" for k, v in rows]
    lines.append("")
    lines += [f"{'PASS' if ok else 'FAIL'}  {name}" for name, ok in r["verdicts"].items()]
    for w in (r["colour"]["wrong"] + r["timing"]["late"])[:10]:
        lines.append(f"      {w}")
    return "\n".join(lines)


if __name__ == "__main__":
    res = analyse(sys.argv[1])
    print(table(res))
    sys.exit(0 if res["passed"] else 1)
