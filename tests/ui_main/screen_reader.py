#!/usr/bin/python3
"""The tree a screen reader reads of the game at the start, over the AT-SPI
bus under a real X server without a window manager: all that is on show and
nothing else. (The offscreen tests check every name against the deal;
orca_game.py plays whole games by what the real screen reader speaks.)

    screen_reader.py KOPPELO           the test
    screen_reader.py KOPPELO --dump    prints the tree at the start, with one
                                       card turned, and of the About dialog

Needs Debian's python3 with pyatspi, dbus-run-session, at-spi2-core, Xvfb
and xdotool.
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from x_server import bird_names, check, rerun_inside, wait_until as wait_for  # noqa: E402

GRID = 6
SLOTS = GRID * GRID


def keys(*names):
    """Keys as the X server delivers them: to whatever window has its focus."""
    subprocess.run(["xdotool", "key", "--delay", "15"] + list(names), check=True)


class Reader:
    """What a screen reader sees of the running game."""

    def __init__(self, pyatspi):
        self.atspi = pyatspi
        self.app = wait_for(self.find_app, "the game on the AT-SPI bus")

    def find_app(self):
        for app in self.atspi.Registry.getDesktop(0):
            if app is not None and app.name == "Koppelo":
                return app
        return None

    def fresh(self, accessible):
        accessible.clearCache()
        return accessible

    def walk(self, accessible, depth=0):
        """Every object under accessible with its depth, each read afresh."""
        yield depth, self.fresh(accessible)
        for child in accessible:
            if child is not None:
                yield from self.walk(child, depth + 1)

    def strings(self, accessible):
        return [text for _, each in self.walk(accessible) for text in (each.name, each.description) if text]

    def line(self, accessible):
        states = accessible.getState()
        shown = [self.atspi.stateToString(s) for s in (self.atspi.STATE_FOCUSABLE, self.atspi.STATE_FOCUSED)
                 if states.contains(s)]
        return "[%s] %r%s" % (accessible.getRoleName(), accessible.name, " (%s)" % ", ".join(shown) if shown else "")

    def dump(self, accessible):
        return "\n".join("  " * depth + self.line(each) for depth, each in self.walk(accessible))

    def window(self, role):
        return wait_for(lambda: next((w for w in self.fresh(self.app) if w is not None and w.getRole() == role), None),
                        "a window of role %s" % role)

    def board(self):
        frame = self.window(self.atspi.ROLE_FRAME)
        return next(c for c in frame if c is not None and c.childCount >= SLOTS)

    def cards(self):
        return [c for c in self.board() if c.getRole() == self.atspi.ROLE_PUSH_BUTTON]


def test(reader):
    cards = ["Kaart %d, rij %d, kolom %d: dicht" % (i + 1, i // GRID + 1, i % GRID + 1) for i in range(SLOTS)]
    expected = (["Koppelo", "Koppelo", "Vogel-Koppelo"] + cards +
                ["ijsvogel", "Paren: 0", "Eerste kaart: leeg", "Tweede kaart: leeg", "Spel", "Nieuw spel", "Help", "Over..."])
    names = [each.name for _, each in reader.walk(reader.app) if each.name]
    check(names == expected, "the start reads %r" % names)
    check([b for b in bird_names() if any(b in s for s in reader.strings(reader.app))] == ["ijsvogel"],
          "the start names a hidden bird")
    print("screen reader tree: OK")


def dump(reader):
    print("== start\n" + reader.dump(reader.app))
    keys("space")
    wait_for(lambda: not reader.fresh(reader.cards()[0]).name.endswith("dicht"), "card 1 to turn")
    print("== card 1 turned (Space)\n" + reader.dump(reader.board()))
    keys("alt+h", "o")
    print("== About dialog (Alt+H, O)\n" + reader.dump(reader.window(reader.atspi.ROLE_DIALOG)))
    keys("Escape")


def inside(program, dumping):
    import pyatspi
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    process = subprocess.Popen([program], env=env)
    try:
        reader = Reader(pyatspi)
        (dump if dumping else test)(reader)
    finally:
        process.terminate()
        process.wait(timeout=10)


def main():
    if len(sys.argv) > 2 and sys.argv[1] == "--inside":
        return inside(sys.argv[2], "--dump" in sys.argv[3:])
    check(len(sys.argv) in (2, 3), "usage: screen_reader.py KOPPELO [--dump]")
    # The session bus outside the X server, so the accessibility bus never
    # talks to a display that is about to go.
    rerun_inside(__file__, [os.path.abspath(sys.argv[1])] + sys.argv[2:], 300, around=["dbus-run-session", "--"],
                 python="/usr/bin/python3", drop=["DBUS_SESSION_BUS_ADDRESS"])


if __name__ == "__main__":
    main()
