#!/usr/bin/env python3
"""Koppelo.exe, the one file handed out for Windows: what the file itself
carries, then the game played under Wine beside the Linux build.

The file: a 64-bit GUI program, stripped, importing only Windows' own DLLs,
with exactly the icons, icon group and version record that the resource
script compiles to. Under Wine, in a private X server with a window manager
and a Wine prefix made for the run (Arial is Liberation Sans there, as on
Linux; 96 dpi), alone in a folder: --version answers, the scale settings and
the palette screen the Linux build refuses it refuses in the same words, a
platform it lacks is named, the client area below
the menu bar is as large as the Linux build's (the menu bar itself follows
the desktop's menu font), the title bar icon is the program's, a click turns a
card, a pair moves the counter off 0, F2 turns every card down and the
counter back to 0, Alt+H, O opens "Over..." and its OK closes it, and
closing the window ends the program. Every face seen, under Wine and from
the Linux build (which shows all 18 first), is the face's bitmap drawn
unscaled from its corner.

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
from x_server import (GameWindow, Player, centre, check, click, close_and_wait, find_window,  # noqa: E402
                      placed, rerun_inside, run, screen_area, wait_until, windows_named, xvfb_command)

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SUNKEN = 2  # a picture box's 3-D border, inside its rectangle
BAND_OUTLINE = 1  # the title band's outline, above its fill
RT_ICON, RT_GROUP_ICON, RT_VERSION = 3, 14, 16
MINGW = "x86_64-w64-mingw32-"
STARTING = 120  # seconds for Wine to make its prefix or show the window, on a busy machine
WINE_ENV = {"WINEDEBUG": "-all", "WINEDLLOVERRIDES": "mscoree,mshtml="}
REGISTRY = r"""REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Arial"="Liberation Sans"

[HKEY_CURRENT_CONFIG\Software\Fonts]
"LogPixels"=dword:00000060
"""


# --- The file -----------------------------------------------------------------------------

class PeFile:
    def __init__(self, data):
        self.data = data
        pe = self.u32(0x3C)
        check(data[pe:pe + 4] == b"PE\0\0", "not a PE file")
        self.machine, sections, _, self.symbols_at, self.symbols, optional_size, _ = \
            struct.unpack_from("<HHIIIHH", data, pe + 4)
        optional = pe + 24
        self.magic, self.subsystem = self.u16(optional), self.u16(optional + 68)
        self.directories = optional + 112  # where PE32+ lists its data directories
        table = optional + optional_size
        self.sections = [struct.unpack_from("<8sIIII", data, table + 40 * i) for i in range(sections)]

    def u16(self, at):
        return struct.unpack_from("<H", self.data, at)[0]

    def u32(self, at):
        return struct.unpack_from("<I", self.data, at)[0]

    def section_names(self):
        return [name.rstrip(b"\0").decode() for name, *_ in self.sections]

    def offset(self, rva):
        for _, size, address, raw_size, raw_at in self.sections:
            if address <= rva < address + max(size, raw_size):
                return raw_at + rva - address
        check(False, "address 0x%x lies in no section" % rva)

    def directory(self, index):
        return struct.unpack_from("<II", self.data, self.directories + 8 * index)

    def imported_dlls(self):
        names, at = [], self.offset(self.directory(1)[0])
        while any(struct.unpack_from("<5I", self.data, at)):
            name = self.offset(self.u32(at + 12))
            names.append(self.data[name:self.data.index(b"\0", name)].decode())
            at += 20
        return names

    def resources(self):
        """{(type, name, language): bytes}, walking the three levels of the tree."""
        root = self.offset(self.directory(2)[0])

        def entries(table):
            count = self.u16(table + 12) + self.u16(table + 14)
            return [struct.unpack_from("<II", self.data, table + 16 + 8 * i) for i in range(count)]

        found = {}
        for kind, names in entries(root):
            for name, languages in entries(root + (names & 0x7FFFFFFF)):
                for language, leaf in entries(root + (languages & 0x7FFFFFFF)):
                    address, size = struct.unpack_from("<II", self.data, root + leaf)
                    found[(kind, name, language)] = self.data[self.offset(address):][:size]
        return found


def compiled_resource_script(scratch):
    """What windres makes of the committed script: {(type, name, language): bytes}."""
    res = os.path.join(scratch, "koppelo.res")
    run(MINGW + "windres", "-i", os.path.join(REPO, "assets", "koppelo.rc"), "-O", "res", "-o", res)
    data, found, at = open(res, "rb").read(), {}, 0
    while at < len(data):
        size, header = struct.unpack_from("<II", data, at)
        kind, name = struct.unpack_from("<2xH2xH", data, at + 8)
        language = struct.unpack_from("<H", data, at + 22)[0]
        if size:
            found[(kind, name, language)] = data[at + header:at + header + size]
        at = (at + header + size + 3) // 4 * 4
    return found


def check_file(exe, system32, scratch):
    pe = PeFile(open(exe, "rb").read())
    check(pe.machine == 0x8664 and pe.magic == 0x20B, "not a 64-bit program")
    check(pe.subsystem == 2, "subsystem %d, not a Windows GUI program" % pe.subsystem)
    check(pe.symbols_at == 0 and pe.symbols == 0, "a symbol table is left in")
    debug = [name for name in pe.section_names() if name.startswith((".debug", "/"))]
    check(not debug, "debug sections are left in: %s" % debug)
    check(pe.directory(13) == (0, 0), "delay-loaded DLLs")
    dlls = pe.imported_dlls()
    # Windows' own: what its system folder holds, and its API sets, which
    # name contracts that Windows resolves rather than files.
    own = {name.lower() for name in os.listdir(system32)}
    foreign = [dll for dll in dlls if not (dll.lower() in own or dll.lower().startswith("api-ms-win-"))
               or dll.lower().startswith(("lib", "qt", "wine"))]
    check(not foreign, "imports DLLs that Windows does not carry: %s" % foreign)
    # The static Qt's Windows platform and style are linked in: without the
    # platform, Qt's only window is its message that it cannot start.
    plugins = sorted({name.decode() for name in re.findall(rb"Q\w*Windows\w*(?:Integration|Style)Plugin", pe.data)})
    check(len(plugins) == 2, "Koppelo.exe carries Qt plugins %s, not the Windows platform and style" % plugins)

    built = pe.resources()
    script = compiled_resource_script(scratch)
    for kind in (RT_ICON, RT_GROUP_ICON, RT_VERSION):
        ours = {key: value for key, value in built.items() if key[0] == kind}
        wanted = {key: value for key, value in script.items() if key[0] == kind}
        check(ours.keys() == wanted.keys(), "resources of type %d: %s, not %s" % (kind, sorted(ours), sorted(wanted)))
        for key in wanted:
            check(ours[key] == wanted[key], "resource %s differs from the compiled script" % (key,))
    print("Koppelo.exe: 64-bit GUI, stripped, imports %s; Qt plugins %s; icons and version record as compiled"
          % (", ".join(dlls), ", ".join(plugins)))


# --- The screen ---------------------------------------------------------------------------

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

    def find_a_pair(self):
        """Turns cards until a turn matches, playing a known pair as soon as one is seen."""
        for slot in range(self.slots):
            self.play(slot)
            known = [s for s in self.faces if list(self.faces.values()).count(self.faces[s]) == 2]
            if self.first is None and known and not self.found:
                first = known[0] if known[0] != self.face_up else self.partner(known[0])
                self.play(first)
                self.play(self.partner(first))
            if self.found:
                return sorted(self.found)
        check(False, "no pair found in a whole pass")


def activate_and_press(window, *keys):
    """Keys to a window that the window manager has made active, as Wine wants them."""
    run("xdotool", "windowactivate", "--sync", window, "key", "--delay", "300", *keys)


def frame_extents(window):
    words = run("xprop", "-id", window, "-notype", "_NET_FRAME_EXTENTS").decode().split("=")[-1]
    return tuple(int(w) for w in words.split(","))


def screenshot(window, path):
    """The window with the window manager's frame, as a player sees it."""
    left, top, width, height = placed(window)
    frame_left, frame_right, frame_top, frame_bottom = frame_extents(window)
    run("import", "-window", "root", "-crop", "%dx%d+%d+%d" % (
        width + frame_left + frame_right, height + frame_top + frame_bottom, left - frame_left, top - frame_top),
        "+repage", path)


def check_title_bar_icon(window):
    """_NET_WM_ICON, what the window manager draws: the program's own two images."""
    words = run("xprop", "-id", window, "-notype", "-f", "_NET_WM_ICON", "32c", "_NET_WM_ICON").decode().split("=")[-1]
    numbers = [int(w) for w in words.replace(",", " ").split()]
    icons = {}
    while numbers:
        width, height = numbers[:2]
        icons[width] = numbers[2:2 + width * height]
        numbers = numbers[2 + width * height:]
    for size in (16, 32):
        check(size in icons, "the title bar has no %d-pixel icon, only %s" % (size, sorted(icons)))
        rgba = run("convert", os.path.join(REPO, "assets", "icons", "koppelo-%d.png" % size), "-depth", "8", "rgba:-")
        for i, argb in enumerate(icons[size]):
            red, green, blue, alpha = rgba[4 * i:4 * i + 4]
            if alpha == 0:
                check(argb >> 24 == 0, "pixel %d of the %d-pixel icon is not transparent" % (i, size))
            else:
                check(argb == (alpha << 24 | red << 16 | green << 8 | blue),
                      "pixel %d of the %d-pixel icon is 0x%08x, not the program's" % (i, size, argb))


def client_size(window):
    """The client area below the menu bar, whose height alone follows the
    desktop's menu font: from the title band's first row to the bottom."""
    x = window.band_at[0]
    column = screen_area(window.left + x, window.top, 1, window.height)
    fill = next((y for y in range(window.height) if column[3 * y:3 * y + 3] == window.band), window.height)
    return window.width, window.height - (fill - BAND_OUTLINE)


def linux_client_size(program, geometry):
    """Shows all 18 faces of the Linux build, as the bitmaps hold them; its client area's size."""
    game = subprocess.Popen([program, "-platform", "xcb"], stderr=subprocess.DEVNULL)
    window = GameWindow(find_window("^Koppelo$", process=game, what="the Linux build"), geometry)
    reader = FaceReader(window)
    for slot in range(reader.slots):
        reader.play(slot)
    check(len(set(reader.faces.values())) == len(reader.slot_faces), "the Linux build showed %d faces, not %d"
          % (len(set(reader.faces.values())), len(reader.slot_faces)))
    size = client_size(window)
    close_and_wait(window.id, game, "the Linux build")
    return size


# --- Under Wine ---------------------------------------------------------------------------

def said(result):
    """The program's own lines, Windows' line ends taken off."""
    return [line.rstrip("\r") for line in result.stderr.splitlines() if line.startswith("koppelo: ")]


def starts_as_on_linux(alone, linux_program):
    """What the Linux build refuses to start with, Koppelo.exe refuses in the
    same one line and status. Wine hands a Windows program the host's QT_
    variables only under a WINE prefix (its QT_SCALE_FACTOR is the host's
    WINEQT_SCALE_FACTOR); without it the program never sees them and starts
    at scale 1, as it should. A palette screen of 8 bits gets its own X server."""
    settings = [{"QT_SCALE_FACTOR": "0"}, {"QT_SCALE_FACTOR": "8.0001"},
                {"QT_ENABLE_HIGHDPI_SCALING": "0", "QT_SCREEN_SCALE_FACTORS": "1e9"}, {}]
    for setting in settings:
        wine_setting = {"WINE" + name: value for name, value in setting.items()}
        # One that went on would be ended by timeout, with its status 124.
        linux_command = ["timeout", str(STARTING // 2), linux_program, "-platform", "offscreen"]
        wine_command = ["timeout", str(STARTING // 2), "wine", alone]
        if not setting:
            linux_command = xvfb_command([linux_program], (640, 480), depth=8)
            wine_command = xvfb_command(wine_command, (640, 480), depth=8)
        linux = subprocess.run(linux_command, env=dict(os.environ, **setting), capture_output=True, text=True,
                               timeout=STARTING)
        wine = subprocess.run(wine_command, env=dict(os.environ, **wine_setting), capture_output=True, text=True,
                              timeout=STARTING)
        check(linux.returncode == wine.returncode == 1 and len(said(linux)) == 1 and said(linux) == said(wine),
              "%s: Linux ended with %d saying %r, Koppelo.exe with %d saying %r"
              % (setting or "8 bits a pixel", linux.returncode, linux.stderr, wine.returncode, wine.stderr))
    print("under Wine: %d settings refused in the Linux build's words" % len(settings))


def names_a_missing_platform(alone):
    """A platform the program lacks: Qt's own message box explains it first,
    as Qt does for a program without a console; then one line names it."""
    game = subprocess.Popen(["wine", alone, "-platform", "nosuch"], stderr=subprocess.PIPE, text=True)
    activate_and_press(find_window("^Koppelo$", STARTING, game, "Koppelo.exe -platform nosuch"), "Return")
    lines = [line.rstrip("\r") for line in game.communicate(timeout=STARTING)[1].splitlines()]
    check(game.returncode == 1 and lines[0].startswith('koppelo: dit programma heeft geen Qt-platform "nosuch"')
          and "Available platform plugins are: windows." in lines,
          "-platform nosuch: it ended with %d, saying %r" % (game.returncode, lines))


def play_under_wine(exe, linux_program, geometry, screenshots, scratch):
    prefix = os.path.join(scratch, "prefix")
    os.environ.update(WINE_ENV, WINEPREFIX=prefix)
    run("wineboot", "--init")
    registry = os.path.join(scratch, "fonts.reg")
    with open(registry, "w") as file:
        file.write(REGISTRY)
    run("wine", "regedit", "/S", registry)
    check_file(exe, os.path.join(prefix, "drive_c", "windows", "system32"), scratch)

    # Alone in its folder: nothing beside it to load.
    alone = os.path.join(scratch, "hand-out", "Koppelo.exe")
    os.makedirs(os.path.dirname(alone))
    shutil.copy(exe, alone)
    answer = run("wine", alone, "--version").decode()
    check(answer.startswith("koppelo (Vogel-Koppelo) "), "--version answered %r" % answer)
    starts_as_on_linux(alone, linux_program)
    names_a_missing_platform(alone)

    linux_size = linux_client_size(linux_program, geometry)
    game = subprocess.Popen(["wine", alone])
    window = GameWindow(find_window("^Koppelo$", STARTING, game, "Koppelo.exe"), geometry)
    check_title_bar_icon(window.id)
    reader = FaceReader(window)
    check(client_size(window) == linux_size == tuple(window.geometry["client"]),
          "the client area is %dx%d, the Linux build's %dx%d, the layout's %dx%d"
          % (client_size(window) + linux_size + tuple(window.geometry["client"])))
    board = (0, 0, window.geometry["Label1"][0], window.geometry["client"][1])
    start, zero = window.area(*board), window.area(*window.geometry["Label1"])

    pair = reader.find_a_pair()
    print("under Wine: slots %d and %d are a pair, found after reading %d cards" % (*pair, len(reader.faces)))
    face = reader.faces[pair[0]]
    check(reader.preview("Picture5") == reader.preview_faces[face], "the second preview lacks the pair's face")
    check(window.area(*window.geometry["Label1"]) != zero, "the counter still shows 0 after a pair")
    if screenshots:
        screenshot(window.id, os.path.join(screenshots, "wine-game.png"))

    # A new game: every card face down and the counter at 0; the previews
    # keep the last pair until the next turn.
    activate_and_press(window.id, "F2")
    reader.wait_for(lambda: window.area(*board) == start, "F2 to turn every card down")
    check(window.area(*window.geometry["Label1"]) == zero, "after F2 the counter is not back at 0")
    check(reader.preview("Picture4") == reader.preview("Picture5") == reader.preview_faces[face],
          "after F2 the previews lost the last pair")

    activate_and_press(window.id, "alt+h", "o")
    about = find_window("^Over\\.\\.\\.$", STARTING, game, "Koppelo.exe")
    if screenshots:
        screenshot(about, os.path.join(screenshots, "wine-about.png"))
    click(about, *centre(window.geometry["frmOver.cmdOK"]))
    wait_until(lambda: not windows_named("^Over\\.\\.\\.$"), "OK to close the About dialog")

    status = close_and_wait(window.id, game, "Koppelo.exe", STARTING)
    check(status == 0, "Koppelo.exe ended with status %d" % status)
    print("under Wine: window %dx%d, its client area %dx%d as on Linux, its own icon, every face as the bitmaps "
          "hold it, a pair, F2, About: OK" % ((window.width, window.height) + linux_size))


def inside(exe, linux_program, geometry, screenshots):
    scratch = tempfile.mkdtemp(prefix="koppelo-wine-")
    manager = subprocess.Popen(["openbox"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        # A window mapped while the manager is still taking over the screen may never show.
        wait_until(lambda: b"window id" in subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"],
                                                          capture_output=True).stdout,
                   "the window manager to start", 30)
        play_under_wine(exe, linux_program, geometry, screenshots, scratch)
    finally:
        subprocess.run(["wineserver", "-k"], env=dict(os.environ, WINEPREFIX=os.path.join(scratch, "prefix")))
        manager.kill()
        shutil.rmtree(scratch, ignore_errors=True)


def main():
    args = sys.argv[1:]
    if args[:1] == ["--inside"]:
        return inside(*args[1:4], args[4] if len(args) > 4 else None)
    screenshots = []
    if "--screenshots" in args:
        at = args.index("--screenshots")
        screenshots = [os.path.abspath(args[at + 1])]
        del args[at:at + 2]
    check(len(args) == 3, "usage: wine_test.py KOPPELO_EXE LINUX_KOPPELO GEOMETRY_JSON [--screenshots DIR]")
    rerun_inside(__file__, [os.path.abspath(arg) for arg in args] + screenshots, 900, drop=("WAYLAND_DISPLAY",))


if __name__ == "__main__":
    main()
