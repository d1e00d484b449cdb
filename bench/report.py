#!/usr/bin/env python3
"""Turns the two runs' result.json files into the side-by-side table, prints it
and writes it into docs/PERFORMANCE.md as the section of the build that Wine ran
(the shipped i686 one or the x86-64 twin); the other build's section stays as it was.
usage: report.py KORVANE_RESULT FLOOR_RESULT FLOOR_LIBRARIES_RESULT SIZES_JSON CONTEXT_JSON OUTPUT_MD"""
import datetime
import json
import os
import platform
import re
import statistics
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "tests", "e2e", "lib"))
from ramp import composition_colour  # noqa: E402

SIZE_LIMIT = 300 * 1024
COLOUR_TO_POSITION = {composition_colour(p): p for p in range(0, 101)}


def cpu_share(pairs, keys):
    """Processor seconds of the given counters over the summed wall time of (begin, end) samples."""
    cpu = sum(sum(e[k] - b[k] for k in keys) for b, e in pairs)
    wall = sum(e["t"] - b["t"] for b, e in pairs)
    return cpu, wall, (100.0 * cpu / wall if wall > 0 else float("nan"))


REFRESH_S = 4.0


def refresh_costs(result):
    """Processor milliseconds of the program in each 4-s window of the normal phase that holds
    one refresh (from 1 s before its request), or, for the floor, in consecutive 4-s windows.
    A window's cost is one refresh and four timer ticks; their median leaves out the stalls the
    virtual machine puts into a few windows of every run, which swing the phase's mean by half."""
    series = [(t, c) for t, c in result.get("normal_series", []) if c is not None]
    if len(series) < 2:
        return []
    first, last = series[0][0], series[-1][0]

    def cpu_at(t):
        return next((c for u, c in reversed(series) if u <= t), series[0][1])

    if result.get("role") == "korvane":
        starts = [r["t"] - 1.0 for r in result["requests"] if first + 1.0 <= r["t"] <= last - 3.0]
    else:
        starts = [first + REFRESH_S * i for i in range(int((last - first) // REFRESH_S))]
    return [1000.0 * (cpu_at(a + REFRESH_S) - cpu_at(a)) for a in starts]


def typical_refresh_share(result):
    costs = refresh_costs(result)
    return 100.0 * statistics.median(costs) / (1000.0 * REFRESH_S) if costs else float("nan")


def latencies(result):
    """Request arrival to the first colorization after it, split into unchanged readings
    (applied at once) and changed ones (the first step comes after a 50 ms wait)."""
    records = [d for d in result.get("dwm", []) if d["call"] == "131"]
    direct, stepped, last = [], [], None
    for req in result.get("requests", []):
        after = [d for d in records if d["t"] > req["t"]]
        before = [d for d in records if d["t"] <= req["t"]]
        if not after:
            continue
        last = COLOUR_TO_POSITION.get(before[-1]["fields"][0]) if before else None
        first = COLOUR_TO_POSITION.get(after[0]["fields"][0])
        ms = 1000.0 * (after[0]["t"] - req["t"])
        (direct if last is None or first == last else stepped).append(ms)
    return direct, stepped


def pct(values, q):
    values = sorted(values)
    return values[min(len(values) - 1, int(q * len(values)))] if values else float("nan")


# The two builds the benchmark can run, by the Wine architecture that ran them: each has its own
# section of the document, between these markers.
BUILDS = {"win32": ("i686", "The shipped i686 build", "i686-w64-mingw32-g++-win32"),
          "win64": ("x86-64", "The x86-64 twin", "x86_64-w64-mingw32-g++-win32")}


def machine(context_path, arch):
    model = next((l.split(":", 1)[1].strip() for l in open("/proc/cpuinfo") if l.startswith("model name")), "?")
    wine = subprocess.run(["wine" if arch == "win32" else "/usr/lib/wine/wine64", "--version"],
                          capture_output=True, text=True).stdout.strip()
    gcc = subprocess.run([BUILDS[arch][2], "-dumpversion"], capture_output=True, text=True).stdout.strip()
    try:
        release = open("/etc/debian_version").read().strip()
        codename = next(l.split("=", 1)[1].strip() for l in open("/etc/os-release") if l.startswith("VERSION_CODENAME="))
        system = f"Debian {release} ({codename})"
    except (OSError, StopIteration):
        system = platform.platform()
    return {"nproc": os.cpu_count(), "cpu": model, "kernel": platform.release(), "wine": wine or "?",
            "system": system, "mingw_gcc": gcc,
            # The run writes its context at its end: that is when the measurement finished.
            "date": datetime.datetime.fromtimestamp(os.path.getmtime(context_path), datetime.timezone.utc)
            .strftime("%Y-%m-%d %H:%M UTC")}


def ratio(a, b):
    return f"{a / b:.2f}" if b else "–"


def build(k, f, sizes, ctx):
    rows, notes = [], []

    def row(name, kv, fv, unit, fmt="{:.2f}"):
        rows.append((name, fmt.format(kv) + unit, fmt.format(fv) + unit, ratio(kv, fv)))

    for arch in ("i686", "x86-64"):
        ks, fs = sizes.get(f"korvane-{arch}"), sizes.get(f"floor-{arch}")
        if ks and fs:
            row(f"Executable size, {arch}", ks / 1024, fs / 1024, " KiB", "{:.1f}")
    row("Start to tray icon drawn", k["tray_s"], f["tray_s"], " s", "{:.3f}")
    for label, key in (("after start-up (8 s)", "startup"), (f"after {ctx['refreshes']} refreshes", "after_refreshes")):
        row(f"Private memory {label}", k[key]["memory"]["Private_Dirty"] / 1024, f[key]["memory"]["Private_Dirty"] / 1024, " MiB")
        row(f"Resident memory (VmRSS) {label}", k[key]["memory"]["VmRSS"] / 1024, f[key]["memory"]["VmRSS"] / 1024, " MiB")
    exe, both = ["exe_cpu"], ["exe_cpu", "wineserver_cpu"]
    kn, fn = [k["normal"]], [f["normal"]]
    row("CPU, 60 s normal operation: program", cpu_share(kn, exe)[2], cpu_share(fn, exe)[2], " %", "{:.3f}")
    row("CPU, one refresh period (median 4-s window of the 60 s): program", typical_refresh_share(k),
        typical_refresh_share(f), " %", "{:.3f}")
    row("CPU, 60 s normal operation: program + wineserver", cpu_share(kn, both)[2], cpu_share(fn, both)[2], " %", "{:.3f}")
    kt, ft = k["transitions"], f["transitions"]
    row("CPU, 100-step transitions: program", cpu_share(kt, exe)[2], cpu_share(ft, exe)[2], " %", "{:.3f}")
    row("CPU, 100-step transitions: program + wineserver", cpu_share(kt, both)[2], cpu_share(ft, both)[2], " %", "{:.3f}")
    kl = [[k["transitions"][-1][1], k["after_refreshes"]]]
    fl = [[f["transitions"][-1][1], f["after_refreshes"]]]
    row("CPU, long phase average: program", cpu_share(kl, exe)[2], cpu_share(fl, exe)[2], " %", "{:.3f}")
    direct, stepped = latencies(k)
    lat = (f"median {statistics.median(direct):.1f} ms, 95th {pct(direct, 0.95):.1f} ms, max {max(direct):.1f} ms "
           f"over {len(direct)} unchanged readings; changed readings (first step after the 50 ms wait): "
           f"median {statistics.median(stepped):.1f} ms over {len(stepped)}") if direct and stepped else "–"
    trans_wall = [e["t"] - b["t"] for b, e in kt]

    def measured(kw, fw):
        server = ["wineserver_cpu"]
        beyond = cpu_share(kw, exe)[2] + cpu_share(kw, server)[2] - cpu_share(fw, server)[2]
        return (f"{cpu_share(kw, exe)[2]:.3f} % (with all wineserver time {cpu_share(kw, both)[2]:.3f} %; "
                f"with the wineserver time beyond the floor's {beyond:.3f} %)")

    targets = [
        ("100-step transition CPU < 2 % of its wall time (program)", cpu_share(kt, exe)[2] < 2.0,
         measured(kt, ft)),
        ("60 s of normal operation CPU < 0.5 % (program)", cpu_share(kn, exe)[2] < 0.5, measured(kn, fn)),
        ("Private memory within 1.5 × the floor's (after start-up and after the refreshes)",
         max(k[x]["memory"]["Private_Dirty"] / f[x]["memory"]["Private_Dirty"] for x in ("startup", "after_refreshes")) <= 1.5,
         " / ".join(f"{k[x]['memory']['Private_Dirty'] / f[x]['memory']['Private_Dirty']:.2f} ×" for x in ("startup", "after_refreshes"))),
        ("Korvane.exe (i686) at most 300 KiB (307 200 bytes)", sizes.get("korvane-i686", 1e12) <= SIZE_LIMIT,
         f"{sizes.get('korvane-i686', 0)} bytes"),
    ]
    return rows, targets, lat, trans_wall


def libraries_table(k, f, fl):
    out = ["", "### Memory against the floor with Korvane's start-up libraries", "",
           "The same floor built with FLOOR_WITH_PLATFORM_LIBRARIES: Korvane's manifest (version 6 common",
           "controls), a trackbar created hidden and WinINet opened and closed; measured 8 s after start.", "",
           "| Measure | Korvane | Floor | Floor with the libraries | Korvane / floor with the libraries |",
           "|---|---|---|---|---|"]
    for name, key in (("Private", "Private_Dirty"), ("Resident (VmRSS)", "VmRSS")):
        kv, fv, lv = (r["startup"]["memory"][key] / 1024 for r in (k, f, fl))
        out.append(f"| {name} memory after start-up | {kv:.2f} MiB | {fv:.2f} MiB | {lv:.2f} MiB | {ratio(kv, lv)} |")
    kv, fv, lv = (r["tray_s"] for r in (k, f, fl))
    out.append(f"| Start to tray icon drawn | {kv:.3f} s | {fv:.3f} s | {lv:.3f} s | {ratio(kv, lv)} |")
    return out


def trend(result):
    values = [x["memory"]["Private_Dirty"] for x in result.get("trend", []) + [result["after_refreshes"]]]
    return f"{min(values) / 1024:.2f} to {max(values) / 1024:.2f} MiB over {len(values)} samples"


HEADER = """# Performance

Korvane.exe against a floor: a minimal program with a hidden window, a tray icon and a 1 s timer
that does nothing (bench/floor/floor.cpp), built with the same compiler and flags. Both run under
Wine the same way; produced by `scripts/bench`, which rebuilds both for i686 and x86-64 and
rewrites the section of the build that Wine ran: the shipped i686 build where the machine's Wine
starts 32-bit programs, else its x86-64 twin (docs/WHAT-RUNS-WHERE.md). Each section says which
build ran and on which machine; the other section stays as its own run left it.
"""


def section_marks(name):
    return f"<!-- bench section: {name} -->", f"<!-- end of bench section: {name} -->"


def kept_section(path, name):
    """The named build's section of the existing document, or a note that it was never measured."""
    begin, end = section_marks(name)
    try:
        text = open(path, encoding="utf-8").read()
    except OSError:
        text = ""
    found = re.search(re.escape(begin) + r"\n(.*?)" + re.escape(end), text, re.S)
    return found.group(1).rstrip("\n").split("\n") if found else [
        "Not measured yet: `scripts/bench` has not run this build on a machine whose Wine starts it."]


def document(section_lines, arch, path):
    out = [HEADER]
    for each, (name, title, _) in BUILDS.items():
        begin, end = section_marks(name)
        out += [f"## {title}", "", begin]
        out += section_lines if each == arch else kept_section(path, name)
        out += [end, ""]
    with open(os.path.join(HERE, "method.md"), encoding="utf-8") as notes:
        out += [notes.read().rstrip()]
    return "\n".join(out) + "\n"


def markdown(k, f, fl, sizes, ctx, m):
    rows, targets, lat, trans_wall = build(k, f, sizes, ctx)
    name = BUILDS[k["arch"]][0]
    ran = ("the shipped i686 builds (win32)" if k["arch"] == "win32"
           else "the x86-64 builds (win64), the twins of the shipped i686 ones")
    out = [f"Measured (run ended) {m['date']} on {m['system']}, {m['nproc']} × {m['cpu']}, Linux {m['kernel']}, "
           f"{m['wine']}, MinGW-w64 GCC {m['mingw_gcc']}. Wine ran {ran}; the sizes of both builds are from the "
           f"same run. Sources: {ctx.get('sources', 'not recorded')}. {ctx['lock_note']}", "",
           f"| Measure ({name} build) | Korvane | Floor | Korvane / floor |", "|---|---|---|---|"]
    out += [f"| {a} | {b} | {c} | {d} |" for a, b, c, d in rows]
    out += ["", f"Reading to colour (request arrival at the local server to the first colorization record): {lat}.",
            "", f"Transition wall times: {', '.join(f'{w:.2f} s' for w in trans_wall)}.",
            "", f"Private memory during the refreshes, sampled every 20 s: Korvane {trend(k)}; floor {trend(f)}.",
            "", f"### Targets ({name} build)", "",
            "| Target | Measured | Verdict |", "|---|---|---|"]
    out += [f"| {name} | {value} | {'met' if ok else 'not met'} |" for name, ok, value in targets]
    out += libraries_table(k, f, fl)
    out += ["", f"### Private pages by mapping, clean and dirty ({name} build, after the refreshes, top entries, KiB)", "",
            "| Korvane | KiB | Floor | KiB |", "|---|---|---|---|"]
    kp, fp = k["after_refreshes"].get("private_by_mapping", []), f["after_refreshes"].get("private_by_mapping", [])
    for i in range(max(len(kp), len(fp))):
        a = kp[i] if i < len(kp) else ("", "")
        b = fp[i] if i < len(fp) else ("", "")
        out.append(f"| {a[0]} | {a[1]} | {b[0]} | {b[1]} |")
    return out, rows, targets, lat


def main():
    kp, fp, flp, sp, cp, md = sys.argv[1:7]
    k, f, fl, sizes, ctx = (json.load(open(p)) for p in (kp, fp, flp, sp, cp))
    for r in (k, f, fl):
        if "error" in r:
            print(f"the {r['role']} run failed: {r['error']}")
            return 1
    section, rows, targets, lat = markdown(k, f, fl, sizes, ctx, machine(cp, k["arch"]))
    text = document(section, k["arch"], md)
    width = max(len(r[0]) for r in rows)
    print(f"{'Measure':<{width}}  {'Korvane':>14}  {'Floor':>14}  ratio")
    for a, b, c, d in rows:
        print(f"{a:<{width}}  {b:>14}  {c:>14}  {d}")
    print(f"Reading to colour: {lat}")
    print("\n".join(libraries_table(k, f, fl)[-2:]))
    for name, ok, value in targets:
        print(f"[{'met' if ok else 'NOT MET'}] {name}: {value}")
    with open(md, "w", encoding="utf-8") as out:
        out.write(text)
    print(f"written: {md}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
