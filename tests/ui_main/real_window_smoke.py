#!/usr/bin/env python3
"""The built game in a real X server. Without a display it must refuse in
one line; under Xvfb it must show its window centred, turn a card at a real
pointer's click, start afresh on F2, and end when its window is closed.

    real_window_smoke.py KOPPELO GEOMETRY [--screenshot PNG]
"""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import x_server as x  # noqa: E402


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
    time.sleep(1.0)  # the first paint

    slot0, slot1 = window.slot_centre(0), window.slot_centre(1)
    first_preview = x.centre(window.geometry["Picture4"])
    before = window.shot()
    background = before(*x.centre(window.geometry["Picture6"]))
    x.check(before(*window.band_at) == window.band, "the title band is not blue")
    x.check(before(*slot0) == background and before(*first_preview) == background, "a face shows at the start")

    window.click(*slot0)
    time.sleep(0.3)
    after = window.shot()
    x.check(after(slot0[0] - 30, slot0[1], 60) != before(slot0[0] - 30, slot0[1], 60), "the clicked card did not turn")
    x.check(after(*first_preview) != background, "the first preview shows no face")
    x.check(after(*slot1) == background, "an unclicked card turned")
    if screenshot:
        x.run("import", "-window", "root", "-crop",
              "%dx%d+%d+%d" % (window.width, window.height, window.left, window.top), "+repage", screenshot)

    window.key("F2")
    time.sleep(0.3)
    x.check(window.pixel(*slot0) == background, "F2 did not start a new game")
    code = x.close_and_wait(window.id, process, "closed")
    x.check(code == 0, "the program ended with status %d" % code)
    print("real window: OK")


def main():
    if sys.argv[1:2] == ["--inside"]:
        return inside(*sys.argv[2:])
    x.check(len(sys.argv) in (3, 5), "usage: real_window_smoke.py KOPPELO GEOMETRY [--screenshot PNG]")
    program, geometry = (os.path.abspath(a) for a in sys.argv[1:3])

    # With no display at all it says so in one line and fails.
    bare = x.environment(("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"))
    result = subprocess.run([program], env=bare, capture_output=True, text=True, timeout=30)
    lines = result.stderr.splitlines()
    x.check(result.returncode != 0 and len(lines) == 1 and "geen beeldscherm" in lines[0] and "xvfb-run" in lines[0],
            "without a display it ended with %d, saying: %r" % (result.returncode, result.stderr))

    x.rerun_inside(__file__, [program, geometry] + [os.path.abspath(a) for a in sys.argv[4:]], 100)


if __name__ == "__main__":
    main()
