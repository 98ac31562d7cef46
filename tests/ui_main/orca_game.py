#!/usr/bin/python3
"""Two whole games played by ear: the real screen reader Orca run headless
(speech-dispatcher's dummy voice on libao's null driver, its debug log read
as it is written), a window manager and the game under a private X server,
keys sent with xdotool. The player knows only what Orca's "SPEECH OUTPUT"
lines say and never asks "where am I". It must hear every turned card with
its bird, every pair with its count, every miss as "geen paar", F2 and Ja as
"Nieuw spel" and then the focused card, Nee and the About dialog's title and
version, and no bird of a card lying face down. It prints the delays from
Space to the bird spoken.

    orca_game.py KOPPELO    (KOPPELO_ORCA_LOG=FILE keeps Orca's whole log)

Needs Debian's orca, speech-dispatcher, openbox, dbus-run-session, Xvfb
and xdotool.
"""
import datetime
import os
import pty
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading
import time
import tty

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from x_server import bird_names, check, rerun_inside  # noqa: E402

GRID = 6
SLOTS = GRID * GRID
PAIRS = SLOTS // 2
SPEECH = re.compile(r"^(\d\d:\d\d:\d\d\.\d+) - SPEECH OUTPUT: '(.*)' ?\{")
# Seconds to wait for Orca to say something before failing: on a busy
# machine it may still be taking in the cards a new deal renewed.
HEARD = 30.0
STARTING = 60.0  # the same for Orca and the game to start, on a busy machine


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "40"] + list(names), check=True)


class Orca:
    """Orca with its debug log on a terminal, which it writes a line at a
    time; what it says is gathered as (time, text) as it goes, a list that
    one thread appends to and another reads. The terminal stays open here
    too: a terminal nobody holds reads as closed."""

    def __init__(self, env):
        master, terminal = pty.openpty()
        tty.setraw(terminal)
        self.said = []
        self.process = subprocess.Popen(
            ["orca", "--disable", "braille,braille-monitor", "--debug-file", os.ttyname(terminal)],
            env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.terminal = terminal
        threading.Thread(target=self.listen, args=(master,), daemon=True).start()

    def listen(self, master):
        pending = b""
        keep = open(os.environ.get("KOPPELO_ORCA_LOG", os.devnull), "wb", buffering=0)
        while True:
            try:
                data = os.read(master, 65536)
            except OSError:
                data = b""
            if not data:
                return
            keep.write(data)
            *complete, pending = (pending + data).split(b"\n")
            for line in complete:
                heard = SPEECH.match(line.decode("utf-8", "replace").rstrip("\r"))
                if heard:
                    when = datetime.datetime.combine(datetime.date.today(), datetime.time.fromisoformat(heard[1]))
                    self.said.append((when.timestamp(), heard[2]))

    def mark(self):
        return len(self.said)

    def since(self, mark):
        return self.said[mark:]

    def hear(self, pattern, mark, patience=HEARD):
        """Waits for the first utterance since mark that matches pattern;
        returns its match, the mark just after it and when it was said."""
        end = time.monotonic() + patience
        while True:
            said = self.since(mark)
            for i, (when, text) in enumerate(said):
                if re.search(pattern, text):
                    return re.search(pattern, text), mark + i + 1, when
            check(time.monotonic() < end, "Orca did not say /%s/; it said %r" % (pattern, [t for _, t in said]))
            time.sleep(0.02)


class Player:
    """Plays from Orca's speech: remembers each bird it heard and where."""

    def __init__(self, orca, names):
        self.orca = orca
        self.bird = "(%s)" % "|".join(sorted(map(re.escape, names), key=len, reverse=True))
        self.position, self.seen, self.found, self.delays = 0, {}, set(), []

    def card(self, slot, state):
        return r"^Kaart %d, rij %d, kolom %d: %s\b" % (slot + 1, slot // GRID + 1, slot % GRID + 1, state)

    def go(self, slot):
        row, column = divmod(self.position, GRID)
        to_row, to_column = divmod(slot, GRID)
        moves = (["Down"] * (to_row - row) + ["Up"] * (row - to_row) + ["Right"] * (to_column - column) +
                 ["Left"] * (column - to_column))
        if moves:
            mark = self.orca.mark()
            keys(*moves)
            self.orca.hear(self.card(slot, ""), mark)
        self.position = slot

    def turn(self, slot):
        """Turns the card at slot; returns its bird and what came after it."""
        self.go(slot)
        mark = self.orca.mark()
        pressed = time.time()
        keys("space")
        heard, after, when = self.orca.hear(self.card(slot, "(open|gevonden), " + self.bird), mark)
        self.delays.append(when - pressed)
        bird = self.seen.setdefault(slot, heard[2])
        check(bird == heard[2], "card %d was %s and now is %s" % (slot + 1, bird, heard[2]))
        return bird, heard[1], after

    def play_turn(self):
        """One turn; returns the mark after what was heard of it."""
        known = next((s for s in self.seen if s not in self.found and self.partner(s) is not None), None)
        first = known if known is not None else self.unknown()
        bird, state, _ = self.turn(first)
        check(state == "open", "the first card %d was heard %s" % (first + 1, state))
        second = self.partner(first)
        if second is None:
            second = self.unknown(besides=first)
        bird2, state, after = self.turn(second)
        matched = bird2 == bird
        check(state == ("gevonden" if matched else "open"), "the second card %d was heard %s" % (second + 1, state))
        if matched:
            self.found |= {first, second}
        notice = r"^paar gevonden, Paren: %d\b" % (len(self.found) // 2) if matched else r"^geen paar\b"
        return self.orca.hear(notice, after)[1]

    def partner(self, slot):
        same = [s for s, b in self.seen.items() if b == self.seen[slot] and s != slot and s not in self.found]
        return same[0] if same else None

    def unknown(self, besides=None):
        return next(s for s in range(SLOTS) if s not in self.seen and s not in self.found and s != besides)

    def play_game(self):
        """A whole game; returns the mark after its last pair."""
        self.seen, self.found = {}, set()
        while True:
            after = self.play_turn()
            if len(self.found) == SLOTS:
                return after


def accessibility_on():
    """Waits for the accessibility switch Orca turns on, which Qt reads once
    as the game starts: a player's screen reader is on before the game."""
    ask = ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
           "org.freedesktop.DBus.Properties.Get", "string:org.a11y.Status", "string:IsEnabled"]
    end = time.monotonic() + STARTING
    while "boolean true" not in subprocess.run(ask, capture_output=True, text=True).stdout:
        check(time.monotonic() < end, "Orca did not turn accessibility on")
        time.sleep(0.1)


def new_game_heard(orca, player, mark):
    """"Nieuw spel", then the focused card, face down."""
    orca.hear(player.card(player.position, r"dicht\b"), orca.hear(r"^Nieuw spel\b", mark)[1])


def question_heard(orca, mark):
    return orca.hear(r"^Gefeliciteerd! U heeft alle paren gevonden!", mark)[1]


def no_face_down_bird(said, names):
    for _, text in said:
        if any(name in text for name in names):
            check(re.match(r"^Kaart \d+, rij \d+, kolom \d+: (open|gevonden), ", text) and text.count(", ") == 3,
                  "a bird in %r" % text)


def play(program):
    names = bird_names(PAIRS)
    env = dict(os.environ)
    orca = Orca(env)
    orca.hear(r"^Screen reader on|^Schermlezer aan", 0, STARTING)
    accessibility_on()
    game = subprocess.Popen([program], env=env)
    try:
        player = Player(orca, names)
        orca.hear(player.card(0, r"dicht\b"), 0, STARTING)

        mark = orca.mark()
        keys("F2")
        new_game_heard(orca, player, mark)

        # Ja deals again; Nee keeps the finished board until F2.
        mark = question_heard(orca, player.play_game())
        keys("Return")
        new_game_heard(orca, player, mark)
        mark = question_heard(orca, player.play_game())
        keys("Tab")
        mark = orca.hear(r"^Nee\b", mark)[1]
        keys("space")
        orca.hear(player.card(player.position, "gevonden, "), mark)
        mark = orca.mark()
        keys("F2")
        new_game_heard(orca, player, mark)

        # Alt held down until the menu is open: keys reach the game through
        # Orca, and an Alt press that came late would close the menu again.
        mark = orca.mark()
        subprocess.run(["xdotool", "keydown", "alt", "sleep", "0.3", "key", "h"], check=True)
        mark = orca.hear(r"^Over\.\.\.$", mark)[1]
        subprocess.run(["xdotool", "keyup", "alt"], check=True)
        keys("Return")
        orca.hear(r"^Over\.\.\. \w+ Vogel-Koppelo, versie 1\.0\b", mark)
        keys("Escape")

        no_face_down_bird(orca.since(0), names)
        delays = sorted(player.delays)
        print("%d cards turned; from Space to the bird spoken: median %.0f ms, max %.0f ms, %d over 500 ms" % (
            len(delays), 1000 * statistics.median(delays), 1000 * delays[-1], sum(d > 0.5 for d in delays)))
        print("the real screen reader: OK")
    finally:
        for process in (game, orca.process):
            process.kill()


def write(path, text, mode=0o644):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="ascii") as out:
        out.write(text)
    os.chmod(path, mode)


def inside(program):
    """In the X server: a home of its own, the window manager, then the game."""
    home = tempfile.mkdtemp(prefix="koppelo-orca-")
    try:
        os.environ.update(HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
                          XDG_DATA_HOME=os.path.join(home, ".local", "share"),
                          XDG_RUNTIME_DIR=os.path.join(home, "run"))
        os.makedirs(os.environ["XDG_RUNTIME_DIR"], mode=0o700)
        write(os.path.join(home, ".libao"), "default_driver=null\n")
        write(os.path.join(os.environ["XDG_CONFIG_HOME"], "speech-dispatcher", "speechd.conf"),
              'AudioOutputMethod "libao"\nAddModule "dummy" "sd_dummy" ""\nDefaultModule dummy\n')
        # Orca will not start while any Orca of the same user runs anywhere on
        # the machine, which it asks pgrep; another session's is none of ours.
        write(os.path.join(home, "bin", "pgrep"), "#!/bin/sh\nexit 1\n", 0o755)
        os.environ["PATH"] = os.path.join(home, "bin") + os.pathsep + os.environ["PATH"]
        wm = subprocess.Popen(["openbox"], stderr=subprocess.DEVNULL)
        try:
            play(program)
        finally:
            wm.kill()
    finally:
        shutil.rmtree(home, ignore_errors=True)


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--inside":
        return inside(sys.argv[2])
    check(len(sys.argv) == 2, "usage: orca_game.py KOPPELO")
    # The session bus outside the X server, so the accessibility bus never
    # talks to a display that is about to go.
    rerun_inside(__file__, [os.path.abspath(sys.argv[1])], 900, around=["dbus-run-session", "--"],
                 python="/usr/bin/python3",
                 drop=["DBUS_SESSION_BUS_ADDRESS", "QT_ACCESSIBILITY", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON"])


if __name__ == "__main__":
    main()
