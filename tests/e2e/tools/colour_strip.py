#!/usr/bin/env python3
"""Draws frame colours as a PNG (via ImageMagick's convert):
  colour_strip.py ramp OUT.png            the ramp 0..100 as the frames show it
  colour_strip.py ramp OUT.png DWM.jsonl  the same, from recorded colorizations
  colour_strip.py timeline OUT.png DWM.jsonl   the recorded colours over time,
      labelled with the time of day and temperature of the readings served when
      the weather server's requests.jsonl and answers.json lie beside DWM.jsonl"""
import json
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "lib"))
from ramp import composition_colour, frame_rgb  # noqa: E402


FONT = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"  # draws no ℃: labels say °C


def read_jsonl(path):
    out = []
    if os.path.exists(path):
        with open(path, encoding="utf-8", errors="replace") as f:
            for line in f:
                try:
                    out.append(json.loads(line))
                except ValueError:
                    continue
    return out


def records(path):
    return [r for r in read_jsonl(path) if r.get("call") == "131"]


def write_png(path, width, height, columns, labels=(), point_size=11):
    """columns: one (r, g, b) per x; drawn as full-height stripes.  labels:
    (x, text) pairs written under the stripes with a tick mark each."""
    row = b"".join(bytes(c) for c in columns)
    ppm = b"P6\n%d %d\n255\n" % (width, height) + row * height
    cmd = ["convert", "ppm:-"]
    if labels:
        lines = max(text.count("\n") + 1 for _, text in labels)
        cmd += ["-background", "white", "-gravity", "south", "-splice", f"0x{4 + lines * (point_size + 3)}",
                "-gravity", "northwest", "-fill", "black", "-pointsize", str(point_size)]
        if os.path.exists(FONT):
            cmd += ["-font", FONT]
        for x, text in labels:
            cmd += ["-draw", f"line {x},{height} {x},{height + 3}"]
            for i, line in enumerate(text.split("\n")):  # each line centred under its tick
                line_width = len(line) * point_size * 0.6
                left = int(min(max(0, x - line_width / 2), width - line_width))
                cmd += ["-annotate", f"+{left}+{height + 3 + i * (point_size + 3)}", line]
    subprocess.run(cmd + [path], input=ppm, check=True)


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


def served_readings(log):
    """(t, time of day, temperature) of every reading the weather server answered."""
    folder = os.path.dirname(os.path.abspath(log))
    try:
        with open(os.path.join(folder, "answers.json"), encoding="utf-8") as f:
            answers = json.load(f).get("answers") or []
    except (OSError, ValueError):
        return []
    out = []
    for r in read_jsonl(os.path.join(folder, "requests.jsonl")):
        if answers and r.get("answer") == "reading":
            a = answers[min(r.get("n", 0), len(answers) - 1)]
            out.append((r["t"], a.get("time", ""), a.get("temp", "")))
    return out


def timeline_span(recs):
    return recs[0]["t"], max(recs[-1]["t"], recs[0]["t"] + 1)


def timeline_labels(log, t0, t1, width, every_hours=3):
    """A label at the first reading of every third hour of the day: its time and temperature."""
    labels, seen = [], set()
    for t, clock, temp in served_readings(log):
        hour = clock.split(":")[0]
        # A reading is served a moment before its first colour is set.
        if not hour.isdigit() or int(hour) % every_hours or hour in seen or not t0 - 5 <= t <= t1:
            continue
        seen.add(hour)
        x = int(max(0.0, t - t0) * (width - 1) / (t1 - t0))
        labels.append((x, f"{clock}\n{temp}°C"))
    return labels


def timeline(out, log, width=800, height=60, point_size=11, every_hours=3):
    recs = records(log)
    if not recs:
        sys.exit("no colorization records")
    t0, t1 = timeline_span(recs)
    cols, i = [], 0
    for x in range(width):
        t = t0 + (t1 - t0) * x / (width - 1)
        while i + 1 < len(recs) and recs[i + 1]["t"] <= t:
            i += 1
        cols.append(frame_rgb(recs[i]["fields"][0]))
    write_png(out, width, height, cols, timeline_labels(log, t0, t1, width, every_hours), point_size)


if __name__ == "__main__":
    if len(sys.argv) >= 3 and sys.argv[1] == "ramp":
        ramp(sys.argv[2], sys.argv[3] if len(sys.argv) > 3 else None)
    elif len(sys.argv) == 4 and sys.argv[1] == "timeline":
        timeline(sys.argv[2], sys.argv[3])
    else:
        sys.exit(__doc__)
