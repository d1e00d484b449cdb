"""Wine prefixes for the scenarios: one template built once (wineboot takes
10-20 s), cloned per scenario with hard links for the big PE files."""
import fcntl
import os
import shutil
import subprocess

HARDLINK_SUFFIXES = (".dll", ".exe", ".drv", ".sys", ".nls", ".ttf", ".ttc", ".fon", ".acm",
                     ".ocx", ".cpl", ".tlb", ".ax", ".mui", ".ds", ".msstyles", ".com")
REGISTRY_DESKTOP = [
    # A virtual desktop for every process of the prefix: a plain `wine X.exe`
    # then gets a taskbar with a notification area, and exit codes pass through.
    ("HKCU\\Software\\Wine\\Explorer", "Desktop", "Default"),
    ("HKCU\\Software\\Wine\\Explorer\\Desktops", "Default", "1024x768"),
    # Wine shows the taskbar (and so the tray) only on a desktop named "shell"
    # unless the desktop's own key says EnableShell.
    ("HKCU\\Software\\Wine\\Explorer\\Desktops\\Default", "EnableShell", 1),
]
# Chinese in Tahoma, the font of title bars and message boxes: a Chinese Windows links it to a
# Chinese font; Wine's own links name fonts the prefix lacks. Matters once Wine's Tahoma is there
# (fonts-wine, under Wine 10): without the link those texts show as boxes.
REGISTRY_FONTS = [
    ("HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink", "Tahoma",
     ["wqy-microhei.ttc,WenQuanYi Micro Hei"]),
]


def wine_env(prefix, loader):
    env = dict(os.environ)
    env.update({
        "WINEPREFIX": prefix,
        "WINEDEBUG": "-all",
        "WINEDLLOVERRIDES": "mscoree,mshtml=;winemenubuilder.exe=d",
        "LANG": "zh_CN.UTF-8",
        "LC_ALL": "zh_CN.UTF-8",
    })
    if loader.endswith("wine64"):
        env["WINELOADER"] = loader
    env.pop("DISPLAY", None)
    return env


def build_template(template, loader, wineserver, log):
    """Runs inside a private namespace (the caller's job) so no wineserver survives."""
    tmp = template + ".new"
    shutil.rmtree(tmp, ignore_errors=True)
    env = wine_env(tmp, loader)
    with open(log, "a") as out:
        subprocess.run([loader, "wineboot", "-i"], env=env, stdout=out, stderr=out, timeout=300, check=True)
        # Windows 7 SP1: Wine 8's default; Wine 10 reports Windows 10 unless told.
        subprocess.run([loader, "winecfg", "-v", "win7"], env=env, stdout=out, stderr=out, timeout=120, check=True)
        for key, name, value in REGISTRY_DESKTOP + REGISTRY_FONTS:
            kind = {int: "REG_DWORD", list: "REG_MULTI_SZ"}.get(type(value), "REG_SZ")
            data = "\\0".join(value) if isinstance(value, list) else str(value)
            subprocess.run([loader, "reg", "add", key, "/v", name, "/t", kind, "/d", data, "/f"],
                           env=env, stdout=out, stderr=out, timeout=120, check=True)
        subprocess.run([wineserver, "-w"], env=env, stdout=out, stderr=out, timeout=120)
    os.rename(tmp, template)


# Wine's own Marlett (package fonts-wine), with which title bars draw their buttons; without it
# the close button shows the letter "r". Wine 8 does not look for it in its data folder, so every
# prefix gets a copy in its Fonts folder (templates built before the package came too).
WINE_MARLETT = "/usr/share/wine/fonts/marlett.ttf"


def add_wine_fonts(prefix):
    fonts = os.path.join(prefix, "drive_c", "windows", "Fonts")
    if os.path.exists(WINE_MARLETT) and not os.path.exists(os.path.join(fonts, "marlett.ttf")):
        os.makedirs(fonts, exist_ok=True)
        shutil.copyfile(WINE_MARLETT, os.path.join(fonts, "marlett.ttf"))


def clone(template, target):
    shutil.rmtree(target, ignore_errors=True)
    for root, dirs, files in os.walk(template):
        rel = os.path.relpath(root, template)
        dst_root = os.path.join(target, rel) if rel != "." else target
        os.makedirs(dst_root, exist_ok=True)
        for d in list(dirs):
            src = os.path.join(root, d)
            if os.path.islink(src):
                os.symlink(os.readlink(src), os.path.join(dst_root, d))
                dirs.remove(d)
        for f in files:
            src, dst = os.path.join(root, f), os.path.join(dst_root, f)
            if os.path.islink(src):
                os.symlink(os.readlink(src), dst)
            elif f.lower().endswith(HARDLINK_SUFFIXES):
                os.link(src, dst)
            else:
                shutil.copy2(src, dst)
    add_wine_fonts(target)


class TemplateLock:
    def __init__(self, path):
        self.path = path

    def __enter__(self):
        self.f = open(self.path, "w")
        fcntl.flock(self.f, fcntl.LOCK_EX)
        return self

    def __exit__(self, *exc):
        fcntl.flock(self.f, fcntl.LOCK_UN)
        self.f.close()


def system_folder(prefix, x64):
    """Where the loader looks for a system library: system32 for an x86-64 program,
    syswow64 for an i686 one in a 64-bit prefix."""
    windows = os.path.join(prefix, "drive_c", "windows")
    wow = os.path.join(windows, "syswow64")
    return os.path.join(windows, "system32") if x64 or not os.path.isdir(wow) else wow


def install_system_dll(prefix, x64, dll, name="dwmapi.dll"):
    """Puts a test double in the prefix's system folder, where the program loads its
    libraries from (WINEDLLOVERRIDES=dwmapi=n,b prefers it to the builtin). The old
    file goes first: a clone shares it with its template by hard link."""
    target = os.path.join(system_folder(prefix, x64), name)
    if os.path.lexists(target):
        os.remove(target)
    shutil.copy(dll, target)
