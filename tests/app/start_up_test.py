#!/usr/bin/env python3
"""How the built game starts. In a real X server: its window centred, with
the launcher entry's class and its own icon at 16, 32 and 48, played a
little, and ending when closed, also with standard error closed. Where
starting is hard (no display, a platform plugin that is not there, 256
colours) it ends with one line and status 1, with Qt's own explanation where
Qt has one; what Qt would honour it does not refuse; without fonts it says
so in one line and plays on.

    start_up_test.py KOPPELO GEOMETRY
"""
import os
import re
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from x_server import (REPO, SCREEN, GameWindow, Player, centre, check, close_and_wait, environment,  # noqa: E402
                      find_window, rerun_inside, run, window_icon, xvfb_command)

LAUNCHER = os.path.join(REPO, "packaging", "nl.koppelo.Koppelo.desktop")
ICON_SIDES = [16, 32, 48]  # the title bar's, the task bar's and a window switcher's
QT_ENVIRONMENT = ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "QT_SCALE_FACTOR")
STILL_RUNNING = 3  # seconds without a word after which a start counts as accepted


def free_display():
    """A display number with neither a socket nor a lock, scanned from high up."""
    for number in range(599, 100, -1):
        if not os.path.exists("/tmp/.X11-unix/X%d" % number) and not os.path.exists("/tmp/.X%d-lock" % number):
            return ":%d" % number
    check(False, "no free display number")


def refusals(program):
    """Every display that cannot be opened: one line naming it, status 1. A
    plugin Qt lacks is named instead, and under QT_DEBUG_PLUGINS any failure,
    with Qt's own explanation after the line."""
    display, bare = free_display(), environment(QT_ENVIRONMENT)
    with tempfile.TemporaryDirectory() as runtime:
        cases = [  # what, environment, arguments, what the line says (a pattern), what follows it (None: nothing)
            ("no server at " + display, dict(bare, DISPLAY=display), [], 'kan beeldscherm "%s"' % display, None),
            ("a garbled display name", dict(bare, DISPLAY="garbage"), [], 'kan beeldscherm "garbage"', None),
            ("Wayland without a compositor", dict(bare, WAYLAND_DISPLAY="koppelo-none", XDG_RUNTIME_DIR=runtime), [],
             'kan beeldscherm "koppelo-none"', None),
            ("no display at all", bare, [], "geen beeldscherm .*xvfb-run -a", None),
            ("an unknown platform", dict(bare, DISPLAY=display), ["-platform", "bogus"],
             'Qt kan zijn platform "bogus" niet vinden', "Available platform plugins are: "),
            ("QT_DEBUG_PLUGINS without a server", dict(bare, DISPLAY=display, QT_DEBUG_PLUGINS="1"), [],
             'kan beeldscherm "%s" niet openen' % display, "could not connect to display"),
        ]
        for what, env, args, named, explained in cases:
            result = subprocess.run([program] + args, env=env, capture_output=True, text=True, timeout=30)
            lines = result.stderr.splitlines()
            check(result.returncode == 1 and lines and lines[0].startswith("koppelo: ") and re.search(named, lines[0])
                  and (len(lines) == 1 if explained is None else explained in result.stderr),
                  "%s: it ended with %d, saying %r" % (what, result.returncode, result.stderr))


def refuses_few_colours(program):
    """Qt leaves a window black at 8 bits a pixel: one line instead."""
    # A game that went on would be ended by timeout, with its status 124.
    result = subprocess.run(xvfb_command(["timeout", str(STILL_RUNNING * 10), program], (640, 480), depth=8),
                            env=environment(QT_ENVIRONMENT), capture_output=True, text=True, timeout=120)
    lines = [line for line in result.stderr.splitlines() if line.startswith("koppelo: ")]
    check(result.returncode == 1 and len(lines) == 1 and "8 bits per beeldpunt" in lines[0]
          and "QPainter" not in result.stderr,
          "at 8 bits a pixel it ended with %d, saying %r" % (result.returncode, result.stderr[:500]))


def accepts_offscreen(program):
    process = subprocess.Popen([program, "-platform", "offscreen"], env=environment(QT_ENVIRONMENT),
                               stderr=subprocess.PIPE, text=True)
    try:
        check(False, "-platform offscreen without DISPLAY ended with %d, saying %r"
              % (process.wait(timeout=STILL_RUNNING), process.stderr.read()))
    except subprocess.TimeoutExpired:
        process.kill()


def shows_and_closes(command, env, what, meanwhile=lambda window: None):
    """Shows its window, where meanwhile(window) may look at it, and ends with
    0 when that is closed; returns what it said."""
    process = subprocess.Popen(command, env=env, stderr=subprocess.PIPE, text=True)
    window = find_window("^Koppelo$", process=process, what=what)
    meanwhile(window)
    code = close_and_wait(window, process, what)
    said = process.stderr.read()
    check(code == 0, "%s: it ended with status %d, saying %r" % (what, code, said))
    return said


def plays_without_fonts(program):
    """With no font at all it names the fonts and their packages, and plays on."""
    with tempfile.TemporaryDirectory() as scratch:
        config = os.path.join(scratch, "fonts.conf")
        with open(config, "w") as file:
            file.write('<?xml version="1.0"?>\n<fontconfig><cachedir>%s</cachedir></fontconfig>\n' % scratch)
        said = shows_and_closes([program], dict(environment(("XDG_RUNTIME_DIR",)), FONTCONFIG_FILE=config,
                                                XDG_RUNTIME_DIR=scratch), "without fonts")
    lines = said.splitlines()
    check(len(lines) == 1 and lines[0].startswith("koppelo: er zijn geen lettertypen") and "fonts-liberation" in lines[0],
          "without fonts it said %r" % said)


def in_place_and_playable(found, geometry):
    """Its window as the launcher and a window manager see it, played a little."""
    window = GameWindow(found, geometry)
    client_w, client_h = window.geometry["client"]
    check(window.width == client_w and window.height > client_h, "the window is %dx%d" % (window.width, window.height))
    check(all(abs(at - (room - side) // 2) <= 1 for at, room, side in zip((window.left, window.top), SCREEN,
                                                                          (window.width, window.height))),
          "the window at (%d, %d) is not centred" % (window.left, window.top))
    with open(LAUNCHER, encoding="utf-8") as entry:
        named = re.search(r"^StartupWMClass=(.*)$", entry.read(), re.MULTILINE)[1]
    wm_class = run("xprop", "-id", window.id, "WM_CLASS").decode()
    check(wm_class.strip().endswith(', "%s"' % named),
          "the launcher names %s, the window has %s" % (named, wm_class))
    sides = window_icon(window.id, ICON_SIDES)
    check(sides == ICON_SIDES, "the window's icon has the sides %s, not %s" % (sides, ICON_SIDES))

    game = Player(window)
    first_preview = centre(window.geometry["Picture4"])
    check(window.pixel(*window.slot_centre(0)) == window.pixel(*first_preview) == game.background,
          "a face shows at the start")
    game.play(0)
    game.wait_for(lambda: window.pixel(*first_preview) != game.background, "the first preview to show the face")
    check(game.face_down(1), "an unclicked card turned")
    window.keys("F2")
    game.wait_for(lambda: game.face_down(0), "F2 to start a new game")


def inside(program, geometry):
    shows_and_closes([program], environment(), "in a real X server",
                     lambda window: in_place_and_playable(window, geometry))
    # Without XDG_RUNTIME_DIR Qt warns as it starts: the warning that, with
    # descriptor 2 closed, went into the display connection.
    shows_and_closes(["sh", "-c", 'exec "$0" 2>&-', program], environment(("XDG_RUNTIME_DIR",)),
                     "started with standard error closed")
    shows_and_closes([program, "-display", os.environ["DISPLAY"]], environment(QT_ENVIRONMENT),
                     "-display without DISPLAY")
    plays_without_fonts(program)
    print("start-up: OK")


def main():
    if sys.argv[1:2] == ["--inside"]:
        return inside(*sys.argv[2:])
    check(len(sys.argv) == 3, "usage: start_up_test.py KOPPELO GEOMETRY")
    program = os.path.abspath(sys.argv[1])
    refusals(program)
    refuses_few_colours(program)
    accepts_offscreen(program)
    rerun_inside(__file__, [program, os.path.abspath(sys.argv[2])], 150)


if __name__ == "__main__":
    main()
