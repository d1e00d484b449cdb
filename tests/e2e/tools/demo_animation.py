#!/usr/bin/env python3
"""Makes the animated GIF of a demo day from the frames the demo scenario took:
  demo_animation.py OUT.gif DEMO_OUTPUT_DIR
Each picture shows the reading served (city, time of day, temperature), the
configuration window cut from the desktop with its title bar in the colour of
the moment, the corner of the taskbar with the tray icon, and the day's colour
timeline with a marker at the moment.  Frames caught while the windows
repainted are dropped, frames that show nothing new are merged into the one
before, and a long day is thinned to MAX_PICTURES so that the file stays well
under 1 MB; the day plays in about DAY_PLAY_S seconds.  Exits non-zero when the window's
title bar does not pass through MIN_TITLE_COLOURS distinct colours: then the day showed no
colour walk."""
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from colour_strip import FONT, read_jsonl, records, timeline, timeline_span  # noqa: E402

DAY_PLAY_S = 24
END_PAUSE_CS = 250
MARGIN = 14          # desktop shown around the window
TASKBAR_H = 30       # the taskbar's height on Wine's virtual desktop
STRIP_H = 14
HEADER_H = 26
MIN_WIDTH = 300
CAPTION_H = 28       # title bar and top border of the window
MAX_PICTURES = 120   # about 2 KiB each after optimisation
MIN_TITLE_COLOURS = 4  # of blue, cyan, green, yellow and red, each channel told in four steps


def image_size(path):
    r = subprocess.run(["identify", "-format", "%w %h", path], capture_output=True, text=True, check=True)
    w, h = r.stdout.split()
    return int(w), int(h)


def window_box(frames, screen_w, screen_h):
    """The window's rectangle with a margin, widened to MIN_WIDTH and kept on screen."""
    rect = next((f["window"] for f in reversed(frames) if f.get("window")), None)
    if rect is None:  # no window was seen: the middle of the screen
        rect = [screen_w // 4, screen_h // 4, screen_w * 3 // 4, screen_h * 3 // 4]
    left, top, right, bottom = rect[0] - MARGIN, rect[1] - MARGIN, rect[2] + MARGIN, rect[3] + MARGIN
    if right - left < MIN_WIDTH:
        grow = MIN_WIDTH - (right - left)
        left, right = left - grow // 2, right + grow - grow // 2
    left, top = max(0, left), max(0, top)
    right, bottom = min(screen_w, right), min(screen_h - TASKBAR_H, bottom)
    return left, top, right - left, bottom - top


def whole_frames(folder, frames):
    """Drops frames caught while the windows repainted after a colour change: below its title
    bar the window looks the same all day, so a picture of it seen only once or twice is torn."""
    signatures = []
    for start in range(0, len(frames), 20):  # a few at a time: each is a whole screen in memory
        batch = frames[start:start + 20]
        args = ["convert"]
        for f in batch:
            left, top, right, bottom = f.get("window") or (0, 0, 8, 8)
            args += ["(", os.path.join(folder, f["file"]), "-crop",
                     f"{max(1, right - left - 8)}x{max(1, bottom - top - CAPTION_H - 4)}+{left + 4}+{top + CAPTION_H}",
                     "+repage", ")"]
        out = subprocess.run(args + ["-format", "%#\n", "info:"], capture_output=True, text=True, check=True)
        signatures += out.stdout.split()
    if len(signatures) != len(frames):
        return frames
    seen = {sig: signatures.count(sig) for sig in set(signatures)}
    whole = [f for f, sig in zip(frames, signatures) if seen[sig] >= max(3, len(frames) // 20)]
    return whole or frames


def shown(frames):
    """One picture per run of frames with the same reading and colour: the run's last frame,
    taken longest after the colour changed, so every window has repainted; returns
    (frame, seconds from the run's start to the next run's)."""
    runs = []
    for f in frames:
        key = (f["time"], f["temp"], f["colour"])
        if runs and runs[-1][0] == key:
            runs[-1][2] = f
        else:
            runs.append([key, f["t"], f])
    step = -(-len(runs) // MAX_PICTURES)  # ceiling division
    runs = runs[::step] if runs[-1] in runs[::step] else runs[::step] + [runs[-1]]
    out = []
    for i, (_, start, last) in enumerate(runs):
        until = runs[i + 1][1] if i + 1 < len(runs) else start
        out.append((last, until - start))
    return out


def title_colour(src, window):
    """The mean colour of the window's title bar, each channel in four steps."""
    left, top, right, _ = window
    r = subprocess.run(["convert", src, "-crop", f"{right - left - 8}x{CAPTION_H // 2}+{left + 4}+{top + 4}",
                        "+repage", "-scale", "1x1!", "-format", "%[fx:int(r*3.99)] %[fx:int(g*3.99)] %[fx:int(b*3.99)]",
                        "info:"], capture_output=True, text=True, check=True)
    return r.stdout.strip()


def compose(src, frame, box, screen, strip, marker_x, out):
    x, y, w, h = box
    screen_w, screen_h = screen
    header = f"{frame['city']}  {frame['time']}  {frame['temp']}°C"
    font = ["-font", FONT] if os.path.exists(FONT) else []
    cmd = ["convert", src,
           "(", "-clone", "0", "-crop", f"{w}x{h}+{x}+{y}", "+repage", ")",
           "(", "-clone", "0", "-crop", f"{w}x{TASKBAR_H}+{screen_w - w}+{screen_h - TASKBAR_H}", "+repage", ")",
           "(", strip, "-fill", "black", "-stroke", "white",
           "-draw", f"polygon {marker_x - 5},0 {marker_x + 5},0 {marker_x},{STRIP_H - 4}", ")",
           "-delete", "0", "-append",
           "-background", "white", "-gravity", "north", "-splice", f"0x{HEADER_H}",
           "-fill", "black", "-stroke", "none", "-pointsize", "15", *font,
           "-annotate", "+0+4", header, "+repage", out]
    subprocess.run(cmd, check=True)


def main(out_gif, folder):
    frames = [f for f in read_jsonl(os.path.join(folder, "frames.jsonl"))
              if os.path.exists(os.path.join(folder, f["file"]))]
    dwm = os.path.join(folder, "dwm.jsonl")
    recs = records(dwm)
    if not frames or not recs:
        sys.exit("no frames or no colorization records")
    frames = whole_frames(folder, frames)
    screen = image_size(os.path.join(folder, frames[0]["file"]))
    box = window_box(frames, *screen)
    t0, t1 = timeline_span(recs)
    speed = (frames[-1]["t"] - frames[0]["t"]) / DAY_PLAY_S or 1
    with tempfile.TemporaryDirectory() as tmp:
        strip = os.path.join(tmp, "strip.png")
        timeline(strip, dwm, width=box[2], height=STRIP_H, point_size=10, every_hours=6)
        args = ["convert", "-loop", "0"]
        kept = shown(frames)
        for i, (f, seconds) in enumerate(kept):
            marker = int(min(max(f["t"] - t0, 0), t1 - t0) * (box[2] - 1) / (t1 - t0))
            path = os.path.join(tmp, f"{i:04d}.png")
            compose(os.path.join(folder, f["file"]), f, box, screen, strip, marker, path)
            delay = END_PAUSE_CS if i + 1 == len(kept) else max(4, round(seconds * 100 / speed))
            args += ["-delay", str(delay), path]
        args += ["-layers", "Optimize", out_gif]
        subprocess.run(args, check=True)
    colours = {title_colour(os.path.join(folder, f["file"]), f["window"]) for f, _ in kept if f.get("window")}
    print(f"{out_gif}: {len(kept)} frames, {os.path.getsize(out_gif) // 1024} KiB, "
          f"{len(colours)} distinct title-bar colours")
    if len(colours) < MIN_TITLE_COLOURS:
        sys.exit(f"{out_gif}: the title bar shows {len(colours)} distinct colour(s) in {len(kept)} pictures, "
                 f"fewer than the {MIN_TITLE_COLOURS} of a day's colour walk")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
