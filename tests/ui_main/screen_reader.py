#!/usr/bin/python3
"""The tree a screen reader reads of the game at the start, over the AT-SPI
bus under a real X server without a window manager: all that is on show and
nothing else (orca_game.py hears the game played under the real one).

    screen_reader.py KOPPELO

Needs Debian's python3 with pyatspi, dbus-run-session, at-spi2-core, Xvfb
and xdotool.
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import x_server as x  # noqa: E402

GRID = 6


def walk(accessible):
    """Every object under accessible, each read afresh."""
    accessible.clearCache()
    yield accessible
    for child in accessible:
        if child is not None:
            yield from walk(child)


def test(app):
    cards = ["Kaart %d, rij %d, kolom %d: dicht" % (i + 1, i // GRID + 1, i % GRID + 1) for i in range(GRID * GRID)]
    expected = (["Koppelo", "Koppelo", "Vogel-Koppelo"] + cards +
                ["ijsvogel", "Paren: 0", "Eerste kaart: leeg", "Tweede kaart: leeg", "Spel", "Nieuw spel", "Help", "Over..."])
    shown = list(walk(app))
    names = [each.name for each in shown if each.name]
    x.check(names == expected, "the start reads %r" % names)
    strings = [text for each in shown for text in (each.name, each.description) if text]
    x.check([b for b in x.bird_names() if any(b in s for s in strings)] == ["ijsvogel"],
            "the start names a hidden bird")
    print("screen reader tree: OK")


def inside(program):
    import pyatspi
    process = subprocess.Popen([program], env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"))
    try:
        app = x.wait_until(lambda: next((a for a in pyatspi.Registry.getDesktop(0) if a is not None and
                                         a.name == "Koppelo"), None), "the game on the AT-SPI bus")
        test(app)
    finally:
        process.terminate()
        process.wait(timeout=10)


def main():
    if len(sys.argv) > 2 and sys.argv[1] == "--inside":
        return inside(sys.argv[2])
    x.check(len(sys.argv) == 2, "usage: screen_reader.py KOPPELO")
    # The session bus outside the X server, so the accessibility bus never
    # talks to a display that is about to go.
    x.rerun_inside(__file__, [os.path.abspath(sys.argv[1])], 300, around=["dbus-run-session", "--"],
                   python="/usr/bin/python3", drop=["DBUS_SESSION_BUS_ADDRESS"])


if __name__ == "__main__":
    main()
