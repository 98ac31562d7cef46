#!/usr/bin/env python3
"""The built game in a real X server. Without a display it must refuse in
one line; under Xvfb it must show its window centred, take a click of the
real pointer on a card and F2, and end when its window is closed as a close
box would close it.

    real_window_smoke.py KOPPELO [--screenshot PNG]

With --screenshot it plays on until a pair is found and a card is turned,
and saves the screen's window area to PNG.
"""
import ctypes
import os
import shutil
import subprocess
import sys
import time

SCREEN = "-screen 0 1024x768x24"
CLIENT_W, CLIENT_H = 656, 583
BAND = (86, 145, 233)
SLOT_PITCH, SLOT_LEFT, SLOT_TOP, SLOT_SIZE = 88, 8, 56, 80
FIRST_PREVIEW = (552 + 46, 232 + 46)
EMPTY_BOX = (552 + 46, 440 + 46)
TOOLS = ("xvfb-run", "xdotool", "import", "convert")


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def run(*args):
    return subprocess.run(args, check=True, capture_output=True, text=True).stdout


class Screen:
    """One screenshot of the root window, read back pixel by pixel."""

    def __init__(self, keep_as=None):
        shot = keep_as or "/tmp/koppelo-smoke-%d.png" % os.getpid()
        run("import", "-window", "root", shot)
        ppm = subprocess.run(["convert", shot, "-depth", "8", "ppm:-"], check=True, capture_output=True).stdout
        magic, width, height, depth, self.pixels = ppm.split(maxsplit=4)
        if magic != b"P6" or int(depth) != 255:
            fail("unexpected screenshot format")
        self.width = int(width)
        self.path = shot

    def at(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.pixels[i:i + 3])

    def patch(self, x, y, w, h):
        return b"".join(self.pixels[((y + row) * self.width + x) * 3:((y + row) * self.width + x + w) * 3]
                        for row in range(h))


def close_window(window):
    """Sends WM_DELETE_WINDOW, what a window manager's close box sends."""
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

    class ClientMessage(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                    ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                    ("format", ctypes.c_int), ("data", ctypes.c_long * 5), ("pad", ctypes.c_long * 12)]

    display = x11.XOpenDisplay(None)
    if not display:
        fail("cannot open the X display")
    event = ClientMessage()
    event.type = 33  # ClientMessage
    event.window = window
    event.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
    event.format = 32
    event.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    x11.XSendEvent(display, window, 0, 0, ctypes.byref(event))
    x11.XFlush(display)
    x11.XCloseDisplay(display)


class Game:
    def __init__(self, program):
        self.process = subprocess.Popen([program])
        try:
            found = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Koppelo$"],
                                   check=True, capture_output=True, text=True, timeout=30).stdout.split()
        except subprocess.TimeoutExpired:
            self.process.kill()
            fail("no window named Koppelo appeared")
        self.window = int(found[0])
        geometry = dict(line.split("=") for line in run("xdotool", "getwindowgeometry", "--shell",
                                                        str(self.window)).split())
        self.left, self.top = int(geometry["X"]), int(geometry["Y"])
        self.width, self.height = int(geometry["WIDTH"]), int(geometry["HEIGHT"])
        if self.width != CLIENT_W or self.height <= CLIENT_H:
            fail("window is %dx%d, expected %d wide with a menu bar over %d" %
                 (self.width, self.height, CLIENT_W, CLIENT_H))
        self.menu_bar = self.height - CLIENT_H
        screen_w, screen_h = (int(n) for n in run("xdotool", "getdisplaygeometry").split())
        expect(abs(self.left - (screen_w - self.width) // 2) <= 1 and abs(self.top - (screen_h - self.height) // 2) <= 1,
               "window at (%d, %d) is not centred on the screen" % (self.left, self.top))
        time.sleep(1.0)  # the first paint

    def client(self, x, y):
        """A point of the client area in screen coordinates."""
        return self.left + x, self.top + self.menu_bar + y

    def slot_centre(self, slot):
        return (SLOT_LEFT + SLOT_PITCH * (slot % 6) + SLOT_SIZE // 2,
                SLOT_TOP + SLOT_PITCH * (slot // 6) + SLOT_SIZE // 2)

    def click_slot(self, slot):
        x, y = self.slot_centre(slot)
        run("xdotool", "mousemove", "--window", str(self.window), str(x), str(self.menu_bar + y), "click", "1")
        time.sleep(0.3)

    def pixel(self, screen, x, y):
        return screen.at(*self.client(x, y))

    def face_of(self, screen, slot):
        x, y = self.slot_centre(slot)
        return screen.patch(*self.client(x - 30, y - 30), 60, 60)

    def close(self):
        close_window(self.window)
        try:
            code = self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            fail("the program did not end when its window was closed")
        if code != 0:
            fail("the program ended with status %d" % code)


def expect(condition, message):
    if not condition:
        fail(message)


def play_for_screenshot(game):
    """Turns cards one by one, remembering faces, until a pair is found;
    then turns one more card."""
    seen = {}
    awaiting_first = True
    slot = 0
    while slot < 36:
        game.click_slot(slot)
        face = game.face_of(Screen(), slot)
        if face in seen and awaiting_first:
            break
        if face in seen and not awaiting_first:
            game.click_slot(seen[face])  # opens a turn; then the match
            game.click_slot(slot)
            game.click_slot(slot + 1 if slot + 1 < 36 else 0)
            return
        seen[face] = slot
        awaiting_first = not awaiting_first
        slot += 1
    if slot < 36:  # a first card matching an earlier one: finish the turn
        game.click_slot(seen[face])
        game.click_slot(slot + 1 if slot + 1 < 36 else 0)


def inside(program, screenshot):
    game = Game(program)
    before = Screen()
    background = game.pixel(before, *EMPTY_BOX)
    expect(game.pixel(before, 300, 20) == BAND, "the title band is %s, not %s" % (game.pixel(before, 300, 20), BAND))
    expect(game.pixel(before, *game.slot_centre(0)) == background, "slot 0 is not face down at start")
    expect(game.pixel(before, *FIRST_PREVIEW) == background, "the first preview is not empty at start")

    game.click_slot(0)
    after = Screen()
    expect(game.pixel(after, *game.slot_centre(0)) != background, "the clicked card still looks face down")
    expect(game.pixel(after, *game.slot_centre(1)) == background, "an unclicked card turned")
    expect(game.pixel(after, *FIRST_PREVIEW) != background, "the first preview shows no face")
    expect(game.face_of(after, 0) != game.face_of(before, 0), "the clicked card did not change")

    # F2 from the keyboard, with the menu closed: a new game, every card down.
    run("xdotool", "windowfocus", "--sync", str(game.window))
    run("xdotool", "key", "F2")
    time.sleep(0.3)
    expect(game.pixel(Screen(), *game.slot_centre(0)) == background, "F2 did not start a new game")

    if screenshot:
        play_for_screenshot(game)
        time.sleep(0.5)
        shot = Screen()
        x, y = game.left, game.top
        run("convert", shot.path, "-crop", "%dx%d+%d+%d" % (game.width, game.height, x, y), "+repage", screenshot)
    game.close()
    print("real window: OK")


def check_without_display(program):
    """With no display at all the program says so in one line and fails."""
    environment = {k: v for k, v in os.environ.items()
                   if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    result = subprocess.run([program], env=environment, capture_output=True, text=True, timeout=30)
    expect(result.returncode != 0, "without a display the program exited with status 0")
    lines = result.stderr.splitlines()
    expect(len(lines) == 1 and "no display" in lines[0] and "xvfb-run" in lines[0],
           "without a display it said: %r" % result.stderr)


def main():
    if len(sys.argv) >= 3 and sys.argv[1] == "--inside":
        inside(sys.argv[2], sys.argv[4] if len(sys.argv) > 4 else None)
        return
    if len(sys.argv) not in (2, 4):
        fail("usage: real_window_smoke.py KOPPELO [--screenshot PNG]")
    missing = [tool for tool in TOOLS if shutil.which(tool) is None]
    expect(not missing, "missing tools: %s (packages xvfb, xdotool, imagemagick)" % ", ".join(missing))
    program = os.path.abspath(sys.argv[1])
    check_without_display(program)
    extra = ["--screenshot", os.path.abspath(sys.argv[3])] if len(sys.argv) == 4 else []
    environment = {k: v for k, v in os.environ.items() if k not in ("QT_QPA_PLATFORM", "QT_SCALE_FACTOR")}
    result = subprocess.run(["xvfb-run", "-a", "-s", SCREEN, sys.executable, os.path.abspath(__file__), "--inside",
                             program] + extra, env=environment, timeout=100)
    sys.exit(result.returncode)


if __name__ == "__main__":
    main()
