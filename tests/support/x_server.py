"""The kit of every test that needs a real X server: a private Xvfb from a
random display number (two xvfb-run -a started at once both take :99) that
never resets (a probe such as xdotool leaving would end it), under which a
script runs itself again with --inside (rerun_inside). Inside, it finds the
game's window, reads it off the screen (Xlib), clicks it (the X test
extension), types to it, closes it as a window manager would (GameWindow),
and plays it (Player, the one player that knows the rules), every place
taken from window_geometry.json. x_server.py COMMAND... runs COMMAND so."""
import ctypes
import json
import os
import random
import re
import subprocess
import sys
import tempfile
import time

FIRST_DISPLAY, LAST_DISPLAY = 1000, 30000
SCREEN = (1024, 768)
QT_SETTINGS = ("QT_QPA_PLATFORM", "QT_SCALE_FACTOR")
REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
ABOUT = r"^Over\.\.\.$"
ABOUT_TEXT = "Vogel-Koppelo, versie 1.0"
WON = r"^Gefeliciteerd!$"
GRID = 6  # cards a row, and rows


def check(condition, message):
    if not condition:
        print("FAIL: " + message, file=sys.stderr)
        sys.exit(1)


def failure(done):
    """What a finished command that failed said: its status and the end of its stderr."""
    return "%s ended with status %d, saying:\n%s" % (" ".join(done.args), done.returncode,
                                                     done.stderr.decode(errors="replace")[-4000:])


def run(*args):
    """A command's output; if it fails, the test fails with what it said on stderr."""
    done = subprocess.run(args, capture_output=True)
    check(done.returncode == 0, failure(done))
    return done.stdout


def wait_until(condition, what, timeout=10.0, pause=0.02):
    """Polls condition until it returns something true, and returns that;
    what (or what() at the end) names it if it never does."""
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        check(time.monotonic() < deadline, "timed out waiting for " + (what() if callable(what) else what))
        time.sleep(pause)


def bird_names(pairs=18):
    """The Dutch bird names, in face order, from the catalogue the game speaks from."""
    table = os.path.join(REPO, "texts", "dutch.cpp")
    with open(table, encoding="utf-8") as source:
        birds = source.read().split(".birds = {{")[1].split("}}")[0]
        names = re.findall(r'^\s*"([^"]+)",', birds, re.MULTILINE)
    check(len(names) == pairs, "%d bird names in %s" % (len(names), table))
    return names


def card(slot, state=""):
    """A card's name as the game gives it: its place, then state ("dicht", or "open, " and its bird...)."""
    return "Kaart %d, rij %d, kolom %d: %s" % (slot + 1, slot // GRID + 1, slot % GRID + 1, state)


FACE_DOWN = [card(slot, "dicht") for slot in range(GRID * GRID)]  # every card's name at the start, in order


def arrows(start, to):
    """The arrow keys that take the focus from the card at start to the card at to."""
    (row, column), (to_row, to_column) = divmod(start, GRID), divmod(to, GRID)
    return ["Down"] * (to_row - row) + ["Up"] * (row - to_row) + ["Right"] * (to_column - column) + \
        ["Left"] * (column - to_column)


def environment(drop=()):
    return {k: v for k, v in os.environ.items() if k not in drop}


def xvfb_command(command, screen=None, depth=24):
    server = "-noreset" + (" -screen 0 %dx%dx%d" % (screen + (depth,)) if screen else "")
    return ["xvfb-run", "-n", str(random.randint(FIRST_DISPLAY, LAST_DISPLAY)), "-a", "-s", server] + command


def rerun_inside(script, args, timeout, around=(), python=sys.executable, drop=()):
    """Runs script again with --inside and args under a private X server of
    SCREEN, within the command `around` if given, without the caller's Qt
    settings and the variables in drop; exits with its status."""
    command = list(around) + xvfb_command([python, os.path.abspath(script), "--inside"] + args, SCREEN)
    # A runtime folder of its own: there the accessibility bus that a session
    # bus starts puts its socket, which two runs side by side would share.
    with tempfile.TemporaryDirectory(prefix="koppelo-run-") as runtime:
        env = dict(environment(QT_SETTINGS + tuple(drop)), XDG_RUNTIME_DIR=runtime)
        code = subprocess.run(command, env=env, timeout=timeout).returncode
    sys.exit(code)


def centre(rect):
    left, top, width, height = rect
    return left + width // 2, top + height // 2


def windows_named(pattern):
    return subprocess.run(["xdotool", "search", "--onlyvisible", "--name", pattern], capture_output=True,
                          text=True).stdout.split()


def find_window(pattern, timeout=30, process=None, what="the program"):
    """The first visible window whose name matches; fails if none shows in time or the process ends first."""
    found = wait_until(lambda: windows_named(pattern) or (process is not None and process.poll() is not None),
                       "%s to show a window named %s" % (what, pattern), timeout, pause=0.1)
    check(process is None or process.poll() is None,
          "%s ended before it showed a window, with status %s" % (what, process and process.returncode))
    return found[0]


class XImage(ctypes.Structure):
    """The head of Xlib's XImage, up to the pixel format."""
    _fields_ = [(name, ctypes.c_int) for name in ("width", "height", "xoffset", "format")] + \
        [("data", ctypes.c_void_p)] + \
        [(name, ctypes.c_int) for name in ("byte_order", "bitmap_unit", "bitmap_bit_order", "bitmap_pad", "depth",
                                          "bytes_per_line", "bits_per_pixel")]


def xlib():
    """Xlib with the types of the calls made here, and the display of DISPLAY."""
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XDefaultRootWindow.restype = ctypes.c_ulong
    x11.XGetImage.restype = ctypes.POINTER(XImage)
    x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.c_int] * 2 + [ctypes.c_uint] * 2 + \
        [ctypes.c_ulong, ctypes.c_int]
    display = ctypes.c_void_p(x11.XOpenDisplay(None))
    check(display.value, "cannot open the display")
    return x11, display


def screen_area(left, top, width, height):
    """Raw RGB of a rectangle of the screen through Xlib: at once, where a screenshot tool takes a tenth of a second."""
    x11, display = xlib()
    z_pixmap, all_planes = 2, 0xFFFFFFFF
    image = x11.XGetImage(display, x11.XDefaultRootWindow(display), left, top, width, height, all_planes, z_pixmap)
    check(image and image.contents.bits_per_pixel == 32 and image.contents.byte_order == 0,
          "the screen is not 32 bits a pixel, least significant byte first")
    stride = image.contents.bytes_per_line
    raw = ctypes.string_at(image.contents.data, stride * height)
    x11.XDestroyImage(image)
    x11.XCloseDisplay(display)
    rgb = bytearray(width * height * 3)
    for row in range(height):
        line = row * stride
        for channel, offset in enumerate((2, 1, 0)):  # each pixel lies as blue, green, red, unused
            rgb[row * width * 3 + channel:(row + 1) * width * 3:3] = raw[line + offset:line + width * 4:4]
    return bytes(rgb)


def click_on_screen(x, y):
    """A left click at a point of the screen, as a pointer makes it (the X test extension)."""
    x11, display = xlib()
    xtst = ctypes.CDLL("libXtst.so.6")
    left_button, now = 1, 0
    xtst.XTestFakeMotionEvent(display, -1, x, y, now)
    for pressed in (True, False):
        xtst.XTestFakeButtonEvent(display, left_button, pressed, now)
    x11.XCloseDisplay(display)  # flushes the events out


def close_and_wait(window, process, what, timeout=10):
    """Closes the window as a window manager's close box does (WM_DELETE_WINDOW); returns the exit status."""
    x11, display = xlib()
    # An XClientMessageEvent as 64-bit Linux lays it out, one long a field:
    # type, serial, send_event, display, window, message_type, format, data.
    event = (ctypes.c_long * 24)(33, 0, 0, 0, int(window), x11.XInternAtom(display, b"WM_PROTOCOLS", 0), 32,
                                 x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0))
    x11.XSendEvent(display, ctypes.c_ulong(int(window)), 0, ctypes.c_long(0), event)
    x11.XCloseDisplay(display)  # flushes the event out
    try:
        return process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        process.kill()
        check(False, "%s: the program did not end when its window was closed" % what)


def keys(*names, window=None, activate=False, delay=40):
    """Keys as a keyboard types them: to the focus, or to window once focused (or made active, as Wine wants)."""
    to = ["windowactivate" if activate else "windowfocus", "--sync", str(window)] if window else []
    run("xdotool", *to, "key", "--delay", str(delay), *names)


def window_manager():
    """openbox, once it has taken the screen: a window mapped before may never show."""
    manager = subprocess.Popen(["openbox"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wait_until(lambda: b"window id" in subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"],
                                                      capture_output=True).stdout, "the window manager to start", 30)
    return manager


def placed(window):
    """A window's place on the screen and its size: left, top, width, height.
    Asked of the X server, which counts a window manager's frame once."""
    x11, display = xlib()
    root, child, left, top, width, height, border, depth = (ctypes.c_ulong(), ctypes.c_ulong(), ctypes.c_int(),
                                                            ctypes.c_int()) + tuple(ctypes.c_uint() for _ in range(4))
    x11.XGetGeometry(display, ctypes.c_ulong(int(window)), *map(ctypes.byref, (root, left, top, width, height, border,
                                                                               depth)))
    x11.XTranslateCoordinates(display, ctypes.c_ulong(int(window)), root, 0, 0, *map(ctypes.byref, (left, top, child)))
    x11.XCloseDisplay(display)
    return left.value, top.value, width.value, height.value


def shows(window, rect):
    """Whether a rectangle of a window shows something drawn: more than one colour."""
    left, top, _, _ = placed(window)
    pixels = screen_area(left + rect[0], top + rect[1], rect[2], rect[3])
    return len({pixels[i:i + 3] for i in range(0, len(pixels), 3)}) > 1


def screenshot(window, path):
    """The window as a player sees it, with the window manager's frame if it has one."""
    left, top, width, height = placed(window)
    extents = run("xprop", "-id", str(window), "-notype", "_NET_FRAME_EXTENTS").decode()
    frame_left, frame_right, frame_top, frame_bottom = map(int, extents.split("=")[1].split(",")) \
        if "=" in extents else (0, 0, 0, 0)
    run("import", "-window", "root", "-crop", "%dx%d+%d+%d" % (width + frame_left + frame_right, height + frame_top +
        frame_bottom, left - frame_left, top - frame_top), "+repage", path)


def window_icon(window, sides):
    """_NET_WM_ICON, what the window manager draws: at each of sides the
    program's own image, pixel for pixel. Returns every side it holds."""
    words = run("xprop", "-len", "100000", "-id", str(window), "-notype", "-f", "_NET_WM_ICON", "32c",
                "_NET_WM_ICON").decode().split("=")[-1]
    numbers, icons = [int(w) for w in words.replace(",", " ").split()], {}
    while numbers:
        side = numbers[0]
        icons[side], numbers = numbers[2:2 + side * side], numbers[2 + side * side:]
    for side in sides:
        check(side in icons, "the window's icon has no %d-pixel image, only %s" % (side, sorted(icons)))
        rgba = run("convert", os.path.join(REPO, "assets", "icons", "koppelo-%d.png" % side), "-depth", "8", "rgba:-")
        for i, argb in enumerate(icons[side]):
            red, green, blue, alpha = rgba[4 * i:4 * i + 4]
            check(argb == (alpha << 24 | red << 16 | green << 8 | blue) or alpha == argb >> 24 == 0,
                  "pixel %d of the %d-pixel icon is 0x%08x, not the program's" % (i, side, argb))
    return sorted(icons)


class GameWindow:
    """The game's window as the screen shows it, in its client area's pixels
    at 96 dpi, placed by the JSON that koppelo-window-geometry wrote."""

    def __init__(self, window, geometry):
        self.id = window
        with open(geometry, encoding="utf-8") as table:
            self.geometry = json.load(table)
        self.left, self.top, self.width, self.height = placed(window)
        self.menu_bar = self.height - self.geometry["client"][1]
        self.band = bytes(self.geometry["shpTitel"]["fill"])
        self.band_at = centre(self.geometry["shpTitel"]["rect"])

    def area(self, x, y, w, h):
        """Raw RGB of a rectangle of the client area."""
        return screen_area(self.left + x, self.top + self.menu_bar + y, w, h)

    def pixel(self, x, y):
        return self.area(x, y, 1, 1)

    def painted(self):
        """Whether the title band shows: the window has been painted, not merely mapped."""
        return self.pixel(*self.band_at) == self.band

    def slot_centre(self, slot):
        return centre(self.geometry["Picture3"][slot])

    def click(self, x, y):
        click_on_screen(self.left + x, self.top + self.menu_bar + y)

    def keys(self, *names, **how):
        keys(*names, window=self.id, **how)

    def about(self, close, patience=30, **how):
        """Opens the About dialog by its menu's keys, closes it by close(dialog) once drawn, and waits for it to go."""
        self.keys("alt+h", "o", **how)
        dialog = find_window(ABOUT, patience)
        wait_until(lambda: shows(dialog, self.geometry["frmOver.cmdOK"]), "the About dialog to be drawn", patience)
        close(dialog)
        wait_until(lambda: not windows_named(ABOUT), "the About dialog to close", patience)

    def click_ok(self, dialog):
        (left, top, _, _), (x, y) = placed(dialog), centre(self.geometry["frmOver.cmdOK"])
        click_on_screen(left + x, top + y)


class Player:
    """Plays the game on the screen with a perfect memory of the faces it has
    seen. A card is turned by a click unless turn(slot) does it another way;
    came_to(slot, what), if given, hears what each card came to by the rules:
    "turned" for a turn's first card, "pair" or "miss" for its second."""

    SIGNATURE = 12  # half the side of the square read at a slot's centre to tell faces apart

    def __init__(self, window, patience=10.0, turn=None, came_to=None):
        self.window, self.patience = window, patience
        self.turn = turn or (lambda slot: window.click(*window.slot_centre(slot)))
        self.came_to = came_to or (lambda slot, what: None)
        self.wait_for(window.painted, "the first paint")
        self.background = window.pixel(*centre(window.geometry["Picture6"]))
        self.slots = len(window.geometry["Picture3"])
        self.new_game()

    def new_game(self):
        """Forgets the faces seen: a fresh deal."""
        self.faces, self.found, self.face_up, self.first = {}, set(), set(), None

    def shown(self, slot):
        x, y = self.window.slot_centre(slot)
        return self.window.area(x - self.SIGNATURE, y - self.SIGNATURE, 2 * self.SIGNATURE, 2 * self.SIGNATURE)

    def face_down(self, slot):
        return self.window.pixel(*self.window.slot_centre(slot)) == self.background

    def wait_for(self, condition, what):
        wait_until(condition, what, self.patience)

    def play(self, slot):
        """One card turned and its face remembered; a press the rules ignore (a card found or face up) is not made."""
        if slot in self.found | self.face_up:
            return
        # The last card wins, and the win's message may cover it at once.
        last = self.first is not None and len(self.found) == self.slots - 2
        self.turn(slot)
        self.wait_for(lambda: not self.face_down(slot) or last and windows_named(WON), "slot %d to turn" % slot)
        self.faces[slot] = self.shown(slot)
        if self.first is None:
            self.first, self.face_up, what = slot, {slot}, "turned"
        else:
            what = "pair" if last or self.faces[slot] == self.faces[self.first] else "miss"
            self.found |= {slot, self.first} if what == "pair" else set()
            self.first, self.face_up = None, {slot, self.first}
        self.came_to(slot, what)

    def partner(self, slot):
        """The card seen with the same face, not yet found; None if there is none."""
        return next((s for s, face in self.faces.items() if face == self.faces[slot] and s != slot
                     and s not in self.found), None)

    def play_turn(self):
        """A known pair if there is one, face-down card first; else an unseen
        card, then its partner if seen, else another unseen card."""
        unseen = (slot for slot in range(self.slots) if slot not in self.faces)
        known = [s for s in self.faces if s not in self.found | self.face_up and self.partner(s) is not None]
        first = known[0] if known else next(unseen, None)
        if first is None:
            screenshot(self.window.id, "player-lost.png")
            check(False, "every card seen, yet the faces left do not pair up (the screen: player-lost.png in %s)"
                  % os.getcwd())
        self.play(first)
        self.play(self.partner(first) if self.partner(first) is not None else next(unseen))

    def win(self):
        while len(self.found) < self.slots:
            self.play_turn()


class HearingPlayer(Player):
    """A player who knows a face only from the last card heard turned:
    seen is (slot, bird) of that card, which its play sets."""

    seen = (None, None)

    def face_down(self, slot):
        return self.seen[0] != slot

    def shown(self, slot):
        return self.seen[1]


if __name__ == "__main__":
    check(len(sys.argv) > 1, "usage: x_server.py COMMAND...")
    sys.exit(subprocess.run(xvfb_command(sys.argv[1:], SCREEN), env=environment(QT_SETTINGS)).returncode)
