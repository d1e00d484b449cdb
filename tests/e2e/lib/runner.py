#!/usr/bin/env python3
"""Runs one end-to-end scenario: prepares a cloned Wine prefix with the program,
the dwmapi doubles and the UI helper, then runs the scenario inside
`unshare --mount --net --pid --fork --mount-proc --kill-child`, so that the
network is loopback only and every process it started dies with it.

usage: runner.py SCENARIO[@VARIANT] KORVANE_EXE DWMAPI_DLL DWMAPI_NO131_DLL UI_HELPER_EXE
A variant runs the same scenario in another setting (see VARIANTS).
Exit code 0 = pass, 1 = fail, 77 = cannot run here (skipped)."""
import importlib
import json
import os
import shutil
import subprocess
import sys
import time
import traceback

HERE = os.path.dirname(os.path.abspath(__file__))
E2E = os.path.dirname(HERE)
REPO = os.path.dirname(os.path.dirname(E2E))
sys.path.insert(0, HERE)

import prefix as prefixes  # noqa: E402

SCENARIO_TIMEOUT_S = 420
SKIP = 77
NAMESPACE = ["unshare", "--mount", "--net", "--pid", "--fork", "--mount-proc", "--kill-child"]
# The folder Korvane.exe runs from, as a path below drive_c, for each variant.
EXE_FOLDER = "Korvane"
VARIANTS = {
    # The program's process on a Windows whose language for non-Unicode programs is not
    # Chinese: its ANSI code page is 1252.
    "cp1252": {},
    # A folder whose name holds characters outside GBK and outside code page 1252; started
    # from another folder, as at log-on, so that only the program's own folder change
    # brings it to its config.ini.
    "unicode-folder": {"exe_folder": "users/Zoë/天气 ☀", "start_folder": "windows"},
}


def pe_machine(path):
    with open(path, "rb") as f:
        data = f.read(4096)
    pe = int.from_bytes(data[0x3C:0x40], "little")
    return int.from_bytes(data[pe + 4:pe + 6], "little")


def pick_loader(exe):
    """i686 programs need a 32-bit capable Wine; x86_64 ones run on wine64."""
    machine = pe_machine(exe)
    if machine == 0x8664:
        for loader in ("/usr/lib/wine/wine64", shutil.which("wine64") or ""):
            if loader and os.access(loader, os.X_OK):
                return loader, "win64"
        return None, "no wine64 loader found"
    # scripts/e2e-build starts a 32-bit program under the installed Wine to tell.
    probe = subprocess.run(["bash", os.path.join(REPO, "scripts", "e2e-build")], capture_output=True,
                           text=True, timeout=600)
    if probe.stdout.split()[:1] != ["windows"]:
        return None, probe.stderr.strip()
    return "wine", "win32"


def wineserver_path():
    for p in ("/usr/lib/wine/wineserver", shutil.which("wineserver") or ""):
        if p and os.access(p, os.X_OK):
            return p
    return "wineserver"


def ensure_template(cache, arch, loader):
    os.makedirs(cache, exist_ok=True)
    template = os.path.join(cache, f"prefix-{arch}")
    with prefixes.TemplateLock(template + ".lock"):
        if os.path.exists(os.path.join(template, "system.reg")):
            return template
        t = time.monotonic()
        cmd = NAMESPACE + [sys.executable, __file__, "--build-template", template, loader,
                           wineserver_path(), os.path.join(cache, f"prefix-{arch}.log")]
        subprocess.run(cmd, check=True, timeout=600)
        print(f"template prefix built in {time.monotonic() - t:.0f} s", flush=True)
    return template


def outside(argv):
    scenario, exe, dll, dll_no131, helper = argv
    variant = scenario.partition("@")[2]
    if variant and variant not in VARIANTS:
        print(f"unknown variant: {variant}")
        return 2
    out = os.path.join(REPO, "build", "e2e-out", scenario)
    work = os.path.join(REPO, "build", "e2e-work", scenario)
    cache = os.environ.get("KORVANE_E2E_CACHE", os.path.join(REPO, "build", "e2e-cache"))
    for path in (exe, dll, dll_no131, helper):
        if not os.path.exists(path):
            print(f"missing: {path}")
            return 1
    loader, arch = pick_loader(exe)
    if loader is None:
        print(f"SKIP: {arch}")
        return SKIP
    template = ensure_template(cache, arch, loader)
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    prefix = os.path.join(work, "prefix")
    prefixes.clone(template, prefix)
    exe_folder = VARIANTS.get(variant, {}).get("exe_folder", EXE_FOLDER)
    kdir = os.path.join(prefix, "drive_c", *exe_folder.split("/"))
    os.makedirs(kdir, exist_ok=True)
    shutil.copy(exe, os.path.join(kdir, "Korvane.exe"))
    shutil.copy(helper, os.path.join(kdir, "ui_helper.exe"))
    # Other test programs built beside the helper (icon_probe.exe) go in with it.
    for name in os.listdir(os.path.dirname(os.path.abspath(helper))):
        if name.endswith(".exe") and name != os.path.basename(helper):
            shutil.copy(os.path.join(os.path.dirname(os.path.abspath(helper)), name), kdir)
    # The dwmapi doubles stand in the system folder, where the program loads dwmapi.dll from;
    # the variants wait in a folder of their own.
    doubles = os.path.join(prefix, "drive_c", "e2e-doubles")
    os.makedirs(doubles, exist_ok=True)
    shutil.copy(dll, os.path.join(doubles, "dwmapi_full.dll"))
    shutil.copy(dll_no131, os.path.join(doubles, "dwmapi_no131.dll"))
    prefixes.install_system_dll(prefix, arch == "win64", dll)
    cfg = {"no_warmup": scenario.startswith("_"), "scenario": scenario.partition("@")[0],
           "variant": variant, "out": out, "prefix": prefix, "loader": loader,
           "wineserver": wineserver_path(), "arch": arch, "kdir": kdir, "doubles": doubles,
           "exe_folder": "C:\\" + exe_folder.replace("/", "\\"),
           "start_folder": os.path.join(prefix, "drive_c", VARIANTS.get(variant, {}).get("start_folder", exe_folder))}
    cfg_path = os.path.join(out, "session.json")
    with open(cfg_path, "w") as f:
        json.dump(cfg, f)
    t = time.monotonic()
    try:
        rc = subprocess.run(NAMESPACE + [sys.executable, __file__, "--inside", cfg_path],
                            timeout=SCENARIO_TIMEOUT_S).returncode
    except subprocess.TimeoutExpired:
        print(f"FAIL: scenario {scenario} exceeded {SCENARIO_TIMEOUT_S} s")
        rc = 1
    print(f"scenario {scenario}: {'PASS' if rc == 0 else 'FAIL'} in {time.monotonic() - t:.0f} s; "
          f"output in {out}", flush=True)
    if rc == 0 and not os.environ.get("KORVANE_E2E_KEEP"):
        shutil.rmtree(work, ignore_errors=True)
    return rc


def inside(cfg_path):
    from session import Session, ScenarioFailed
    with open(cfg_path) as f:
        cfg = json.load(f)
    s = Session(cfg)
    module = importlib.import_module("scenarios." + cfg["scenario"].replace("-", "_"))
    ok = False
    try:
        s.start_world()
        module.run(s)
        ok = not s.failures
    except ScenarioFailed as e:
        s.note(f"stopped: {e}")
    except Exception:  # a broken scenario is a failure, with its trace in the log
        s.note(traceback.format_exc())
    finally:
        if not ok:
            try:
                s.screenshot("end")
            except Exception:
                pass
        s.stop_world()
    for f in s.failures:
        s.note(f"failed check: {f}")
    return 0 if ok else 1


def main():
    if len(sys.argv) > 1 and sys.argv[1] == "--inside":
        sys.path.insert(0, E2E)
        return inside(sys.argv[2])
    if len(sys.argv) > 1 and sys.argv[1] == "--build-template":
        template, loader, wineserver, log = sys.argv[2:6]
        from private_tmp import mount_private_tmp
        mount_private_tmp(keep=[os.path.dirname(template)])
        prefixes.build_template(template, loader, wineserver, log)
        return 0
    if len(sys.argv) != 6:
        print(__doc__)
        return 2
    return outside(sys.argv[1:])


if __name__ == "__main__":
    sys.exit(main())
