#!/usr/bin/env python3
"""The built game in a real X server (start_up_test.py tries it without one):
its window centred, with the class the launcher entry names (or docks show a
second, anonymous icon) and its own icon at 16, 32 and 48; a card turned by
a real pointer's click, F2 dealing afresh, and closing the window ending it.

    real_window_smoke.py KOPPELO GEOMETRY [--screenshot PNG]
"""
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import x_server as x  # noqa: E402

LAUNCHER = os.path.join(x.REPO, "packaging", "nl.koppelo.Koppelo.desktop")
ICON_SIDES = [16, 32, 48]  # the title bar's, the task bar's and a window switcher's


def inside(program, geometry, screenshot=None):
    process = subprocess.Popen([program])
    window = x.GameWindow(x.find_window("^Koppelo$"), geometry)
    client_w, client_h = window.geometry["client"]
    screen_w, screen_h = x.SCREEN
    x.check(window.width == client_w and window.height > client_h,
            "the window is %dx%d" % (window.width, window.height))
    x.check(abs(window.left - (screen_w - window.width) // 2) <= 1 and
            abs(window.top - (screen_h - window.height) // 2) <= 1,
            "the window at (%d, %d) is not centred" % (window.left, window.top))
    with open(LAUNCHER, encoding="utf-8") as entry:
        named = re.search(r"^StartupWMClass=(.*)$", entry.read(), re.MULTILINE)[1]
    wm_class = x.run("xprop", "-id", window.id, "WM_CLASS").decode()
    x.check(wm_class.strip().endswith(', "%s"' % named), "the launcher names %s, the window has %s" % (named, wm_class))
    sides = x.window_icon(window.id, ICON_SIDES)
    x.check(sides == ICON_SIDES, "the window's icon has the sides %s, not %s" % (sides, ICON_SIDES))

    game = x.Player(window)
    first_preview = x.centre(window.geometry["Picture4"])
    x.check(window.pixel(*window.slot_centre(0)) == window.pixel(*first_preview) == game.background,
            "a face shows at the start")
    game.play(0)
    game.wait_for(lambda: window.pixel(*first_preview) != game.background, "the first preview to show the face")
    x.check(game.face_down(1), "an unclicked card turned")
    if screenshot:
        x.screenshot(window.id, screenshot)

    window.keys("F2")
    game.wait_for(lambda: game.face_down(0), "F2 to start a new game")
    code = x.close_and_wait(window.id, process, "closed")
    x.check(code == 0, "the program ended with status %d" % code)
    print("real window, its class %s and its icon: OK" % named)


def main():
    if sys.argv[1:2] == ["--inside"]:
        return inside(*sys.argv[2:])
    x.check(len(sys.argv) in (3, 5), "usage: real_window_smoke.py KOPPELO GEOMETRY [--screenshot PNG]")
    x.rerun_inside(__file__, [os.path.abspath(a) for a in sys.argv[1:3] + sys.argv[4:]], 100)


if __name__ == "__main__":
    main()
