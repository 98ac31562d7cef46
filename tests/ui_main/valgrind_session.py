#!/usr/bin/env python3
"""The built game under valgrind's memcheck in a real X server, played as a
person would: cards clicked, F2, the About dialog opened from the menu bar
twice (closed by Enter, then by its OK button), a whole game won by reading
the faces off the screen and the question answered Yes, and the window
closed. It passes when memcheck finds nothing: no invalid read or write, no
use of uninitialised memory, no definite leak, beyond what the suppressions
file names and explains.

    valgrind_session.py KOPPELO SUPPRESSIONS
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

from real_window_smoke import BAND, CLIENT_H, SCREEN_H, SCREEN_W, UNSEEN_BOX, check, run, send_delete_window
from x_server import xvfb_run

BAND_AT = (300, 20)
SLOTS, COLUMNS, PITCH, FIRST_CENTRE = 36, 6, 88, (48, 96)  # pixels at 96 dpi
SIGNATURE = 12  # half the side of the square read at a slot's centre to tell faces apart
OK_BUTTON = (278, 331)  # the About dialog's OK, in its client area
MEMCHECK_FAILED = 99
PATIENCE = 120  # seconds: everything is many times slower under memcheck


def slot_centre(slot):
    return FIRST_CENTRE[0] + PITCH * (slot % COLUMNS), FIRST_CENTRE[1] + PITCH * (slot // COLUMNS)


def wait_until(condition, what):
    deadline = time.monotonic() + PATIENCE
    while time.monotonic() < deadline:
        result = condition()
        if result:
            return result
        time.sleep(0.1)
    check(False, "waited in vain for " + what)


def windows_named(pattern):
    return subprocess.run(["xdotool", "search", "--onlyvisible", "--name", pattern], capture_output=True,
                          text=True).stdout.split()


class Game:
    """The game window as the screen shows it, and a player who remembers."""

    def __init__(self, window):
        self.window = window
        geometry = run("xdotool", "getwindowgeometry", "--shell", window).decode()
        shape = dict(line.split("=") for line in geometry.split())
        self.left, self.top = int(shape["X"]), int(shape["Y"])
        self.menu_bar = int(shape["HEIGHT"]) - CLIENT_H
        wait_until(lambda: self.pixel(*BAND_AT) == BAND, "the first paint")
        self.background = self.pixel(*UNSEEN_BOX)
        self.new_game()

    def new_game(self):
        """Forgets the faces seen: a fresh deal."""
        self.faces, self.found, self.first, self.face_up = {}, set(), None, None

    def area(self, x, y, w, h):
        """Raw RGB of a rectangle of the client area."""
        return run("import", "-window", "root", "-crop",
                   "%dx%d+%d+%d" % (w, h, self.left + x, self.top + self.menu_bar + y), "-depth", "8", "rgb:-")

    def pixel(self, x, y):
        return self.area(x, y, 1, 1)

    def shown(self, slot):
        x, y = slot_centre(slot)
        return self.area(x - SIGNATURE, y - SIGNATURE, 2 * SIGNATURE, 2 * SIGNATURE)

    def face_down(self, slot):
        return self.pixel(*slot_centre(slot)) == self.background

    def click(self, slot):
        x, y = slot_centre(slot)
        run("xdotool", "mousemove", "--window", self.window, str(x), str(self.menu_bar + y), "click", "1")

    def key(self, window, key):
        run("xdotool", "windowfocus", "--sync", window, "key", key)

    def play(self, slot):
        """One click as the rules take it; the faces seen are remembered."""
        if slot in self.found or slot == self.face_up:
            return
        self.click(slot)
        wait_until(lambda: not self.face_down(slot), "slot %d to turn" % slot)
        self.faces[slot], self.face_up = self.shown(slot), slot
        if self.first is None:
            self.first = slot
        else:
            if self.faces[slot] == self.faces[self.first]:
                self.found |= {slot, self.first}
            self.first = None

    def partner(self, slot):
        return next(other for other in self.faces if other != slot and self.faces[other] == self.faces[slot])

    def win(self):
        """Turns every card once to learn the faces, then plays the pairs left."""
        for slot in range(SLOTS):
            self.play(slot)
        if self.first is not None:
            self.play(self.partner(self.first))
        for slot in range(SLOTS):
            if slot not in self.found:
                self.play(slot)
                self.play(self.partner(slot))
        check(len(self.found) == SLOTS, "the game is not won: %d cards found" % len(self.found))

    def about(self, close):
        self.key(self.window, "alt+h")
        self.key(self.window, "o")
        dialog = wait_until(lambda: windows_named(r"^Over\.\.\.$"), "the About dialog")[0]
        time.sleep(1)  # its first paint
        close(dialog)
        wait_until(lambda: not windows_named(r"^Over\.\.\.$"), "the About dialog to close")


def session(program, suppressions):
    # A session bus of its own, as a desktop gives one: without it Qt's D-Bus
    # connection forks to autolaunch a bus, and the fork's copy of the heap
    # ends under memcheck too. A log per process keeps any child's report
    # apart from the game's.
    logs = tempfile.mkdtemp(prefix="koppelo-memcheck-")
    process = subprocess.Popen(["dbus-run-session", "--", "valgrind", "--tool=memcheck", "--leak-check=full", "--show-leak-kinds=definite",
                                "--errors-for-leak-kinds=definite", "--error-exitcode=%d" % MEMCHECK_FAILED,
                                "--num-callers=40", "--gen-suppressions=all", "--suppressions=" + suppressions,
                                "--log-file=" + os.path.join(logs, "%p.log"), program])
    found = wait_until(lambda: windows_named("^Koppelo$") or process.poll() is not None, "the window")
    check(process.poll() is None, "the program ended before it showed a window, with status %s" % process.returncode)
    window = found[0]
    game = Game(window)

    game.play(0)
    game.play(1)
    game.key(window, "F2")
    wait_until(lambda: game.face_down(0) and game.face_down(1), "F2 to deal afresh")
    game.new_game()

    game.about(lambda dialog: game.key(dialog, "Return"))
    game.about(lambda dialog: run("xdotool", "mousemove", "--window", dialog, *map(str, OK_BUTTON), "click", "1"))

    game.win()
    question = wait_until(lambda: windows_named("^Gefeliciteerd!$"), "the question")[0]
    game.key(question, "Return")
    wait_until(lambda: all(game.face_down(slot) for slot in (0, SLOTS - 1)), "Yes to deal afresh")

    send_delete_window(int(window))
    try:
        code = process.wait(timeout=PATIENCE)
    except subprocess.TimeoutExpired:
        process.kill()
        check(False, "the program did not end when its window was closed")
    reports = {}
    for name in os.listdir(logs):
        with open(os.path.join(logs, name)) as f:
            reports[name] = f.read()
    # The game is the child of dbus-run-session; anything it forked has the game as its parent.
    games = [name for name, report in reports.items() if "Parent PID: %d\n" % process.pid in report]
    check(len(games) == 1, "not one memcheck log of the game among %s" % sorted(reports))
    log = os.path.join(logs, games[0])
    report = reports[games[0]]
    for name in sorted(set(reports) - set(games)):
        print("a process the game started also ran under memcheck; its report is in " + os.path.join(logs, name))
    summary = [line for line in report.splitlines() if "ERROR SUMMARY" in line or "definitely lost" in line]
    print("\n".join(summary))
    check(code == 0, "memcheck found errors (status %d); its report is in %s:\n%s" % (code, log, report))
    if len(reports) == 1:
        shutil.rmtree(logs)
    print("memcheck session: OK")


def main():
    if len(sys.argv) == 4 and sys.argv[1] == "--inside":
        return session(sys.argv[2], sys.argv[3])
    check(len(sys.argv) == 3, "usage: valgrind_session.py KOPPELO SUPPRESSIONS")
    env = {k: v for k, v in os.environ.items() if k not in ("QT_QPA_PLATFORM", "QT_SCALE_FACTOR")}
    inside = [sys.executable, os.path.abspath(__file__), "--inside"] + [os.path.abspath(a) for a in sys.argv[1:]]
    sys.exit(xvfb_run(inside, env, 15 * 60, (SCREEN_W, SCREEN_H)))


if __name__ == "__main__":
    main()
