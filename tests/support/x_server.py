"""The kit of every test that needs a real X server.

A private Xvfb for each test (xvfb-run, but from a random display number:
two xvfb-run -a started at once both begin at :99), which never resets (by
default Xvfb resets when its last client leaves, and a program connecting
just as a probe such as xdotool disconnects is refused). A test script runs
its outer part, then itself again with --inside under that server
(rerun_inside). Inside, it finds the game's window, reads it off the screen
and closes it as a window manager would (GameWindow), and can win a game
by reading the faces (Player). Every place on the window comes from the
layout table, through the JSON the build writes (window_geometry.json).

From a shell: x_server.py COMMAND... runs COMMAND under a private Xvfb of
SCREEN and exits with its status.
"""
import ctypes
import json
import os
import random
import subprocess
import sys
import time

FIRST_DISPLAY, LAST_DISPLAY = 1000, 30000
SCREEN = (1024, 768)
QT_SETTINGS = ("QT_QPA_PLATFORM", "QT_SCALE_FACTOR")


def check(condition, message):
    if not condition:
        print("FAIL: " + message, file=sys.stderr)
        sys.exit(1)


def run(*args):
    return subprocess.run(args, check=True, capture_output=True).stdout


def wait_until(condition, what, timeout=10.0, pause=0.02):
    """Polls condition until it returns something true, and returns that."""
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        check(time.monotonic() < deadline, "timed out waiting for " + what)
        time.sleep(pause)


def environment(drop=()):
    """This process's environment less the variables in drop."""
    return {k: v for k, v in os.environ.items() if k not in drop}


def xvfb_command(command, screen=None):
    server = "-noreset" + (" -screen 0 %dx%dx24" % screen if screen else "")
    return ["xvfb-run", "-n", str(random.randint(FIRST_DISPLAY, LAST_DISPLAY)), "-a", "-s", server] + command


def xvfb_run(command, env, timeout, screen=None):
    """Runs command under its own Xvfb; returns its exit status."""
    return subprocess.run(xvfb_command(command, screen), env=env, timeout=timeout).returncode


def rerun_inside(script, args, timeout, around=(), python=sys.executable, drop=()):
    """Runs script again with --inside and args under a private X server of
    SCREEN, within the command `around` if given, without the caller's Qt
    settings and the variables in drop; exits with its status."""
    command = list(around) + xvfb_command([python, os.path.abspath(script), "--inside"] + args, SCREEN)
    sys.exit(subprocess.run(command, env=environment(QT_SETTINGS + tuple(drop)), timeout=timeout).returncode)


def centre(rect):
    left, top, width, height = rect
    return left + width // 2, top + height // 2


def windows_named(pattern):
    return subprocess.run(["xdotool", "search", "--onlyvisible", "--name", pattern], capture_output=True,
                          text=True).stdout.split()


def find_window(pattern, timeout=30, process=None, what="the program"):
    """The first visible window whose name matches; fails if none shows in
    time or the process ends first."""
    found = wait_until(lambda: windows_named(pattern) or (process is not None and process.poll() is not None),
                       "%s to show a window named %s" % (what, pattern), timeout, pause=0.1)
    check(process is None or process.poll() is None,
          "%s ended before it showed a window, with status %s" % (what, process and process.returncode))
    return found[0]


def send_delete_window(window):
    """What a window manager's close box sends: WM_DELETE_WINDOW."""
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XInternAtom.restype = ctypes.c_ulong
    display = ctypes.c_void_p(x11.XOpenDisplay(None))
    # An XClientMessageEvent as 64-bit Linux lays it out, one long a field:
    # type, serial, send_event, display, window, message_type, format, data.
    event = (ctypes.c_long * 24)(33, 0, 0, 0, window, x11.XInternAtom(display, b"WM_PROTOCOLS", 0), 32,
                                 x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0))
    x11.XSendEvent(display, ctypes.c_ulong(window), 0, ctypes.c_long(0), event)
    x11.XCloseDisplay(display)  # flushes the event out


def close_and_wait(window, process, what, timeout=10):
    """Closes the window as a window manager would; returns the program's exit status."""
    send_delete_window(int(window))
    try:
        return process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        process.kill()
        check(False, "%s: the program did not end when its window was closed" % what)


def key(window, name):
    run("xdotool", "windowfocus", "--sync", window, "key", name)


def click(window, x, y):
    run("xdotool", "mousemove", "--window", window, str(x), str(y), "click", "1")


class GameWindow:
    """The game's window as the screen shows it, in its client area's pixels
    at 96 dpi, placed by the JSON that koppelo-window-geometry wrote."""

    def __init__(self, window, geometry):
        self.id = window
        with open(geometry, encoding="utf-8") as table:
            self.geometry = json.load(table)
        shape = dict(line.split("=") for line in run("xdotool", "getwindowgeometry", "--shell", window).decode().split())
        self.left, self.top, self.width, self.height = (int(shape[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))
        self.menu_bar = self.height - self.geometry["client"][1]
        self.band = bytes(self.geometry["shpTitel"]["fill"])
        self.band_at = centre(self.geometry["shpTitel"]["rect"])

    def area(self, x, y, w, h):
        """Raw RGB of a rectangle of the client area."""
        return run("import", "-window", "root", "-crop",
                   "%dx%d+%d+%d" % (w, h, self.left + x, self.top + self.menu_bar + y), "-depth", "8", "rgb:-")

    def pixel(self, x, y):
        return self.area(x, y, 1, 1)

    def shot(self):
        """The whole client area read at once, as a reader: shot(x, y, w=1) is a row's raw RGB."""
        width, height = self.geometry["client"]
        pixels = self.area(0, 0, width, height)
        return lambda x, y, w=1: pixels[(y * width + x) * 3:][:w * 3]

    def painted(self):
        """Whether the title band shows: the window has been painted, not merely mapped."""
        return self.pixel(*self.band_at) == self.band

    def slot_centre(self, slot):
        return centre(self.geometry["Picture3"][slot])

    def click(self, x, y):
        click(self.id, x, self.menu_bar + y)

    def key(self, name):
        key(self.id, name)


class Player:
    """Plays the game on the screen, remembering every face it has seen."""

    SIGNATURE = 12  # half the side of the square read at a slot's centre to tell faces apart

    def __init__(self, window, patience=10.0):
        self.window, self.patience = window, patience
        wait_until(window.painted, "the first paint", patience, pause=0.1)
        self.background = window.pixel(*centre(window.geometry["Picture6"]))
        self.slots = len(window.geometry["Picture3"])
        self.new_game()

    def new_game(self):
        """Forgets the faces seen: a fresh deal."""
        self.faces, self.found, self.first, self.face_up = {}, set(), None, None

    def shown(self, slot):
        x, y = self.window.slot_centre(slot)
        return self.window.area(x - self.SIGNATURE, y - self.SIGNATURE, 2 * self.SIGNATURE, 2 * self.SIGNATURE)

    def face_down(self, slot):
        return self.window.pixel(*self.window.slot_centre(slot)) == self.background

    def wait_for(self, condition, what):
        wait_until(condition, what, self.patience, pause=0.1)

    def play(self, slot):
        """One click as the rules take it; the faces seen are remembered."""
        if slot in self.found or slot == self.face_up:
            return
        self.window.click(*self.window.slot_centre(slot))
        self.wait_for(lambda: not self.face_down(slot), "slot %d to turn" % slot)
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
        for slot in range(self.slots):
            self.play(slot)
        if self.first is not None:
            self.play(self.partner(self.first))
        for slot in range(self.slots):
            if slot not in self.found:
                self.play(slot)
                self.play(self.partner(slot))
        check(len(self.found) == self.slots, "the game is not won: %d cards found" % len(self.found))


if __name__ == "__main__":
    check(len(sys.argv) > 1, "usage: x_server.py COMMAND...")
    sys.exit(xvfb_run(sys.argv[1:], environment(QT_SETTINGS), None, SCREEN))
