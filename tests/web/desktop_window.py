#!/usr/bin/python3
"""The desktop window's client area at the start of a game, as raw RGB, for
the web page's pixels to be compared with: the real program under a private
X server, read off the screen once painted.

    desktop_window.py KOPPELO GEOMETRY OUT.rgb
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import x_server as x  # noqa: E402


def main():
    if "--inside" not in sys.argv:
        x.rerun_inside(__file__, sys.argv[1:], 120)
    program, geometry, out = [arg for arg in sys.argv[1:] if arg != "--inside"]
    game = subprocess.Popen([program])
    try:
        window = x.GameWindow(x.find_window("^Koppelo$", 30, game), geometry)
        x.wait_until(window.painted, "the first paint", 30)
        with open(out, "wb") as pixels:
            pixels.write(window.area(0, 0, *window.geometry["client"]))
    finally:
        game.kill()


if __name__ == "__main__":
    main()
