#!/usr/bin/env python3
"""The built game in a real X server. Without a display it must refuse in
one line; under Xvfb it must show its window centred, turn a card at a real
pointer's click, start afresh on F2, and end when its window is closed.

    real_window_smoke.py KOPPELO [--screenshot PNG]
"""
import ctypes
import os
import subprocess
import sys
import time

SCREEN_W, SCREEN_H = 1024, 768
CLIENT_W, CLIENT_H = 656, 583
BAND = bytes((86, 145, 233))
FIRST_PREVIEW, UNSEEN_BOX = (598, 278), (598, 486)


def check(condition, message):
    if not condition:
        print("FAIL: " + message, file=sys.stderr)
        sys.exit(1)


def run(*args):
    return subprocess.run(args, check=True, capture_output=True).stdout


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


def inside(program, screenshot):
    process = subprocess.Popen([program])
    found = subprocess.run(["timeout", "30", "xdotool", "search", "--sync", "--onlyvisible", "--name", "^Koppelo$"],
                           capture_output=True, text=True).stdout.split()
    check(found, "no window named Koppelo appeared")
    shape = dict(line.split("=") for line in run("xdotool", "getwindowgeometry", "--shell", found[0]).decode().split())
    left, top, width, height = (int(shape[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))
    check(width == CLIENT_W and height > CLIENT_H, "the window is %dx%d" % (width, height))
    check(abs(left - (SCREEN_W - width) // 2) <= 1 and abs(top - (SCREEN_H - height) // 2) <= 1,
          "the window at (%d, %d) is not centred" % (left, top))
    menu_bar = height - CLIENT_H
    time.sleep(1.0)  # the first paint

    def screen():
        """The client area as the screen shows it, as a pixel reader."""
        run("import", "-window", "root", shot)
        pixels = run("convert", shot, "-depth", "8", "rgb:-")
        return lambda x, y, w=1: pixels[((top + menu_bar + y) * SCREEN_W + left + x) * 3:][:w * 3]

    shot = "/tmp/koppelo-smoke-%d.png" % os.getpid()
    slot0 = (48, 96)  # slot 0's centre; slot 1 lies 88 pixels to its right
    before = screen()
    background = before(*UNSEEN_BOX)
    check(before(300, 20) == BAND, "the title band is not blue")
    check(before(*slot0) == background and before(*FIRST_PREVIEW) == background, "a face shows at the start")

    run("xdotool", "mousemove", "--window", found[0], str(slot0[0]), str(menu_bar + slot0[1]), "click", "1")
    time.sleep(0.3)
    after = screen()
    check(after(slot0[0] - 30, slot0[1], 60) != before(slot0[0] - 30, slot0[1], 60), "the clicked card did not turn")
    check(after(*FIRST_PREVIEW) != background, "the first preview shows no face")
    check(after(slot0[0] + 88, slot0[1]) == background, "an unclicked card turned")
    if screenshot:
        run("convert", shot, "-crop", "%dx%d+%d+%d" % (width, height, left, top), "+repage", screenshot)

    run("xdotool", "windowfocus", "--sync", found[0], "key", "F2")
    time.sleep(0.3)
    check(screen()(*slot0) == background, "F2 did not start a new game")
    os.remove(shot)

    send_delete_window(int(found[0]))
    try:
        code = process.wait(timeout=10)
    except subprocess.TimeoutExpired:
        process.kill()
        check(False, "the program did not end when its window was closed")
    check(code == 0, "the program ended with status %d" % code)
    print("real window: OK")


def main():
    if len(sys.argv) > 2 and sys.argv[1] == "--inside":
        return inside(sys.argv[2], sys.argv[3] if len(sys.argv) > 3 else None)
    check(len(sys.argv) in (2, 4), "usage: real_window_smoke.py KOPPELO [--screenshot PNG]")
    program = os.path.abspath(sys.argv[1])

    # With no display at all it says so in one line and fails.
    bare = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    result = subprocess.run([program], env=bare, capture_output=True, text=True, timeout=30)
    lines = result.stderr.splitlines()
    check(result.returncode != 0 and len(lines) == 1 and "geen beeldscherm" in lines[0] and "xvfb-run" in lines[0],
          "without a display it ended with %d, saying: %r" % (result.returncode, result.stderr))

    shot = [os.path.abspath(sys.argv[3])] if len(sys.argv) == 4 else []
    env = {k: v for k, v in os.environ.items() if k not in ("QT_QPA_PLATFORM", "QT_SCALE_FACTOR")}
    sys.exit(subprocess.run(["xvfb-run", "-a", "-s", "-screen 0 %dx%dx24" % (SCREEN_W, SCREEN_H), sys.executable,
                             os.path.abspath(__file__), "--inside", program] + shot, env=env, timeout=100).returncode)


if __name__ == "__main__":
    main()
