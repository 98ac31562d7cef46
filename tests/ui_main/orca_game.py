#!/usr/bin/python3
"""The game as the real screen reader Orca (43 or 48) speaks it, headless
(a dummy voice, Orca's debug log read as it is written), under openbox in a
private X server: the tree it reads at the start; then the kit's player wins
by clicks (with --whole, by keys alone, every turn heard), and the start, a
turn, a miss, a pair with its count, F2, Ja after the last pair and About
are heard. No face-down bird is named, no role word comes before the news,
and the game is never asked for an object it no longer has.

    orca_game.py KOPPELO GEOMETRY [--whole]   (KOPPELO_ORCA_LOG=FILE keeps Orca's log)
"""
import contextlib
import os
import pty
import re
import subprocess
import sys
import tempfile
import threading
import tty

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import x_server as x  # noqa: E402

# Orca's log as versions 43 ('text'{...}) and 48 ('text' {...}) write it.
SPEECH = re.compile(r"^\d\d:\d\d:\d\d\.\d+ - SPEECH OUTPUT: '(.*)' ?\{")
# The last line Orca logs before its event loop runs, in either version.
READY = re.compile(r" - ORCA: Starting (registry|Atspi main event loop)$")
ROLE_WORDS = ("notification", "melding")
HEARD = 15.0  # seconds to wait for Orca to say a thing before failing
STARTING = 30.0  # the same for Orca to start


class Orca:
    """Orca with its debug log on a terminal, which it writes a line at a time;
    what it says is gathered as it goes. The terminal stays open here too: a
    terminal nobody holds reads as closed."""

    def __init__(self):
        master, terminal = pty.openpty()
        tty.setraw(terminal)
        self.said, self.ready = [], threading.Event()
        self.process = subprocess.Popen(
            ["orca", "--disable", "braille,braille-monitor", "--debug-file", os.ttyname(terminal)],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        threading.Thread(target=self.listen, args=(master,), daemon=True).start()

    def listen(self, master):
        pending = b""
        keep = open(os.environ.get("KOPPELO_ORCA_LOG", os.devnull), "wb", buffering=0)
        while True:
            try:
                data = os.read(master, 65536)
            except OSError:
                return
            keep.write(data)
            *complete, pending = (pending + data).split(b"\n")
            for line in (raw.decode("utf-8", "replace").rstrip("\r") for raw in complete):
                if READY.search(line):
                    self.ready.set()
                if heard := SPEECH.match(line):
                    self.said.append(heard[1])

    def mark(self):
        return len(self.said)

    def hear(self, pattern, mark=0):
        """The first utterance since mark that matches, once said: the match and the mark after it."""
        return x.wait_until(lambda: next(((found, mark + i + 1) for i, text in enumerate(self.said[mark:])
                                          if (found := re.search(pattern, text))), None),
                            lambda: "Orca to say /%s/; it said %r" % (pattern, self.said[mark:]), HEARD)


class Ears:
    """Hears what a turn came to: the card with its bird, and "paar gevonden,
    Paren: N" or "geen paar", in either order, as Orca may take the later first.
    Unless every turn is to be heard, once it has heard one of each kind the
    player goes on at the screen's pace (Orca skips a card clicked past)."""

    def __init__(self, orca, names, every):
        self.orca, self.birds, self.mark, self.pairs, self.every, self.heard = orca, {}, orca.mark(), 0, every, set()
        self.bird = "(%s)" % "|".join(sorted(map(re.escape, names), key=len, reverse=True))

    def came_to(self, slot, what):
        self.pairs += what == "pair"
        if not self.every and self.heard >= {"turned", "pair", "miss"}:
            return
        self.heard.add(what)
        heard, after = self.orca.hear("^" + x.card(slot, "(open|gevonden), " + self.bird + r"\b"), self.mark)
        bird = self.birds.setdefault(slot, heard[2])
        x.check(bird == heard[2], "card %d was %s and now is %s" % (slot + 1, bird, heard[2]))
        news = {"pair": r"^paar gevonden, Paren: %d\b" % self.pairs, "miss": r"^geen paar\b"}.get(what)
        self.mark = max(after, self.orca.hear(news, self.mark)[1] if news else 0)


def walk(accessible):
    """Every object under accessible, each read afresh."""
    accessible.clearCache()
    yield accessible
    for child in accessible:
        if child is not None:
            yield from walk(child)


def reads_the_start(names):
    """The game's tree over the AT-SPI bus at the start: every name on show in
    order, and of the birds only the top source's."""
    import pyatspi  # Debian's own python3 has it, which runs this side
    app = x.wait_until(lambda: next((a for a in pyatspi.Registry.getDesktop(0) if a is not None and
                                     a.name == "Koppelo"), None), "the game on the AT-SPI bus")
    expected = (["Koppelo", "Koppelo", "Vogel-Koppelo"] + x.FACE_DOWN + ["ijsvogel", "Paren: 0", "Eerste kaart: leeg",
                                                                         "Tweede kaart: leeg", "Spel", "Nieuw spel",
                                                                         "Help", "Over..."])
    shown = list(walk(app))
    read = [each.name for each in shown if each.name]
    x.check(read == expected, "the start reads %r" % read)
    strings = [text for each in shown for text in (each.name, each.description) if text]
    x.check([bird for bird in names if any(bird in text for text in strings)] == ["ijsvogel"],
            "the start names a hidden bird")


def keyboard(orca):
    """Turns a card as a player without a mouse does: arrows to it, heard, then Space."""
    at = [0]

    def turn(slot):
        if moves := x.arrows(at[0], slot):
            mark = orca.mark()
            x.keys(*moves)
            orca.hear("^" + x.card(slot), mark)
        x.keys("space")
        at[0] = slot
    return turn


def click_menu(window, index):
    """Clicks the menu bar's title at index, found as runs of inked columns on the screen."""
    bar, row, gap = x.screen_area(window.left, window.top, window.width, window.menu_bar), 3 * window.width, 6
    inked = [c for c in range(window.width) if any(bar[y * row + 3 * c:][:3] != bar[y * row:][:3]
                                                   for y in range(window.menu_bar))]
    starts = [c for before, c in zip([-gap - 1] + inked, inked) if c - before > gap]
    ends = [c for c, after in zip(inked, inked[1:] + [window.width + gap + 1]) if after - c > gap]
    x.click_on_screen(window.left + (starts[index] + ends[index]) // 2, window.top + window.menu_bar // 2)


def accessibility_on():
    """Waits for the switch Orca turns on, which Qt reads as the game starts."""
    ask = ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
           "org.freedesktop.DBus.Properties.Get", "string:org.a11y.Status", "string:IsEnabled"]
    x.wait_until(lambda: "boolean true" in subprocess.run(ask, capture_output=True, text=True).stdout,
                 "Orca to turn accessibility on", STARTING, pause=0.1)


def play(program, geometry, whole):
    names = x.bird_names()
    orca = Orca()
    x.check(orca.ready.wait(STARTING), "Orca never said in its log that it was ready")
    accessibility_on()
    said = open(os.path.join(os.environ["HOME"], "game.log"), "w")
    game = subprocess.Popen([program], stderr=said)
    try:
        window = x.GameWindow(x.find_window("^Koppelo$", process=game), geometry)
        mark = orca.hear("^" + x.card(0, r"dicht\b"))[1]
        reads_the_start(names)
        x.keys("F2")  # heard in either order: a busy Orca 43 takes the card's focus before the news
        mark = max(orca.hear(r"^Nieuw spel\b", mark)[1], orca.hear("^" + x.card(0, r"dicht\b"), mark)[1])

        # Every turn heard, Orca has caught up: the last pair's card, its count, then the question, on 43 and 48 alike.
        ears = Ears(orca, names, whole)
        x.Player(window, turn=keyboard(orca) if whole else None, came_to=ears.came_to).win()
        count = orca.hear(r"^paar gevonden, Paren: 18\b", mark)[1] if whole else mark
        x.check(not whole or re.match(r"^Kaart \d+, .*: gevonden, ", orca.said[count - 2]),
                "before the count: %r" % orca.said[count - 5:count])
        orca.hear(r"^Gefeliciteerd! U heeft alle paren gevonden!", count)
        mark = orca.mark()
        x.keys("Return")
        orca.hear(r"^Nieuw spel\b", mark)

        # Help by a click on its title, as Alt+H races Orca, which passes
        # the Alt key on only after the menu has opened, and closes it then.
        mark = orca.mark()
        click_menu(window, 1)
        mark = orca.hear(r"^Help\b", mark)[1]
        x.keys("Down")
        mark = orca.hear(r"^Over\.\.\.$", mark)[1]
        x.keys("Return")
        mark = orca.hear(r"Vogel-Koppelo, versie 1\.0\b", mark)[1]
        x.keys("Escape")
        orca.hear(r"^Kaart \d+, ", mark)  # the board again, when Orca asks after the dialog gone

        for before, text in zip([""] + orca.said, orca.said):
            x.check(not any(name in text for name in names) or text.count(", ") == 3 and
                    re.match(r"^Kaart \d+, rij \d+, kolom \d+: (open|gevonden), ", text), "a bird in %r" % text)
            x.check(not re.match(r"^(paar gevonden|geen paar|Nieuw spel)\b", text) or
                    before.rstrip(".").lower() not in ROLE_WORDS, "a role word before %r" % text)
        lost = [line.strip() for line in open(said.name) if "Could not find accessible on path" in line]
        x.check(not lost, "Orca asked the game for objects it no longer has: %s" % lost[:3])
        print("the real screen reader: OK")
    finally:
        for process in (game, orca.process):
            process.kill()


@contextlib.contextmanager
def session():
    """A home of its own with silent speech, and the window manager, for Orca and the program it reads."""
    with tempfile.TemporaryDirectory(prefix="koppelo-orca-", ignore_cleanup_errors=True) as home:
        os.environ.update(HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
                          XDG_DATA_HOME=os.path.join(home, ".local", "share"),
                          XDG_RUNTIME_DIR=os.path.join(home, "run"),
                          PATH=os.path.join(home, "bin") + os.pathsep + os.environ["PATH"])
        os.makedirs(os.environ["XDG_RUNTIME_DIR"], mode=0o700)
        # Orca will not start while any Orca of the same user runs anywhere on
        # the machine, which it asks pgrep; another session's is none of ours.
        for name, text in ((".libao", "default_driver=null\n"), ("bin/pgrep", "#!/bin/sh\nexit 1\n"),
                           (".config/speech-dispatcher/speechd.conf",
                            'AudioOutputMethod "libao"\nAddModule "dummy" "sd_dummy" ""\nDefaultModule dummy\n')):
            os.makedirs(os.path.dirname(os.path.join(home, name)), exist_ok=True)
            with open(os.path.join(home, name), "w", encoding="ascii") as out:
                out.write(text)
        os.chmod(os.path.join(home, "bin", "pgrep"), 0o755)
        wm = x.window_manager()
        try:
            yield home
        finally:
            wm.kill()


def inside(program, geometry, *flags):
    """In the X server: the session, then the game."""
    with session():
        play(program, geometry, "--whole" in flags)


def main():
    if sys.argv[1:2] == ["--inside"]:
        return inside(*sys.argv[2:])
    x.check(len(sys.argv) in (3, 4), "usage: orca_game.py KOPPELO GEOMETRY [--whole]")
    # The session bus outside the X server, so the accessibility bus never
    # talks to a display that is about to go.
    x.rerun_inside(__file__, [os.path.abspath(a) for a in sys.argv[1:3]] + sys.argv[3:], 900,
                   around=["dbus-run-session", "--"], python="/usr/bin/python3",
                   drop=["DBUS_SESSION_BUS_ADDRESS", "QT_ACCESSIBILITY", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON"])


if __name__ == "__main__":
    main()
