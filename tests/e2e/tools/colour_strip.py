#!/usr/bin/env python3
"""Draws frame colours as a PNG (via ImageMagick's convert):
  colour_strip.py ramp OUT.png            the ramp 0..100 as the frames show it
  colour_strip.py ramp OUT.png DWM.jsonl  the same, from recorded colorizations
  colour_strip.py timeline OUT.png DWM.jsonl   the recorded colours over time"""
import json
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "lib"))
from ramp import composition_colour, frame_rgb  # noqa: E402


def records(path):
    out = []
    with open(path, encoding="utf-8", errors="replace") as f:
        for line in f:
            try:
                r = json.loads(line)
            except ValueError:
                continue
            if r.get("call") == "131":
                out.append(r)
    return out


def write_png(path, width, height, columns):
    """columns: one (r, g, b) per x; drawn as full-height stripes."""
    row = b"".join(bytes(c) for c in columns)
    ppm = b"P6\n%d %d\n255\n" % (width, height) + row * height
    subprocess.run(["convert", "ppm:-", path], input=ppm, check=True)


def ramp(out, log=None):
    seen = {}
    if log:
        valid = {composition_colour(v): v for v in range(101)}
        for r in records(log):
            v = valid.get(r["fields"][0])
            if v is not None:
                seen[v] = r["fields"][0]
    cols = []
    for v in range(101):
        colour = seen.get(v, composition_colour(v))
        cols += [frame_rgb(colour)] * 6
    write_png(out, len(cols), 40, cols)


def timeline(out, log, width=800):
    recs = records(log)
    if not recs:
        sys.exit("no colorization records")
    t0, t1 = recs[0]["t"], max(recs[-1]["t"], recs[0]["t"] + 1)
    cols, i = [], 0
    for x in range(width):
        t = t0 + (t1 - t0) * x / (width - 1)
        while i + 1 < len(recs) and recs[i + 1]["t"] <= t:
            i += 1
        cols.append(frame_rgb(recs[i]["fields"][0]))
    write_png(out, width, 60, cols)


if __name__ == "__main__":
    if len(sys.argv) >= 3 and sys.argv[1] == "ramp":
        ramp(sys.argv[2], sys.argv[3] if len(sys.argv) > 3 else None)
    elif len(sys.argv) == 4 and sys.argv[1] == "timeline":
        timeline(sys.argv[2], sys.argv[3])
    else:
        sys.exit(__doc__)
