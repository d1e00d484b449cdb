"""The frame colour of a scale position, computed independently of the program
so the scenarios can tell which colours the dwmapi double should have seen."""


def _trunc(x):
    return int(x)  # toward zero


def colour_value(position):
    v = max(0, min(100, position))
    w = (v * 0.95 - 49) * -1 + 49
    eps = 1e-7
    if w - 75 > eps:
        r, g, b = 255, _trunc(255 - ((w - 75) * 255) / 25), 0
    elif w - 50 > eps:
        r, g, b = _trunc(((w - 50) * 255) / 25), 255, 0
    elif w - 25 > eps:
        r, g, b = 0, 255, _trunc(255 - ((w - 25) * 255) / 25)
    else:
        r, g, b = 0, _trunc((w * 255) / 25), 255
    return (r & 255) + (g & 255) * 256 + (b & 255) * 65536


def composition_colour(position):
    return 0x60000000 + colour_value(position)


def scale_position(temp, low, high):
    if high == low:
        return 0
    return (_trunc((temp - low) * 100 / (high - low)) + 2**31) % 2**32 - 2**31  # its low 32 bits


def frame_rgb(composition):
    """The colour as the frames show it (0xAARRGGBB read by the window manager)."""
    return (composition >> 16) & 255, (composition >> 8) & 255, composition & 255


if __name__ == "__main__":
    for p, want in [(0, 0x600014FF), (1, 0x60001EFF), (24, 0x6000FCFF), (25, 0x6000FFF7),
                    (40, 0x6000FF66), (50, 0x6000FF05), (51, 0x6004FF00), (60, 0x605BFF00),
                    (76, 0x60F6FF00), (77, 0x60FFFD00), (90, 0x60FF7F00), (100, 0x60FF1E00)]:
        assert composition_colour(p) == want, (p, hex(composition_colour(p)))
    print("ramp ok")
