#!/bin/bash
# The end-to-end doubles must change nothing on screen: they import nothing
# from USER32 or GDI32 (no SetSysColors, no drawing).  The demo's double is
# read the same way and must import SetSysColors, which shows that the
# import tables are really read.
# usage: check_screen_imports.sh OBJDUMP DEMO_DLL E2E_DLL...
set -euo pipefail
objdump=$1 demo=$2
shift 2

# Prints "DLL!function" for every import of a PE file.
imports() {
    "$objdump" -p "$1" | awk '
        /DLL Name:/ { dll = toupper($3); next }
        /^[ \t]*$/ { dll = "" }
        dll == "" || $1 !~ /^[0-9a-f]+$/ { next }
        NF == 3 && $2 ~ /^[0-9]+$/ { print dll "!" $3 }      # binutils 2.40: vma hint name
        NF >= 4 && $3 ~ /^[0-9a-f]+$/ { print dll "!" $4 }   # 2.41 on: vma ordinal hint name
        ' | sort -u
}

status=0
if ! imports "$demo" | grep -qx 'USER32.DLL!SetSysColors'; then
    echo "FAIL: $demo does not import USER32.dll!SetSysColors (the demo double or this check is broken)"
    status=1
fi
for dll in "$@"; do
    screen=$(imports "$dll" | grep -E '^(USER32|GDI32)\.DLL!' || true)
    if [ -n "$screen" ]; then
        echo "FAIL: $dll imports screen functions:" $screen
        status=1
    else
        echo "PASS: $dll imports nothing from USER32 or GDI32 ($(imports "$dll" | wc -l) imports)"
    fi
done
exit $status
