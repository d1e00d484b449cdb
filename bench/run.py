#!/usr/bin/env python3
"""Runs one program (Korvane.exe, the floor or the floor with Korvane's libraries) under Wine for the benchmark and
writes its measurements to OUT/result.json.

Outside: clones the end-to-end suite's template prefix, copies the program, the
recording dwmapi double and the tray probe into it, and re-runs itself inside
`unshare --mount --net --pid --fork --mount-proc --kill-child`.
Inside: brings up the world (Xvfb, virtual desktop, weather server, wineserver)
and runs the phases of bench/lib/phases.py."""
import argparse
import json
import os
import shutil
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "lib"))

import world  # noqa: E402  (puts the end-to-end library on the path)
import runner  # noqa: E402
import prefix as prefixes  # noqa: E402


def outside(args):
    loader, arch = runner.pick_loader(args.exe)
    if loader is None:
        print(f"cannot run {args.exe} here: {arch}")
        return 77
    cache = os.environ.get("KORVANE_E2E_CACHE", os.path.join(world.REPO, "build", "e2e-cache"))
    template = runner.ensure_template(cache, arch, loader)
    out = os.path.abspath(args.out)
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    prefix = os.path.join(out, "prefix")
    prefixes.clone(template, prefix)
    kdir = os.path.join(prefix, "drive_c", "Korvane")
    os.makedirs(kdir, exist_ok=True)
    image = {"korvane": "Korvane.exe", "floor": "floor.exe"}.get(args.role, "floor_libraries.exe")
    shutil.copy(args.exe, os.path.join(kdir, image))
    prefixes.install_system_dll(prefix, arch == "win64", args.dwmapi)
    shutil.copy(args.probe, os.path.join(kdir, "tray_probe.exe"))
    cfg = {"role": args.role, "image": image, "out": out, "prefix": prefix, "loader": loader,
           "wineserver": runner.wineserver_path(), "arch": arch, "scenario": "bench",
           "refreshes": args.refreshes, "match": json.loads(args.match or "{}"),
           "server_lifetime_s": 600 + 6 * args.refreshes}
    with open(os.path.join(out, "session.json"), "w") as f:
        json.dump(cfg, f)
    timeout = cfg["server_lifetime_s"] + 300
    rc = subprocess.run(runner.NAMESPACE + [sys.executable, __file__, "--inside",
                                            os.path.join(out, "session.json")],
                        timeout=timeout).returncode
    if rc == 0 and not os.environ.get("KORVANE_BENCH_KEEP_PREFIX"):
        shutil.rmtree(prefix, ignore_errors=True)
    return rc


def inside(cfg_path):
    import phases
    with open(cfg_path) as f:
        cfg = json.load(f)
    s = world.BenchSession(cfg)
    result = {"role": cfg["role"], "arch": cfg["arch"]}
    try:
        s.start_world()
        result.update(phases.run(s, cfg))
        ok = True
    except Exception as e:  # recorded, and the run fails
        import traceback
        s.note(traceback.format_exc())
        result["error"] = str(e)
        ok = False
    finally:
        s.stop_world()
    with open(os.path.join(cfg["out"], "result.json"), "w") as f:
        json.dump(result, f, indent=1)
    return 0 if ok else 1


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--inside":
        sys.path.insert(0, os.path.dirname(world.E2E_LIB))
        return inside(sys.argv[2])
    p = argparse.ArgumentParser(description="one benchmark run of Korvane.exe or the floor")
    p.add_argument("role", choices=["korvane", "floor", "floor-libraries"])
    p.add_argument("exe")
    p.add_argument("--dwmapi", required=True, help="the recording dwmapi double")
    p.add_argument("--probe", required=True, help="tray_probe.exe")
    p.add_argument("--out", required=True)
    p.add_argument("--refreshes", type=int, default=100)
    p.add_argument("--match", help="floor: JSON of the Korvane run's phase lengths to match")
    return outside(p.parse_args())


if __name__ == "__main__":
    sys.exit(main())
