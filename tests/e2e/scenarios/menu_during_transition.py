"""The tray menu answers at once while the colour walks: a refresh that comes while
the menu is open keeps its walk (0 to 100) until the menu closes, and a menu
opened in the middle of a walk opens and closes at once; both walks still end on
the reading's colour."""
import time

from lib.session import now
from scenarios import common as c
from scenarios.tray_menu import open_menu

# A menu that answers closes within a few of the suite's polls; a walk of 100 steps takes 5 s.
ANSWER_S = 1.5


def menu_open(s):
    return any(w.get("class") == "#32768" and w.get("visible") for w in s.helper("list", "all")[1])


def click_outside_and_time(s):
    s.xdotool("mousemove", 300, 300, "click", "1")
    t = now()
    closed = c.wait_for(lambda: not menu_open(s), 12, step=0.1)
    return closed, now() - t


def run(s):
    s.write_config(high="30", low="0")
    s.set_answers([{"kind": "reading", "temp": "0"}, {"kind": "reading", "temp": "30"},
                   {"kind": "reading", "temp": "0"}])
    s.start_korvane()
    first = c.wait_for(s.colorizations, 30)
    s.require(bool(first), "the first reading is coloured")
    s.require(c.wait_tray(s, True, 10), "tray icon present")
    t_first = first[0]["t"]
    # Control: with nothing stepping, a click outside closes the menu at once.
    s.require(open_menu(s) is not None, "the menu opens (control)")
    s.require(click_outside_and_time(s)[0], "a click outside closes the idle menu")

    # The menu is open when the second refresh (four ticks after the first) reads 30.
    s.sleep_until(2.8, base=t_first)
    s.require(open_menu(s) is not None, "the menu opens")
    s.require(c.wait_for(lambda: len(s.requests()) >= 2, 10), "the second refresh runs with the menu open")
    time.sleep(1.0)
    s.check(len(s.colorizations()) == 1, "no colour steps while the menu is open")
    closed, after = click_outside_and_time(s)
    s.check(closed and after < ANSWER_S, f"the menu answers a click outside at once ({after:.1f} s)")
    walk = c.wait_for(lambda: len(s.colorizations()) >= 101 and s.colorizations(), 15)
    s.check(bool(walk) and c.colour_of(walk[-1]) == c.expected_colour(30, 0, 30),
            "the walk to the new reading runs once the menu has closed")

    # The third refresh reads 0 again: a walk of 100 steps, and the menu opened in its middle.
    s.require(c.wait_for(lambda: len(s.colorizations()) >= 121, 20), "the walk back runs")
    t_click = now()
    menu = open_menu(s)
    opened_after = now() - t_click
    s.check(menu is not None and opened_after < ANSWER_S + 0.6,
            f"a menu opened during a walk appears at once ({opened_after:.1f} s)")
    if menu is not None:
        closed, after = click_outside_and_time(s)
        s.check(closed and after < ANSWER_S, f"and closes at once ({after:.1f} s)")
    back = c.wait_for(lambda: len(s.colorizations()) >= 201 and s.colorizations(), 15)
    s.check(bool(back) and c.colour_of(back[-1]) == c.expected_colour(0, 0, 30),
            "the interrupted walk ends on the reading's colour")
    s.note(f"{len(s.colorizations())} colours")
    time.sleep(0.5)
