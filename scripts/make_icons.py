#!/usr/bin/env python3
"""Draws the program's two icons and writes them as single-image .ico files.

resources/korvane_main.ico: a tinted window frame with a thermometer (the main window's icon).
resources/korvane_tray.ico: a bold thermometer alone, so that it still reads at 16 x 16.
Each file holds one 128 x 128 image at 32 bpp (BGRA DIB + 1-bpp AND mask), 67,646 bytes.
Pure standard library and floating-point arithmetic only, so every run writes the same bytes.

Use: scripts/make_icons.py [--preview DIR]  (DIR receives PNG previews; not for the repository)
"""
import math
import struct
import sys
import zlib
from pathlib import Path

SIZE = 128
SUB = 4  # supersampling grid per pixel axis: coverage is the share of SUB*SUB samples inside

# Cold to hot, the same order as the program's colour ramp.
RAMP = [(0.00, (0x2A, 0x5C, 0xF0)), (0.25, (0x18, 0xB8, 0xE0)), (0.50, (0x3C, 0xC0, 0x48)),
        (0.75, (0xFF, 0xC8, 0x20)), (1.00, (0xEE, 0x30, 0x28))]


def ramp(t):
    t = min(1.0, max(0.0, t))
    for (t0, c0), (t1, c1) in zip(RAMP, RAMP[1:]):
        if t <= t1:
            f = (t - t0) / (t1 - t0)
            return tuple(a + (b - a) * f for a, b in zip(c0, c1))
    return RAMP[-1][1]


def mix(c0, c1, f):
    return tuple(a + (b - a) * f for a, b in zip(c0, c1))


# --- shapes: point-inside tests in pixel coordinates, with a bounding box -------------------

def rrect(x0, y0, x1, y1, r):
    def inside(x, y):
        dx = max(x0 + r - x, 0.0, x - (x1 - r))
        dy = max(y0 + r - y, 0.0, y - (y1 - r))
        return x0 <= x <= x1 and y0 <= y <= y1 and dx * dx + dy * dy <= r * r
    return inside, (x0, y0, x1, y1)


def circle(cx, cy, r):
    return (lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r), (cx - r, cy - r, cx + r, cy + r)


def segment(ax, ay, bx, by, r):
    """A stroke of half-width r from (ax, ay) to (bx, by) with round ends."""
    vx, vy = bx - ax, by - ay
    ll = vx * vx + vy * vy

    def inside(x, y):
        t = min(1.0, max(0.0, ((x - ax) * vx + (y - ay) * vy) / ll))
        return (x - ax - t * vx) ** 2 + (y - ay - t * vy) ** 2 <= r * r
    return inside, (min(ax, bx) - r, min(ay, by) - r, max(ax, bx) + r, max(ay, by) + r)


def union(*shapes):
    fns = [s[0] for s in shapes]
    boxes = [s[1] for s in shapes]
    box = (min(b[0] for b in boxes), min(b[1] for b in boxes),
           max(b[2] for b in boxes), max(b[3] for b in boxes))
    return (lambda x, y: any(f(x, y) for f in fns)), box


def minus(a, b):
    return (lambda x, y: a[0](x, y) and not b[0](x, y)), a[1]


def thermometer(cx, top, tube_r, bulb_cy, bulb_r):
    """A tube with round top joined to a round bulb."""
    return union(rrect(cx - tube_r, top, cx + tube_r, bulb_cy, tube_r), circle(cx, bulb_cy, bulb_r))


# --- canvas -----------------------------------------------------------------------------------

class Canvas:
    def __init__(self):
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(SIZE * SIZE)]  # premultiplied RGBA, 0..1

    def fill(self, shape, paint, opacity=1.0):
        """Composites paint(x, y) -> (r, g, b) over the canvas where the shape covers it."""
        inside, (bx0, by0, bx1, by1) = shape
        offs = [(i + 0.5) / SUB for i in range(SUB)]
        for py in range(max(0, int(by0) - 1), min(SIZE, int(math.ceil(by1)) + 1)):
            for px in range(max(0, int(bx0) - 1), min(SIZE, int(math.ceil(bx1)) + 1)):
                hits = sum(1 for oy in offs for ox in offs if inside(px + ox, py + oy))
                if not hits:
                    continue
                a = opacity * hits / (SUB * SUB)
                r, g, b = paint(px + 0.5, py + 0.5)
                p = self.px[py * SIZE + px]
                k = 1.0 - a
                p[0] = r / 255 * a + p[0] * k
                p[1] = g / 255 * a + p[1] * k
                p[2] = b / 255 * a + p[2] * k
                p[3] = a + p[3] * k

    def rgba(self):
        """Straight (non-premultiplied) 8-bit RGBA rows, top row first."""
        rows = []
        for y in range(SIZE):
            row = []
            for x in range(SIZE):
                r, g, b, a = self.px[y * SIZE + x]
                a8 = int(a * 255 + 0.5)
                if a8 == 0:
                    row.append((0, 0, 0, 0))
                else:
                    row.append(tuple(min(255, int(c / a * 255 + 0.5)) for c in (r, g, b)) + (a8,))
            rows.append(row)
        return rows


def solid(c):
    return lambda x, y: c


def vertical(c0, c1, y0, y1):
    return lambda x, y: mix(c0, c1, min(1.0, max(0.0, (y - y0) / (y1 - y0))))


# --- the two pictures -------------------------------------------------------------------------

INK = (0x1B, 0x25, 0x36)        # outlines
GLASS = (0xF4, 0xF8, 0xFD)      # thermometer glass
SHADOW = (0x00, 0x00, 0x00)


def draw_thermometer(cv, cx, top, bulb_cy, tube_r, bulb_r, wall, gap, level_top, ticks):
    outer = thermometer(cx, top, tube_r, bulb_cy, bulb_r)
    glass = thermometer(cx, top + wall, tube_r - wall, bulb_cy, bulb_r - wall)
    cv.fill(outer, solid(INK))
    cv.fill(glass, solid(GLASS))
    col_r = tube_r - wall - gap
    fluid = thermometer(cx, level_top, col_r, bulb_cy, bulb_r - wall - gap)
    # The column runs from blue at its top to red in the bulb.
    cv.fill(fluid, lambda x, y: ramp((y - level_top) / (bulb_cy - level_top)))
    # A glint on the glass of the bulb and the tube.
    br = bulb_r - wall - gap
    glint = minus(circle(cx - br * 0.35, bulb_cy - br * 0.35, br * 0.32),
                  circle(cx - br * 0.20, bulb_cy - br * 0.20, br * 0.32))
    cv.fill(glint, solid((0xFF, 0xFF, 0xFF)), 0.85)
    for i in range(ticks):
        y = level_top + 4 + i * (bulb_cy - bulb_r - level_top - 4) / max(1, ticks)
        x0 = cx + col_r + 1.5
        cv.fill(rrect(x0, y - 1.0, x0 + (gap + 1.5 if i % 2 == 0 else gap * 0.6), y + 1.0, 0.8),
                solid(INK), 0.8)


def draw_tray():
    cv = Canvas()
    # Edges on multiples of 8 so that they fall on pixel borders at 16 x 16.
    draw_thermometer(cv, 64.0, 0.0, 92.0, 24.0, 32.0, wall=8.0, gap=8.0, level_top=20.0, ticks=0)
    return cv


def draw_main():
    cv = Canvas()
    # Soft shadow under the window.
    for grow, op in ((5.0, 0.05), (3.5, 0.07), (2.0, 0.09)):
        cv.fill(rrect(6 - grow + 2, 18 - grow + 3, 100 + grow + 2, 112 + grow + 3, 10 + grow),
                solid(SHADOW), op)
    # The window: its frame tinted like the desktop frames the program colours.
    cv.fill(rrect(6, 18, 100, 112, 10), solid(INK))
    frame_top, frame_bot = (0x4F, 0xC4, 0xE8), (0x1E, 0x7F, 0xC0)
    cv.fill(rrect(8, 20, 98, 110, 8), vertical(frame_top, frame_bot, 20, 110))
    # A highlight band across the caption bar, as on glass frames.
    cv.fill(rrect(10, 22, 96, 30, 6), solid((0xFF, 0xFF, 0xFF)), 0.30)
    # The client area with a few lines of content.
    cv.fill(rrect(15, 38, 91, 103, 2), solid(INK), 0.55)
    cv.fill(rrect(16, 39, 90, 102, 1.5), vertical((0xFF, 0xFF, 0xFF), (0xE6, 0xEE, 0xF6), 39, 102))
    for i, w in enumerate((48, 36, 44, 28)):
        y = 48 + i * 11
        cv.fill(rrect(23, y, 23 + w, y + 4, 2), solid((0xB8, 0xC8, 0xDA)))
    # A close button, left clear of the thermometer.
    cv.fill(rrect(56, 23, 76, 34, 3), solid(INK), 0.75)
    cv.fill(rrect(57, 24, 75, 33, 2.5), vertical((0xF0, 0x8A, 0x70), (0xC8, 0x30, 0x20), 24, 33))
    cross = union(segment(63.5, 26, 68.5, 31, 1.0), segment(68.5, 26, 63.5, 31, 1.0))
    cv.fill(cross, solid((0xFF, 0xFF, 0xFF)))
    # The thermometer in front of the frame's right edge.
    draw_thermometer(cv, 100.0, 6.0, 102.0, 12.0, 20.0, wall=5.0, gap=3.5, level_top=30.0, ticks=7)
    return cv


# --- file formats -----------------------------------------------------------------------------

def ico_bytes(rows):
    xor = bytearray()
    and_mask = bytearray()
    for row in reversed(rows):  # DIB rows are stored bottom-up
        bits = 0
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
            bits = (bits << 1) | (a == 0)
        and_mask += bits.to_bytes(SIZE // 8, "big")  # 128 bits: already a multiple of 32
    image = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 32, 0, len(xor) + len(and_mask),
                        0, 0, 0, 0) + xor + and_mask
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    return header + entry + image


def png_bytes(rows):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(
            ">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    raw = b"".join(b"\0" + bytes(v for px in row for v in px) for row in rows)
    ihdr = struct.pack(">IIBBBBB", len(rows[0]), len(rows), 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(raw, 9)) \
        + chunk(b"IEND", b"")


def downscale(rows, n):
    """Box filter in premultiplied space, roughly what the shell does for small icons."""
    f = SIZE // n
    out = []
    for y in range(n):
        row = []
        for x in range(n):
            acc = [0.0] * 4
            for yy in range(y * f, y * f + f):
                for xx in range(x * f, x * f + f):
                    r, g, b, a = rows[yy][xx]
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            if acc[3] == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(int(c / acc[3] + 0.5) for c in acc[:3]) + (int(acc[3] / (f * f) + 0.5),))
        out.append(row)
    return out


def main():
    root = Path(__file__).resolve().parent.parent
    pictures = {"korvane_main": draw_main(), "korvane_tray": draw_tray()}
    preview = Path(sys.argv[2]) if len(sys.argv) == 3 and sys.argv[1] == "--preview" else None
    for name, cv in pictures.items():
        rows = cv.rgba()
        (root / "resources" / f"{name}.ico").write_bytes(ico_bytes(rows))
        if preview:
            preview.mkdir(parents=True, exist_ok=True)
            (preview / f"{name}_128.png").write_bytes(png_bytes(rows))
            for n in (32, 16):
                (preview / f"{name}_{n}.png").write_bytes(png_bytes(downscale(rows, n)))


if __name__ == "__main__":
    main()
