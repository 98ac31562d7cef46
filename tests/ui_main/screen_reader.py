#!/usr/bin/python3
"""The game as a blind player meets it: a real X server without a window
manager, the AT-SPI bus a screen reader listens on, and the keyboard alone.
The game must take keys from the first moment, name all that is on show and
nothing else, tell a listener each card it turns and each pair it counts, be
played to its end by keys alone, and take keys again after "Ja" and after
"Nee" on the question. (The offscreen tests check every name against the deal.)

    screen_reader.py KOPPELO           the test
    screen_reader.py KOPPELO --dump    prints the tree at the start, with one
                                       card turned, and of the About dialog

Needs Debian's python3 with pyatspi, dbus-run-session, at-spi2-core, Xvfb
and xdotool.
"""
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from x_server import check, rerun_inside, wait_until as wait_for  # noqa: E402

GRID = 6
SLOTS = GRID * GRID
PAIRS = SLOTS // 2
CARD = re.compile(r"^Kaart (\d+), rij (\d+), kolom (\d+): (dicht|open, (.+)|gevonden, (.+))$")
FACE_NAMES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "assets", "face_names.h")


def birds():
    """The 18 Dutch bird names, from the table the game uses."""
    with open(FACE_NAMES, encoding="utf-8") as table:
        names = re.findall(r'^\s*"([^"]+)",', table.read(), re.MULTILINE)
    check(len(names) == PAIRS, "%d bird names in %s" % (len(names), FACE_NAMES))
    return names


def keys(*names):
    """Keys as the X server delivers them: to whatever window has its focus."""
    subprocess.run(["xdotool", "key", "--delay", "15"] + list(names), check=True)


class Reader:
    """What a screen reader sees of the running game, and the names it hears change."""

    def __init__(self, pyatspi):
        from gi.repository import GLib
        self.atspi = pyatspi
        self.app = wait_for(self.find_app, "the game on the AT-SPI bus")
        self.context = GLib.MainContext.default()
        self.renamed = []
        pyatspi.Registry.registerEventListener(lambda event: self.renamed.append(event.source.name),
                                               "object:property-change:accessible-name")

    def heard(self, name):
        """Waits until the game has announced that something is now called name."""
        def told():
            while self.context.iteration(False):
                pass
            return name in self.renamed
        wait_for(told, "the game to announce %r" % name)

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

    def focused(self):
        for _, each in self.walk(self.app):
            if each.getState().contains(self.atspi.STATE_FOCUSED) and each.childCount == 0:
                return each
        return None


class Player:
    """Plays by arrow keys and Space, remembering what each card was named."""

    def __init__(self, reader, birds):
        self.reader, self.birds = reader, birds
        self.position = wait_for(lambda: next((i + 1 for i, c in enumerate(reader.cards()) if reader.fresh(c).getState(
        ).contains(reader.atspi.STATE_FOCUSED)), None), "a card with the keyboard focus", timeout=5) - 1
        self.seen = {}
        self.found = set()

    def card_name(self, slot):
        return self.reader.fresh(self.reader.cards()[slot]).name

    def go(self, slot):
        row, column = divmod(self.position, GRID)
        to_row, to_column = divmod(slot, GRID)
        moves = (["Down"] * (to_row - row) + ["Up"] * (row - to_row) + ["Right"] * (to_column - column) +
                 ["Left"] * (column - to_column))
        if moves:
            keys(*moves)
            wait_for(lambda: self.reader.fresh(self.reader.cards()[slot]).getState().contains(
                self.reader.atspi.STATE_FOCUSED), "the focus on card %d" % (slot + 1))
        self.position = slot

    def turn(self, slot):
        self.go(slot)
        keys("space")
        name = wait_for(lambda: (lambda n: n if not n.endswith(": dicht") else None)(self.card_name(slot)),
                        "card %d to turn" % (slot + 1))
        match = CARD.match(name)
        check(match and int(match.group(1)) == slot + 1 and int(match.group(2)) == slot // GRID + 1 and
              int(match.group(3)) == slot % GRID + 1, "card %d is named %r" % (slot + 1, name))
        bird = match.group(5) or match.group(6)
        check(bird in self.birds, "card %d shows %r, no bird of the game" % (slot + 1, bird))
        self.reader.heard(name)
        self.seen[slot] = bird
        return bird

    def partner(self, slot):
        return next((s for s, b in self.seen.items() if s != slot and s not in self.found and b == self.seen[slot]),
                    None)

    def unknown(self, besides=None):
        return next(s for s in range(SLOTS) if s not in self.seen and s not in self.found and s != besides)

    def play_turn(self):
        known = next((s for s in self.seen if s not in self.found and self.partner(s) is not None), None)
        first = known if known is not None else self.unknown()
        self.turn(first)
        second = self.partner(first)
        if second is None:
            second = self.unknown(besides=first)
        if self.turn(second) == self.seen[first]:
            self.found |= {first, second}
            self.reader.heard("Paren: %d" % (len(self.found) // 2))

    def play_game(self):
        while len(self.found) < SLOTS:
            self.play_turn()


def counter(reader):
    return next(c.name for c in reader.board() if c.name.startswith("Paren:"))


def answer_question(reader, button_keys, button):
    dialog = reader.window(reader.atspi.ROLE_ALERT)
    check("alle paren gevonden" in " ".join(reader.strings(dialog)), "the end-of-game question is not asked")
    if button_keys:
        keys(*button_keys)
    wait_for(lambda: (lambda f: f is not None and f.name == button)(reader.focused()), "the focus on %r" % button)
    keys("space")
    wait_for(lambda: not any(w is not None and w.getRole() == reader.atspi.ROLE_ALERT for w in reader.fresh(reader.app)),
             "the question to close")


def test(reader):
    all_birds = birds()
    cards = ["Kaart %d, rij %d, kolom %d: dicht" % (i + 1, i // GRID + 1, i % GRID + 1) for i in range(SLOTS)]
    expected = (["Koppelo", "Koppelo", "Vogel-Koppelo"] + cards +
                ["ijsvogel", "Paren: 0", "Eerste kaart: leeg", "Tweede kaart: leeg", "Spel", "Nieuw spel", "Help", "Over..."])
    names = [each.name for _, each in reader.walk(reader.app) if each.name]
    check(names == expected, "the start reads %r" % names)
    check([b for b in all_birds if any(b in s for s in reader.strings(reader.app))] == ["ijsvogel"],
          "the start names a hidden bird")

    # The whole game by keys alone, every card and pair heard; Yes deals again.
    player = Player(reader, all_birds)
    check(player.position == 0, "card %d has the focus at the start" % (player.position + 1))
    player.play_game()
    answer_question(reader, [], "Ja")
    wait_for(lambda: counter(reader) == "Paren: 0", "a new game after Ja")
    player = Player(reader, all_birds)
    player.go(0 if player.position != 0 else 1)  # waits for the focus to move

    # Once more, answered No: the finished board stays until F2, which must be heard.
    player.play_game()
    answer_question(reader, ["Tab"], "Nee")
    check(counter(reader) == "Paren: %d" % PAIRS, "No did not keep the finished board")
    keys("F2")
    wait_for(lambda: counter(reader) == "Paren: 0", "F2 after Nee to start a new game")
    print("screen reader and keyboard: OK")


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
