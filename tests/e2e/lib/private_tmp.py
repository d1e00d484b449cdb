"""A private /tmp inside a scenario's mount namespace (its own X socket and
wineserver directory) that still shows the checkout: a clone that lives under
/tmp would otherwise vanish under the new tmpfs, scripts and build outputs with it."""
import os
import subprocess

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))))
OUTER_TMP = "/run/korvane-outer-tmp"


def _under_tmp(path):
    return os.path.commonpath([os.path.realpath(path), "/tmp"]) == "/tmp"


def mount_private_tmp(keep=()):
    """Mounts an empty tmpfs on /tmp, then binds back the kept paths (the checkout
    always) that lay under the old /tmp. Call it inside an unshared mount namespace."""
    kept = [os.path.realpath(p) for p in (REPO, *keep) if os.path.exists(p) and _under_tmp(p)]
    if kept:
        os.makedirs(OUTER_TMP, exist_ok=True)
        subprocess.run(["mount", "--bind", "/tmp", OUTER_TMP], check=True)
    subprocess.run(["mount", "-t", "tmpfs", "tmpfs", "/tmp"], check=True)
    for path in kept:
        os.makedirs(path, exist_ok=True)
        source = os.path.join(OUTER_TMP, os.path.relpath(path, "/tmp"))
        subprocess.run(["mount", "--bind", source, path], check=True)
