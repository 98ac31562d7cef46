#!/usr/bin/env python3
"""Koppelo.exe, the one file handed out for Windows: a stripped 64-bit GUI
program importing only Windows' own DLLs, with exactly the icons and version
record the resource script compiles to; then, alone in a folder under Wine
(a prefix of its own: Arial is Liberation Sans, 96 dpi) and openbox, it
refuses what the Linux build refuses in the same words, names a platform it
lacks, shows the layout's client area and its own title-bar icon, draws
every face it turns as the bitmap holds it, finds a pair, deals afresh on F2, opens
and closes About, and ends when its window is closed.

    wine_test.py KOPPELO_EXE LINUX_KOPPELO GEOMETRY_JSON [--screenshots DIR]
"""
import glob
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from x_server import (REPO, GameWindow, Player, check, close_and_wait, failure, find_window, rerun_inside,  # noqa: E402
                      run, screen_area, screenshot, wait_until, window_icon, window_manager,
                      windows_named, xvfb_command)

SUNKEN = 2  # a picture box's 3-D border, inside its rectangle
BAND_OUTLINE = 1  # the title band's outline, above its fill
RT_ICON, RT_GROUP_ICON, RT_VERSION = 3, 14, 16
MINGW = "x86_64-w64-mingw32-"
PREFIX_TRIES = 3
STARTING = 120  # seconds for Wine to make its prefix or show the window, on a busy machine
ACTIVE = {"activate": True, "delay": 300}  # keys to a window the manager has made active, as Wine wants them
TITLE_BAR_ICON = [16, 32]
WINE_ENV = {"WINEDEBUG": "-all", "WINEDLLOVERRIDES": "mscoree,mshtml="}


def resources(source, scratch):
    """What windres reads in a resource script or a program: {(type, name): bytes}
    of the icons and the version record, and the languages in order (a .res
    made from a program loses them)."""
    res, read = os.path.join(scratch, "resources.res"), ["-i", source, "-J", "coff" if source.endswith("exe") else "rc"]
    run(MINGW + "windres", *read, "-O", "res", "-o", res)
    data, found, at = open(res, "rb").read(), {}, 0
    while at < len(data):
        size, header = struct.unpack_from("<II", data, at)
        kind, name = struct.unpack_from("<2xH2xH", data, at + 8)
        if kind in (RT_ICON, RT_GROUP_ICON, RT_VERSION):
            found[(kind, name)] = data[at + header:at + header + size]
        at = (at + header + size + 3) // 4 * 4
    return found, re.findall(rb"^LANGUAGE .*$", run(MINGW + "windres", *read, "-O", "rc"), re.M)


def check_file(exe, system32, scratch):
    file = run(MINGW + "objdump", "-p", "-h", "-t", exe).decode()
    check("file format pei-x86-64" in file and re.search(r"^Magic\s+020b", file, re.M), "not a 64-bit program")
    check(re.search(r"^Subsystem\s+00000002", file, re.M), "not a Windows GUI program")
    check("SYMBOL TABLE:\nno symbols" in file, "a symbol table is left in")
    debug = re.findall(r"^\s+\d+ (\.debug\S*|/\S*)", file, re.M)
    check(not debug, "debug sections are left in: %s" % debug)
    check(re.search(r"^Entry d 0+ 0+ Delay Import", file, re.M), "delay-loaded DLLs")
    dlls = re.findall(r"DLL Name: (\S+)", file)
    # Windows' own: what its system folder holds, and its API sets, which
    # name contracts that Windows resolves rather than files.
    own = {name.lower() for name in os.listdir(system32)}
    foreign = [dll for dll in dlls if not (dll.lower() in own or dll.lower().startswith("api-ms-win-"))
               or dll.lower().startswith(("lib", "qt", "wine"))]
    check(not foreign, "imports DLLs that Windows does not carry: %s" % foreign)
    # The static Qt's Windows platform and style are linked in: without the
    # platform, Qt's only window is its message that it cannot start.
    plugins = sorted({name.decode() for name in re.findall(rb"Q\w*Windows\w*(?:Integration|Style)Plugin",
                                                          open(exe, "rb").read())})
    check(len(plugins) == 2, "Koppelo.exe carries Qt plugins %s, not the Windows platform and style" % plugins)
    built, script = resources(exe, scratch), resources(os.path.join(REPO, "assets", "koppelo.rc"), scratch)
    differ = sorted(key for key in built[0].keys() | script[0].keys() if built[0].get(key) != script[0].get(key))
    check(not differ and built[1] == script[1], "resources (type, name) %s differ from the compiled script's; "
          "languages %s, the script's %s" % (differ, built[1], script[1]))
    print("Koppelo.exe: 64-bit GUI, stripped, imports %s; Qt plugins %s; icons and version record as compiled"
          % (", ".join(dlls), ", ".join(plugins)))



def face_corners(side):
    """Each face bitmap's top-left side × side pixels as raw RGB: what a box
    that shows it unscaled holds. The faces are 24-bit bottom-up BMPs."""
    corners = []
    for path in sorted(glob.glob(os.path.join(REPO, "assets", "faces", "*.bmp"))):
        data = open(path, "rb").read()
        offset, width, height = struct.unpack_from("<I4xii", data, 10)
        stride = (3 * width + 3) // 4 * 4
        rows = (data[offset + (height - 1 - y) * stride:][:3 * side] for y in range(side))
        corners.append(b"".join(bytes(row[i + c] for i in range(0, len(row), 3) for c in (2, 1, 0)) for row in rows))
    return corners


def inner(rect):
    left, top, width, height = rect
    return left + SUNKEN, top + SUNKEN, width - 2 * SUNKEN, height - 2 * SUNKEN


class FaceReader(Player):
    """A player that reads each face it turns whole and knows it among the
    bitmaps; the first card of a turn must show in the first preview too."""

    def __init__(self, window):
        self.slot_faces = face_corners(inner(window.geometry["Picture3"][0])[2])
        self.preview_faces = face_corners(inner(window.geometry["Picture4"])[2])
        super().__init__(window, patience=30.0)

    def shown(self, slot):
        box = inner(self.window.geometry["Picture3"][slot])
        drawn = wait_until(lambda: (area := self.window.area(*box)) in self.slot_faces and area,
                           "slot %d to show a face's corner drawn unscaled" % slot, self.patience)
        return self.slot_faces.index(drawn)

    def play(self, slot):
        super().play(slot)
        if self.first == slot:
            self.wait_for(lambda: self.preview() == self.preview_faces[self.faces[slot]],
                          "the first preview to show face %d" % self.faces[slot])

    def preview(self, box="Picture4"):
        return self.window.area(*inner(self.window.geometry[box]))


def client_size(window):
    """The client area below the menu bar, whose height alone follows the
    desktop's menu font: from the title band's first row to the bottom."""
    x = window.band_at[0]
    column = screen_area(window.left + x, window.top, 1, window.height)
    fill = next((y for y in range(window.height) if column[3 * y:3 * y + 3] == window.band), window.height)
    return window.width, window.height - (fill - BAND_OUTLINE)


def said(result):
    """The program's own lines, Windows' line ends taken off."""
    return [line.rstrip("\r") for line in result.stderr.splitlines() if line.startswith("koppelo: ")]


def starts_as_on_linux(alone, linux_program):
    """What the Linux build refuses to start with, Koppelo.exe refuses in the
    same one line and status: the host's QT_ settings, which Wine hands on
    only under a WINE prefix, and a palette screen of 8 bits."""
    settings = [{"QT_SCALE_FACTOR": "0"}, {"QT_SCALE_FACTOR": "8.0001"},
                {"QT_ENABLE_HIGHDPI_SCALING": "0", "QT_SCREEN_SCALE_FACTORS": "1e9"}, {}]
    for setting in settings:
        def started(command, env):
            command = ["timeout", str(STARTING // 2)] + command  # one that went on would end with status 124
            return subprocess.run(command if setting else xvfb_command(command, (640, 480), depth=8),
                                  env=dict(os.environ, **env), capture_output=True, text=True, timeout=STARTING)
        linux = started([linux_program] + ["-platform", "offscreen"] * bool(setting), setting)
        wine = started(["wine", alone], {"WINE" + name: value for name, value in setting.items()})
        check(linux.returncode == wine.returncode == 1 and len(said(linux)) == 1 and said(linux) == said(wine),
              "%s: Linux ended with %d saying %r, Koppelo.exe with %d saying %r"
              % (setting or "8 bits a pixel", linux.returncode, linux.stderr, wine.returncode, wine.stderr))
    print("under Wine: %d settings refused in the Linux build's words" % len(settings))


WINE_OWN_LINE = re.compile(r"wine: |[0-9a-f]{4}:(err|fixme|warn|trace):")


def names_a_missing_platform(alone):
    """A platform the program lacks: Qt's own message box explains it first,
    as Qt does for a program without a console; then one line names it."""
    game = subprocess.Popen(["wine", alone, "-platform", "nosuch"], stderr=subprocess.PIPE, text=True)
    box = find_window("^Koppelo$", STARTING, game, "Koppelo.exe -platform nosuch")
    # Return again until it goes: one that comes before the box has the keyboard is lost.
    press = ["xdotool", "windowactivate", "--sync", box, "key", "Return"]
    wait_until(lambda: subprocess.run(press, capture_output=True) and not windows_named("^Koppelo$"),
               "Return to close Qt's message box", STARTING, pause=1)
    # Wine's helper processes (its desktop among them) inherit this stderr, and
    # a crash of theirs is Wine's own line there, not the program's: left out.
    lines = [line.rstrip("\r") for line in game.communicate(timeout=STARTING)[1].splitlines()
             if not WINE_OWN_LINE.match(line)]
    check(game.returncode == 1 and lines[0].startswith('koppelo: dit programma heeft geen Qt-platform "nosuch"')
          and "Available platform plugins are: windows." in lines,
          "-platform nosuch: it ended with %d, saying %r" % (game.returncode, lines))


def wine_prefix(scratch):
    """A Wine prefix of its own in scratch, made this process's: Arial is Liberation Sans, at 96 dpi."""
    prefix = os.path.join(scratch, "prefix")
    os.environ.update(WINE_ENV, WINEPREFIX=prefix)
    # Wine seldom fails to make a prefix, and before Koppelo.exe has run at
    # all: such a failure is reported and the prefix made afresh.
    for tries in range(1, PREFIX_TRIES + 1):
        made = subprocess.run(["wineboot", "--init"], capture_output=True)
        if made.returncode == 0:
            break
        check(tries < PREFIX_TRIES, failure(made))
        print("under Wine: %s\nunder Wine: making the prefix once more" % failure(made), file=sys.stderr)
        subprocess.run(["wineserver", "-k"])
        shutil.rmtree(prefix, ignore_errors=True)
    run("wine", "reg", "add", r"HKCU\Software\Wine\Fonts\Replacements", "/v", "Arial", "/d", "Liberation Sans", "/f")
    run("wine", "reg", "add", r"HKCC\Software\Fonts", "/v", "LogPixels", "/t", "REG_DWORD", "/d", "96", "/f")
    return prefix


def play_under_wine(exe, linux_program, geometry, screenshots, scratch):
    prefix = wine_prefix(scratch)
    check_file(exe, os.path.join(prefix, "drive_c", "windows", "system32"), scratch)

    # Alone in its folder: nothing beside it to load.
    alone = os.path.join(scratch, "hand-out", "Koppelo.exe")
    os.makedirs(os.path.dirname(alone))
    shutil.copy(exe, alone)
    answer = run("wine", alone, "--version").decode()
    check(answer.startswith("koppelo (Vogel-Koppelo) ") and "zie CREDITS.md naast Koppelo.exe" in answer,
          "--version answered %r" % answer)
    starts_as_on_linux(alone, linux_program)
    names_a_missing_platform(alone)

    game = subprocess.Popen(["wine", alone])
    window = GameWindow(find_window("^Koppelo$", STARTING, game, "Koppelo.exe"), geometry)
    window_icon(window.id, TITLE_BAR_ICON)
    reader = FaceReader(window)
    size = client_size(window)
    check(size == tuple(window.geometry["client"]), "the client area is %dx%d, the layout's %dx%d"
          % (size + tuple(window.geometry["client"])))
    board = (0, 0, window.geometry["Label1"][0], window.geometry["client"][1])
    start, zero = window.area(*board), window.area(*window.geometry["Label1"])

    while not reader.found:
        reader.play_turn()
    pair = sorted(reader.found)
    print("under Wine: slots %d and %d are a pair, found after reading %d cards" % (*pair, len(reader.faces)))
    face = reader.faces[pair[0]]
    check(reader.preview("Picture5") == reader.preview_faces[face], "the second preview lacks the pair's face")
    check(window.area(*window.geometry["Label1"]) != zero, "the counter still shows 0 after a pair")
    if screenshots:
        screenshot(window.id, os.path.join(screenshots, "wine-game.png"))

    # A new game: every card face down and the counter at 0; the previews
    # keep the last pair until the next turn.
    window.keys("F2", **ACTIVE)
    reader.wait_for(lambda: window.area(*board) == start, "F2 to turn every card down")
    check(window.area(*window.geometry["Label1"]) == zero, "after F2 the counter is not back at 0")
    check(reader.preview("Picture4") == reader.preview("Picture5") == reader.preview_faces[face],
          "after F2 the previews lost the last pair")

    def close_about(about):
        if screenshots:
            screenshot(about, os.path.join(screenshots, "wine-about.png"))
        window.click_ok(about)
    window.about(close_about, STARTING, **ACTIVE)

    status = close_and_wait(window.id, game, "Koppelo.exe", STARTING)
    check(status == 0, "Koppelo.exe ended with status %d" % status)
    print("under Wine: window %dx%d, its client area %dx%d as the layout's, its own icon, every face as the bitmaps "
          "hold it, a pair, F2, About: OK" % ((window.width, window.height) + size))


def with_wine(play, *args):
    """play(*args, scratch) under openbox, with a scratch folder for its Wine prefix; both gone after it."""
    scratch = tempfile.mkdtemp(prefix="koppelo-wine-")
    manager = window_manager()
    try:
        play(*args, scratch)
    finally:
        subprocess.run(["wineserver", "-k"], env=dict(os.environ, WINEPREFIX=os.path.join(scratch, "prefix")))
        manager.kill()
        shutil.rmtree(scratch, ignore_errors=True)


def main():
    args = sys.argv[1:]
    if args[:1] == ["--inside"]:
        return with_wine(play_under_wine, *args[1:4], args[4] if len(args) > 4 else None)
    check(len(args) == 3 or len(args) == 5 and args[3] == "--screenshots",
          "usage: wine_test.py KOPPELO_EXE LINUX_KOPPELO GEOMETRY_JSON [--screenshots DIR]")
    rerun_inside(__file__, [os.path.abspath(arg) for arg in args[:3] + args[4:]], 900, drop=("WAYLAND_DISPLAY",))


if __name__ == "__main__":
    main()
