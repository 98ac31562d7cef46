#!/usr/bin/env python3
"""Koppelo.exe as a real UI Automation client finds it, end to end under
Wine 10, whose uiautomationcore has the client side (Wine 8 has none):
uia/client.exe, in a process of its own beside the game, reads the window's
tree and hears each focus event. A blind player plays by keys alone and knows
each bird only from those events: a miss, a pair, F2, About. The tree at the
start holds the 36 cards face down in order, the counter, the previews and
the menus; each turning key brings a focus event on the turned card with its
bird, F2 one on the card under the focus, face down; About's tree holds its
text; no face-down card ever names a bird. Wine 10 passes no notification
on, so the news of a turn is not heard here.

    uia_client_test.py KOPPELO_EXE
"""
import collections
import os
import re
import subprocess
import sys
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from x_server import ABOUT, ABOUT_TEXT, FACE_DOWN, GRID, HearingPlayer, arrows, bird_names, card, check, \
    close_and_wait, find_window, keys, rerun_inside, run, wait_until, windows_named  # noqa: E402
from wine_test import ACTIVE, MINGW, STARTING, wine_prefix, with_wine  # noqa: E402

PATIENCE = 15.0  # seconds for a key's focus event or a tree to come
BIRD = "(%s)" % "|".join(sorted(map(re.escape, bird_names()), key=len, reverse=True))
CARD = re.compile(r"Kaart \d+, rij \d, kolom \d: (dicht|(open|gevonden), %s)" % BIRD)


def focused(pattern):
    """A condition: the match of the first focus event since the mark whose name matches pattern whole."""
    return lambda lines: next((found for line in lines if line[0] == "focus" and
                               (found := re.fullmatch(pattern, line[-1]))), None)


class Client:
    """client.exe beside the game: its lines split at their tabs, gathered as they come."""

    def __init__(self, program):
        self.process = subprocess.Popen(["wine", program], stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        self.lines, self.judged = [], 0
        threading.Thread(target=self.gather, daemon=True).start()

    def gather(self):
        for raw in self.process.stdout:
            self.lines.append(raw.decode("utf-8").rstrip("\r\n").split("\t"))

    def failed(self, what, mark):
        return "%s; client.exe's lines since:\n%s" % (what, "\n".join(" | ".join(line) for line in self.lines[mark:]))

    def wait(self, condition, what, mark):
        """Waits until condition(lines since mark) gives something, and returns it; every new line is
        judged on the way: a card is named face down without a bird, or face up with one."""
        def ready():
            lines = self.lines[:]
            for line in lines[self.judged:]:
                check(not line[-1].startswith("Kaart ") or CARD.fullmatch(line[-1]),
                      "a card named neither face down without a bird nor face up with one: %r" % line)
            self.judged = len(lines)
            check(self.process.poll() is None, self.failed("client.exe ended with status %s before %s"
                                                           % (self.process.returncode, what), mark))
            return condition(lines[mark:])
        return wait_until(ready, lambda: self.failed(what, mark), PATIENCE)

    def tree(self, mark=None):
        """The game's topmost window, asked for unless a mark of the lines says where it came:
        its title and its elements, (depth, control type, name) each."""
        if mark is None:
            mark = len(self.lines)
            self.process.stdin.write(b"\n")
            self.process.stdin.flush()
        lines = self.wait(lambda lines: ["done"] in lines and lines, "a tree", mark)
        start, end = next(i for i, line in enumerate(lines) if line[0] == "window"), lines.index(["done"])
        return lines[start][1], [(int(depth), kind, name) for depth, kind, name in lines[start + 1:end]]

    def names(self, title="Koppelo"):
        """The names in the tree of the game's topmost window, which must be titled title."""
        shown, tree = self.tree()
        check(shown == title, "the game's topmost window is %r, not %r" % (shown, title))
        return [name for _, _, name in tree]


class BlindPlayer(HearingPlayer):
    """The kit's player, blind: it turns cards by arrows and Space and knows a bird only from the focus events."""

    def __init__(self, client, window):
        # Nothing of the kit player's screen: no geometry, no pixels.
        self.client, self.window, self.patience, self.slots = client, window, PATIENCE, GRID * GRID
        self.at, self.seen, self.outcomes, self.keys = 0, (None, None), collections.Counter(), 0
        self.new_game()

    def press(self, *names, until, what):
        mark = len(self.client.lines)
        self.keys += len(names)
        keys(*names, window=self.window, **ACTIVE)
        return self.client.wait(until, what, mark)

    def turn(self, slot):
        if moves := arrows(self.at, slot):
            self.press(*moves, until=focused(re.escape(card(slot)) + "dicht"),
                       what="a focus event on %sdicht after %s" % (card(slot), " ".join(moves)))
        self.at = slot
        bird = self.press("space", until=focused(re.escape(card(slot)) + "(open|gevonden), " + BIRD),
                          what="a focus event on %s(open|gevonden), <bird> after Space" % card(slot))[2]
        self.seen = slot, bird

    def came_to(self, slot, what):
        """After the first miss and the first pair the tree shows what they came to: both cards, the counter,
        the previews. (A walk over the tree takes Wine some 5 s.)"""
        self.outcomes[what] += 1
        if what == "turned" or self.outcomes[what] > 1:
            return
        names = self.client.names()
        first, bird, pair = next(s for s in self.face_up if s != slot), self.faces[slot], what == "pair"
        shown = bird if pair else "leeg"
        expected = [card(first) + ("gevonden, " + bird if pair else "dicht"),
                    card(slot) + ("gevonden, " if pair else "open, ") + bird, "Paren: %d" % (len(self.found) // 2),
                    "Eerste kaart: " + shown, "Tweede kaart: " + shown]
        check(all(name in names for name in expected), "after a %s the tree holds %r, not all of %r"
              % (what, names, expected))

    def deal_afresh(self):
        """F2: a focus event on the card under the focus, face down, and every card face down at 0 pairs."""
        down = card(self.at) + "dicht"
        self.press("F2", until=focused(re.escape(down)), what="a focus event on %s after F2" % down)
        self.new_game()
        names = self.client.names()
        check([name for name in names if name.startswith("Kaart ")] == FACE_DOWN and "Paren: 0" in names,
              "after F2 the tree holds %r" % names)


def starts(client):
    """The first tree: the 36 cards face down in order, the counter, the previews, the menus."""
    tree = client.tree(mark=0)[1]
    names = [name for _, _, name in tree]
    cards = [name for name in names if name.startswith("Kaart ")]
    check(cards == FACE_DOWN, "the start's cards are %r" % cards)
    missing = [name for name in ("Paren: 0", "Eerste kaart: leeg", "Tweede kaart: leeg", "Spel", "Help")
               if name not in names]
    check(not missing and any(kind.startswith("Menu") for _, kind, _ in tree),
          "the start's tree lacks %s or a menu: %r" % (missing, tree))
    return len(tree)


def reads_about(client, window):
    """About by its menu's keys: its tree holds its text while it is open; Escape closes it."""
    keys("alt+h", "o", window=window, **ACTIVE)
    dialog = find_window(ABOUT, STARTING)
    about = client.names("Over...")
    check(ABOUT_TEXT in about, "About's tree lacks %r: %r" % (ABOUT_TEXT, about))
    keys("Escape", window=dialog, **ACTIVE)
    wait_until(lambda: not windows_named(ABOUT), "About to close on Escape", PATIENCE)


def listen(exe, scratch):
    client_exe = os.path.join(scratch, "client.exe")
    run(MINGW + "g++", "-std=c++20", "-O2", "-Wall", "-Wextra", "-Werror", "-static", "-s", "-o", client_exe,
        os.path.join(os.path.dirname(os.path.abspath(__file__)), "uia", "client.cpp"), "-lole32", "-loleaut32")
    wine_prefix(scratch)
    started = time.monotonic()
    game = subprocess.Popen(["wine", exe])
    client = None
    try:
        window = find_window("^Koppelo$", STARTING, game, "Koppelo.exe")
        client = Client(client_exe)
        elements = starts(client)
        client.wait(lambda lines: ["listening"] in lines, "client.exe to listen for focus events", 0)
        player = BlindPlayer(client, window)
        while not (player.outcomes["miss"] and player.outcomes["pair"]):
            player.play_turn()
        pair = sorted(player.found)
        bird = player.faces[pair[0]]
        player.deal_afresh()
        reads_about(client, window)
        status = close_and_wait(window, game, "Koppelo.exe", STARTING)
        check(status == 0, "Koppelo.exe ended with status %d" % status)
        check(client.process.wait(timeout=STARTING) == 0, "client.exe ended with status %d once the window was gone"
              % client.process.returncode)
        events = sum(line[0] == "focus" for line in client.lines)
        print("UI Automation client under Wine: %d elements at the start, all 36 cards face down; %d keys, %d focus "
              "events, each turn's card with its bird; turns missed %d, cards %d and %d a pair of %s; F2; About: OK "
              "(%.0f s)" % (elements, player.keys, events, player.outcomes["miss"], pair[0] + 1, pair[1] + 1, bird,
                            time.monotonic() - started))
    finally:
        for process in (game, client and client.process):
            if process:
                process.kill()


def main():
    args = sys.argv[1:]
    if args[:1] == ["--inside"]:
        return with_wine(listen, args[1])
    check(len(args) == 1, "usage: uia_client_test.py KOPPELO_EXE")
    rerun_inside(__file__, [os.path.abspath(args[0])], 600, drop=("WAYLAND_DISPLAY",))


if __name__ == "__main__":
    main()
