#!/bin/bash
# Runs one end-to-end scenario of Korvane.exe under Wine in a private namespace.
# usage: run_scenario.sh SCENARIO KORVANE_EXE DWMAPI_DLL DWMAPI_NO131_DLL UI_HELPER_EXE
# Needs root (unshare of network and mount namespaces).  Output: build/e2e-out/SCENARIO/
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exec python3 "$here/lib/runner.py" "$@"
