"""The tray menu stays usable while a refresh it let through steps the colour:
the menu is open when the second refresh starts a long walk (0 to 100), the user
clicks outside it during the walk, and the menu closes, at the latest when the walk ends."""
import time

from lib.session import now
from scenarios import common as c
from scenarios.tray_menu import open_menu


def menu_open(s):
    return any(w.get("class") == "#32768" and w.get("visible") for w in s.helper("list", "all")[1])


def run(s):
    s.write_config(high="30", low="0")
    s.set_answers([{"kind": "reading", "temp": "0"}, {"kind": "reading", "temp": "30"}])
    s.start_korvane()
    first = c.wait_for(s.colorizations, 30)
    s.require(bool(first), "the first reading is coloured")
    s.require(c.wait_tray(s, True, 10), "tray icon present")
    t_first = first[0]["t"]
    # Control: with nothing stepping, Esc closes the menu at once.
    s.require(open_menu(s) is not None, "the menu opens (control)")
    s.xdotool("mousemove", 300, 300, "click", "1")
    s.require(c.wait_for(lambda: not menu_open(s), 3, step=0.2), "a click outside closes the idle menu")
    # Open the menu shortly before the next refresh (four ticks after the first).
    s.sleep_until(2.8, base=t_first)
    s.require(open_menu(s) is not None, "the menu opens")
    steps = c.wait_for(lambda: len(s.colorizations()) >= 5 and s.colorizations(), 10)
    s.require(bool(steps), "the walk to the new reading runs with the menu open")
    s.xdotool("mousemove", 300, 300, "click", "1")
    t_escape = now()
    closed = c.wait_for(lambda: not menu_open(s), 12, step=0.3)
    s.check(closed, "a click outside closes the menu, at the latest when the walk ends")
    walk = s.colorizations()
    s.check(c.colour_of(walk[-1]) == c.expected_colour(30, 0, 30), "the walk reached the new colour")
    s.note(f"menu closed {now() - t_escape:.1f} s after the click; {len(walk)} colours")
    time.sleep(0.5)
