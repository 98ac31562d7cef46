#!/usr/bin/env python3
"""Koppelo.exe as a Windows screen reader finds it, judged where the program
meets UI Automation: in a Wine prefix of its own a stand-in
uiautomationcore.dll (uia/stand_in.cpp) records every tree, event and
notification that Qt and the game hand it, and uia/poke.exe asks for the
windows' roots as a screen reader does. A blind player then plays by keys
alone and knows each bird only from the record: a miss, a pair, F2, a game
won and answered Ja, one answered Nee, About, the window closed. What each
key brought must say the turned card once with its bird, the news after it
as a notification that waits its turn ("geen paar", "paar gevonden, Paren:
N", "Nieuw spel" and the card under the focus), nothing twice, the question
and About with their texts, and never a bird on a face-down card.

    uia_judge.py KOPPELO_EXE [--record FILE]   (FILE keeps the whole record)
"""
import collections
import os
import re
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from x_server import (ABOUT, ABOUT_TEXT, FACE_DOWN, GRID, REPO, WON, HearingPlayer, arrows, bird_names,  # noqa: E402
                      card, check, close_and_wait, find_window, keys, rerun_inside, run, wait_until, windows_named)
from wine_test import ACTIVE, MINGW, STARTING, WINE_ENV, wine_prefix, with_wine  # noqa: E402

PATIENCE = 10.0  # seconds for the record to bring what a key must bring
QUIET = 0.2  # seconds without a new line after which a key has brought all it will
BOARD = dict(ACTIVE, delay=40)  # the board takes keys as fast as a player types; menus want ACTIVE's pace
WAITS_ITS_TURN = ("All", "ImportantAll")  # the processings that cut nothing off
REPEATED = "(repeated)"  # marks a focus event on the element the focus was on already


def question():
    """The end-of-game question's title and prompt, as the game's words hold them."""
    with open(os.path.join(REPO, "texts", "dutch.cpp"), encoding="utf-8") as words:
        texts = dict(re.findall(r'\.(win\w+) = "([^"]*)",', words.read()))
    return texts["winTitle"], texts["winPrompt"]


def spoken(lines):
    """(index, kind, text) of each line a screen reader speaks: a notification's text, a focused element's name
    unless the focus was on that very element already, a repeat that a screen reader drops."""
    return [(i, line[0], line[2]) for i, line in enumerate(lines)
            if line[0] == "notification" or line[0] == "focus" and line[-1] != REPEATED]


def notified(text):
    """A condition: a notification of text among the lines."""
    return lambda lines: any(line[0] == "notification" and line[2] == text for line in lines)


def focus(lines):
    """The name of the element the last focus event among lines is on."""
    return next((line[2] for line in reversed(lines) if line[0] == "focus"), "")


def build(scratch):
    """The stand-in and the poke, compiled into scratch."""
    made = []
    for source, target, flags in (("stand_in.cpp", "uiautomationcore.dll", ["-shared"]),
                                  ("poke.cpp", "poke.exe", ["-municode"])):
        made.append(os.path.join(scratch, target))
        run(MINGW + "g++", "-std=c++20", "-O2", "-Wall", "-Wextra", "-Werror", *flags, "-static", "-static-libgcc",
            "-static-libstdc++", "-s", "-o", made[-1], os.path.join(os.path.dirname(os.path.abspath(__file__)), "uia",
                                                                   source), "-loleaut32")
    return made


class Judge(HearingPlayer):
    """The kit's player, blind: it turns cards by arrows and Space and knows a
    bird only from the record, which it judges key by key as it goes."""

    def __init__(self, record, poke, window):
        # Nothing of the kit player's screen: no geometry, no pixels.
        self.record, self.poke, self.window, self.lines, self.read_to = record, poke, window, [], 0
        self.focused = None  # the runtime id of the element the last focus event was on
        self.patience, self.slots, self.at, self.seen, self.keys = PATIENCE, GRID * GRID, 0, (None, None), 0
        self.outcomes, self.said = collections.Counter(), None  # said: where the last news came, after the key
        self.birds = bird_names()
        self.bird = "(%s)" % "|".join(sorted(map(re.escape, self.birds), key=len, reverse=True))
        self.new_game()

    def read(self):
        """Takes in the record's new whole lines, each split at its tabs; returns how many there are."""
        with open(self.record, "rb") as record:
            record.seek(self.read_to)
            data = record.read()
        whole = data[:data.rfind(b"\n") + 1]
        self.read_to += len(whole)
        for line in whole.decode("utf-8").splitlines():
            fields = line.split("\t")
            if fields[0] == "focus":
                fields.append(REPEATED if fields[3] == self.focused else "")
                self.focused = fields[3]
            self.lines.append(fields)
            hidden = [bird for bird in self.birds if any(": dicht" in field and bird in field for field in fields)]
            check(not hidden, "a face-down card names %s: %r" % (hidden, line))
        return len(self.lines)

    def failed(self, what, mark):
        """What was expected, and the record around what the key brought."""
        shown = "\n".join("%5d  %s" % (i, " | ".join(line)) for i, line in enumerate(self.lines) if i >= mark - 5)
        return "%s\nthe record from 5 lines before the key (at %d):\n%s" % (what, mark, shown)

    def expect(self, mark, condition, what):
        """Waits until condition(lines since mark) holds, then for the lines to stop coming; returns what it gave.
        Nothing may be said twice in those lines."""
        found = wait_until(lambda: self.read() and condition(self.lines[mark:]),
                           lambda: self.failed(what, mark), PATIENCE)
        count = None
        while count != self.read():
            count = len(self.lines)
            time.sleep(QUIET)
        texts = [text for _, _, text in spoken(self.lines[mark:])]
        twice = sorted({text for text in texts if texts.count(text) > 1})
        self.verify(not twice, "nothing said twice for one key, yet %s was" % twice, mark)
        return found

    def verify(self, condition, what, mark):
        check(condition, self.failed("expected " + what, mark))

    def press(self, *names, until, what, to=None):
        """Types names to the game's window (or to), and waits for what they must bring; returns its mark and that."""
        mark = self.read()
        self.keys += len(names)
        keys(*names, window=to or self.window, **BOARD)
        return mark, self.expect(mark, until, what)

    def news(self, text, mark, after=-1):
        """The one notification of text since mark, after the line at after; fails unless it waits its turn."""
        heard = [(i, line[1]) for i, line in enumerate(self.lines[mark:]) if line[0] == "notification" and
                 line[2] == text]
        self.verify(len(heard) == 1 and heard[0][0] > after,
                    "one notification %r after line %d" % (text, mark + after), mark)
        self.verify(heard[0][1] in WAITS_ITS_TURN, "the notification %r processed as one of %s, not %s"
                    % (text, WAITS_ITS_TURN, heard[0][1]), mark)
        return heard[0][0]

    # The player's senses and hands, as the kit's Player calls them.
    def turn(self, slot):
        if moves := arrows(self.at, slot):
            self.press(*moves, until=lambda lines: focus(lines).startswith(card(slot)),
                       what="the focus on %s after %s" % (card(slot), " ".join(moves)))
        self.at, face_up = slot, re.compile(re.escape(card(slot)) + "(open|gevonden), " + self.bird + "$")

        def named(lines):
            return next((heard[2] for _, _, text in spoken(lines) if (heard := face_up.match(text))), None)
        self.mark, bird = self.press("space", until=named, what="the turned card's name, %s<bird>" % card(slot))
        self.seen = slot, bird

    def came_to(self, slot, what):
        """The card said once with its bird, and a turn's news after it."""
        self.outcomes[what] += 1
        news = {"pair": "paar gevonden, Paren: %d" % (len(self.found) // 2), "miss": "geen paar"}.get(what)
        if news:
            self.expect(self.mark, notified(news), "a notification %r" % news)
        named = [i for i, _, text in spoken(self.lines[self.mark:]) if text.startswith(card(slot)) and
                 self.seen[1] in text]
        self.verify(len(named) == 1, "%s with its bird said once" % card(slot), self.mark)
        if news:
            self.said = self.news(news, self.mark, named[0])

    # The game's steps.
    def snapshot(self):
        """Pokes every window of the game; returns {window title: [(depth, control type, name)]} as recorded."""
        mark = self.read()
        poked = subprocess.run(["wine", self.poke], capture_output=True, timeout=STARTING)
        check(poked.returncode == 0, "poke.exe found no window titled Koppelo: %r" % poked.stderr)
        self.read()
        trees, tree = {}, None
        for line in self.lines[mark:]:
            if line[0] == "request" and line[1] == "-25":
                tree = trees.setdefault(line[2], [])
            elif line[0] == "tree" and tree is not None:
                tree.append((int(line[1]), line[2], line[3]))
        return trees

    def starts(self):
        """The tree at the first request: the cards face down in order, the counter, the previews, the menus."""
        tree = wait_until(lambda: self.snapshot().get("Koppelo"), lambda: "the window's tree on a poke (the stand-in"
                          " loaded: %s)" % any(line[0] == "load" for line in self.lines), STARTING)
        names = [name for _, _, name in tree]
        cards = [name for name in names if name.startswith("Kaart ")]
        check(cards == FACE_DOWN, self.failed("expected the 36 cards face down in order, %r ... %r; the tree names %r"
                                              % (FACE_DOWN[0], FACE_DOWN[-1], names), 0))
        parts = {(kind, name) for _, kind, name in tree}
        wanted = {("Image", "Eerste kaart: leeg"), ("Image", "Tweede kaart: leeg"), ("MenuItem", "Spel"),
                  ("MenuItem", "Help")}
        check(wanted <= parts and any("Paren: 0" in name for name in names),
              self.failed("expected the counter, Paren: 0, and %s in the tree" % sorted(wanted - parts), 0))
        return len(tree)

    def deals_afresh(self, key, to=None):
        """F2, or Ja to the question: "Nieuw spel", then the card under the focus, face down."""
        down = card(self.at) + "dicht"
        mark, _ = self.press(key, to=to, what='"Nieuw spel", then the focus on %s' % down,
                             until=lambda lines: notified("Nieuw spel")(lines) and focus(lines) == down)
        said = self.news("Nieuw spel", mark)
        self.verify(max(i for i, kind, text in spoken(self.lines[mark:]) if text == down) > said,
                    "the focus on %s after \"Nieuw spel\"" % down, mark)
        self.new_game()

    def wins(self, answer):
        """The last pair and its news, then the question: Ja has the focus, the tree holds its texts; answered."""
        self.win()
        dialog = find_window(WON, STARTING)
        self.expect(self.mark, lambda lines: focus(lines) == "Ja", 'the focus on the question\'s button "Ja"')
        opened = min(i for i, line in enumerate(self.lines[self.mark:]) if line[0] == "window-opened" or
                     line[:3] == ["focus", "Button", "Ja"])
        self.verify(self.said < opened, "the last pair's news before the question", self.mark)
        title, prompt = question()
        tree = self.snapshot().get(title, [])
        names, body = [(kind, name) for _, kind, name in tree], prompt[len(title):].strip()
        self.verify(tree and tree[0][2] == title and any(body in name for _, name in names) and
                    {("Button", "Ja"), ("Button", "Nee")} <= set(names),
                    "the question's tree: %r, a text holding %r, buttons Ja and Nee; it is %r"
                    % (title, body, names), self.mark)
        if answer == "Return":
            return self.deals_afresh("Return", dialog)
        mark, _ = self.press(answer, to=dialog, what="the focus back on a card",
                             until=lambda lines: focus(lines).startswith("Kaart "))
        self.verify("Nieuw spel" not in (text for _, _, text in spoken(self.lines[mark:])), "no new game on Nee",
                    mark)

    def about(self):
        """About by its menu's keys, its text in the record while it is open, closed by Escape."""
        mark = self.read()
        keys("alt+h", "o", window=self.window, **ACTIVE)
        dialog = find_window(ABOUT, STARTING)
        self.snapshot()
        self.verify(any(ABOUT_TEXT in field for line in self.lines[mark:] for field in line),
                    "%r in the record while About is open" % ABOUT_TEXT, mark)
        keys("Escape", window=dialog, **ACTIVE)
        wait_until(lambda: not windows_named(ABOUT), "About to close on Escape", PATIENCE)

    def play_through(self, game):
        elements = self.starts()
        while not (self.outcomes["miss"] and self.outcomes["pair"]):
            self.play_turn()
        pairs = [len(self.found) // 2]
        self.deals_afresh("F2")
        for answer in ("Return", "Escape"):
            self.wins(answer)
            pairs.append(self.slots // 2)
        self.about()
        status = close_and_wait(self.window, game, "Koppelo.exe", STARTING)
        check(status == 0, "Koppelo.exe ended with status %d" % status)

        def tally(kinds):
            return ", ".join("%s %d" % each for each in sorted(collections.Counter(kinds).items()))
        print("UI Automation: %d elements at the start; %d keys; pairs found %s; %s; notifications %s: OK"
              % (elements, self.keys, " + ".join(map(str, pairs)), tally(line[0] for line in self.lines),
                 tally(line[1] for line in self.lines if line[0] == "notification")))


def judge(exe, record, scratch):
    stand_in, poke = build(scratch)
    system32 = os.path.join(wine_prefix(scratch), "drive_c", "windows", "system32")
    shutil.copy(stand_in, system32)
    log = os.path.join(scratch, "uia.log")
    open(log, "w").close()
    os.environ.update(WINEDLLOVERRIDES=WINE_ENV["WINEDLLOVERRIDES"] + ";uiautomationcore=n",
                      KOPPELO_UIA_RECORD="Z:" + log.replace("/", "\\"))
    game = subprocess.Popen(["wine", exe])
    try:
        Judge(log, poke, find_window("^Koppelo$", STARTING, game, "Koppelo.exe")).play_through(game)
    finally:
        game.kill()
        if record:
            shutil.copy(log, record)


def main():
    args = sys.argv[1:]
    if args[:1] == ["--inside"]:
        started = time.monotonic()
        with_wine(judge, args[1], args[2] if len(args) > 2 else None)
        return print("uia_judge: %.0f s" % (time.monotonic() - started))
    check(len(args) == 1 or len(args) == 3 and args[1] == "--record", "usage: uia_judge.py KOPPELO_EXE [--record FILE]")
    rerun_inside(__file__, [os.path.abspath(arg) for arg in args[:1] + args[2:]], 900, drop=("WAYLAND_DISPLAY",))


if __name__ == "__main__":
    main()
