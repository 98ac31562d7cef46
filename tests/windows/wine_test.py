#!/usr/bin/env python3
"""Koppelo.exe, the one file handed out for Windows: what the file itself
carries, then the game played under Wine beside the Linux build.

The file: a 64-bit GUI program, stripped, importing only Windows' own DLLs,
with exactly the icons, icon group and version record that the resource
script compiles to. Under Wine, in a private X server with a window manager
and a Wine prefix made for the run (Arial is Liberation Sans there, as on
Linux; 96 dpi), alone in a folder: --version answers, the window's client
area is as large as the Linux build's, the title bar icon is the program's,
a click turns a card, a pair moves the counter off 0, F2 turns every card
down and the counter back to 0, Alt+H, O opens "Over..." and its OK closes
it, and closing the window ends the program. Every face seen is the face's
bitmap drawn unscaled from the corner, as the Linux build draws all 18 in
the same X server.

    wine_test.py KOPPELO_EXE LINUX_KOPPELO [--screenshots DIR]
"""
import glob
import os
import random
import shutil
import struct
import subprocess
import sys
import tempfile
import time

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SCREEN_W, SCREEN_H = 1024, 768
WINDOW_W, WINDOW_H = 656, 602  # the client area with the menu bar, at 96 dpi
SURFACE_H = 583                # below the menu bar
SLOTS, COLUMNS, PITCH, GRID = 36, 6, 88, (8, 56)
SUNKEN, SLOT_AREA, PREVIEW_AREA = 2, 76, 89
FIRST_PREVIEW, SECOND_PREVIEW = (552, 232), (552, 336)
COUNTER = (552, 192, 89, 25)
OK_BUTTON = (232 + 46, 320 + 11)  # the About dialog's OK, its centre
SETTLE = 0.4
RT_ICON, RT_GROUP_ICON, RT_VERSION = 3, 14, 16
MINGW = "x86_64-w64-mingw32-"
WINE_ENV = {"WINEDEBUG": "-all", "WINEDLLOVERRIDES": "mscoree,mshtml="}
REGISTRY = r"""REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Arial"="Liberation Sans"

[HKEY_CURRENT_CONFIG\Software\Fonts]
"LogPixels"=dword:00000060
"""


def check(condition, message):
    if not condition:
        raise SystemExit("FAIL: " + message)


def run(*args, **kwargs):
    return subprocess.run(args, check=True, capture_output=True, **kwargs).stdout


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
        raise SystemExit("FAIL: address 0x%x lies in no section" % rva)

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

    built = pe.resources()
    script = compiled_resource_script(scratch)
    for kind in (RT_ICON, RT_GROUP_ICON, RT_VERSION):
        ours = {key: value for key, value in built.items() if key[0] == kind}
        wanted = {key: value for key, value in script.items() if key[0] == kind}
        check(ours.keys() == wanted.keys(), "resources of type %d: %s, not %s" % (kind, sorted(ours), sorted(wanted)))
        for key in wanted:
            check(ours[key] == wanted[key], "resource %s differs from the compiled script" % (key,))
    print("Koppelo.exe: 64-bit GUI, stripped, imports %s; icons and version record as compiled" % ", ".join(dlls))


# --- The screen ---------------------------------------------------------------------------

def bitmap(path):
    """A 24-bit bottom-up BMP as rows of RGB bytes, top row first."""
    data = open(path, "rb").read()
    offset, width, height = struct.unpack_from("<I4xii", data, 10)
    stride = (3 * width + 3) // 4 * 4
    rows = []
    for y in range(height - 1, -1, -1):
        bgr = data[offset + y * stride:][:3 * width]
        rows.append(bytes(b for i in range(0, len(bgr), 3) for b in (bgr[i + 2], bgr[i + 1], bgr[i])))
    return rows


def corner(rows, size):
    return b"".join(row[:3 * size] for row in rows[:size])


FACES = [bitmap(path) for path in sorted(glob.glob(os.path.join(REPO, "assets", "faces", "*.bmp")))]
SLOT_FACES = [corner(rows, SLOT_AREA) for rows in FACES]
PREVIEW_FACES = [corner(rows, PREVIEW_AREA) for rows in FACES]


class Screen:
    """The root window's pixels, read afresh by grab()."""

    def grab(self):
        self.pixels = run("import", "-window", "root", "-depth", "8", "rgb:-")
        return self

    def area(self, left, top, width, height):
        return b"".join(self.pixels[((top + y) * SCREEN_W + left) * 3:][:width * 3] for y in range(height))


def find_window(name, wait=60):
    """The visible window of that name. Polled, not xdotool's --sync, which
    gives up on an X error when another window vanishes as it looks."""
    deadline = time.monotonic() + wait
    while True:
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name], capture_output=True).stdout
        if found or time.monotonic() > deadline:
            check(found, "no window named %s appeared" % name)
            return found.split()[0].decode()
        time.sleep(0.2)


class Window:
    """A window on the screen, found by its name; positions within it count
    from the top-left of its surface, below the menu bar where it has one."""

    def __init__(self, name, surface_height=None):
        self.id = find_window(name)
        # xwininfo, not xdotool: under a reparenting window manager xdotool
        # counts the frame's offset twice.
        shape = dict(line.strip().split(": ", 1) for line in run("xwininfo", "-id", self.id).decode().splitlines()
                     if ": " in line)
        self.left, self.top, self.width, self.height = (
            int(shape[k]) for k in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))
        self.surface_top = self.top + self.height - (surface_height or self.height)
        self.screen = Screen()

    def click(self, x, y):
        run("xdotool", "mousemove", str(self.left + x), str(self.surface_top + y), "click", "1")
        time.sleep(SETTLE)
        return self.screen.grab()

    def keys(self, *keys):
        run("xdotool", "windowactivate", "--sync", self.id)
        for key in keys:
            run("xdotool", "key", key)
            time.sleep(SETTLE)
        return self.screen.grab()

    def area(self, left, top, width, height):
        return self.screen.area(self.left + left, self.surface_top + top, width, height)

    def slot_face(self, slot):
        x, y = GRID[0] + PITCH * (slot % COLUMNS) + SUNKEN, GRID[1] + PITCH * (slot // COLUMNS) + SUNKEN
        return self.area(x, y, SLOT_AREA, SLOT_AREA)

    def preview_face(self, box):
        return self.area(box[0] + SUNKEN, box[1] + SUNKEN, PREVIEW_AREA, PREVIEW_AREA)

    def turn(self, slot, preview=None):
        """Clicks a face-down card; the face it shows, by its index. A first
        card shows in the first preview too."""
        self.click(GRID[0] + PITCH * (slot % COLUMNS) + 40, GRID[1] + PITCH * (slot // COLUMNS) + 40)
        drawn = self.slot_face(slot)
        check(drawn in SLOT_FACES, "slot %d shows no face's top-left %d pixels unscaled" % (slot, SLOT_AREA))
        face = SLOT_FACES.index(drawn)
        if preview:
            check(self.preview_face(preview) == PREVIEW_FACES[face],
                  "the preview does not show face %d's top-left %d pixels" % (face, PREVIEW_AREA))
        return face

    def crop(self, path, frame=(0, 0, 0, 0)):
        """A screenshot of the window, with the window manager's frame (left, right, top, bottom)."""
        left, right, top, bottom = frame
        shot = path + ".full.png"
        run("import", "-window", "root", shot)
        run("convert", shot, "-crop", "%dx%d+%d+%d" % (self.width + left + right, self.height + top + bottom,
                                                        self.left - left, self.top - top), "+repage", path)
        os.remove(shot)


def faces_of_the_linux_build(program):
    """Turns every card of the Linux build in turn and reads the faces it draws."""
    game = subprocess.Popen([program, "-platform", "xcb"], stderr=subprocess.DEVNULL)
    try:
        window = Window("^Koppelo$", SURFACE_H)
        time.sleep(1)
        seen = {window.turn(slot, FIRST_PREVIEW if slot % 2 == 0 else None) for slot in range(SLOTS)}
    finally:
        game.kill()
        game.wait()
    check(len(seen) == len(FACES), "the Linux build showed %d faces, not %d" % (len(seen), len(FACES)))


def find_a_pair(window):
    """Turns cards two at a time, reading every face, until a turn matches.
    The card left face up by a miss ignores clicks, so it is never clicked first."""
    slots_of, unread, left_up = {}, iter(range(SLOTS)), None
    while True:
        known = next((sorted(slots, key=lambda s: s == left_up) for slots in slots_of.values() if len(slots) == 2),
                     None)
        first = known[0] if known else next(unread)
        face = window.turn(first, FIRST_PREVIEW)
        slots_of.setdefault(face, set()).add(first)
        partner = [slot for slot in slots_of[face] if slot != first]
        second = partner[0] if partner else next(unread)
        second_face = window.turn(second)
        if second_face == face:
            check(window.preview_face(SECOND_PREVIEW) == PREVIEW_FACES[face], "the second preview lacks the pair's face")
            return first, second, face, len(slots_of)
        slots_of.setdefault(second_face, set()).add(second)
        left_up = second


def frame_extents(window):
    words = run("xprop", "-id", window, "-notype", "_NET_FRAME_EXTENTS").decode().split("=")[-1]
    return tuple(int(w) for w in words.split(","))


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


# --- Under Wine ---------------------------------------------------------------------------

def start_x_server():
    """Xvfb on a free display, searched from a random number: two servers
    started at once by xvfb-run -a would both begin at :99. -displayfd says
    when it is ready."""
    for _ in range(20):
        display = random.randint(1000, 30000)
        if os.path.exists("/tmp/.X%d-lock" % display):
            continue
        ready, told = os.pipe()
        server = subprocess.Popen(["Xvfb", ":%d" % display, "-displayfd", str(told), "-screen", "0",
                                   "%dx%dx24" % (SCREEN_W, SCREEN_H), "-nolisten", "tcp", "-noreset"],
                                  pass_fds=[told], stderr=subprocess.DEVNULL)
        os.close(told)
        answer = b""
        while not answer.endswith(b"\n") and (chunk := os.read(ready, 16)):
            answer += chunk
        os.close(ready)  # only now: the server writes the number and the newline apart
        if answer.strip() == str(display).encode():
            return server, ":%d" % display
        server.wait()
    raise SystemExit("FAIL: no free X display")


def play_under_wine(exe, linux_program, screenshots, scratch):
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
    answer = run("wine", alone, "--version", timeout=60).decode()
    check(answer.startswith("koppelo (Vogel-Koppelo) "), "--version answered %r" % answer)

    faces_of_the_linux_build(linux_program)

    game = subprocess.Popen(["wine", alone])
    window = Window("^Koppelo$", SURFACE_H)
    check((window.width, window.height) == (WINDOW_W, WINDOW_H),
          "the client area is %dx%d, not %dx%d" % (window.width, window.height, WINDOW_W, WINDOW_H))
    check_title_bar_icon(window.id)
    time.sleep(1)
    window.keys()  # focused, as a player's click would leave it
    board = (0, 0, GRID[0] + PITCH * COLUMNS, SURFACE_H)
    start, zero = window.area(*board), window.area(*COUNTER)

    first, second, face, faces = find_a_pair(window)
    print("under Wine: slots %d and %d are a pair, found after reading %d faces" % (first, second, faces))
    check(window.area(*COUNTER) != zero, "the counter still shows 0 after a pair")
    if screenshots:
        window.crop(os.path.join(screenshots, "wine-game.png"), frame_extents(window.id))

    # A new game: every card face down and the counter at 0; the previews
    # keep the last pair until the next turn.
    window.keys("F2")
    check(window.area(*board) == start, "after F2 the board does not look as at the start")
    check(window.area(*COUNTER) == zero, "after F2 the counter is not back at 0")
    check(window.preview_face(FIRST_PREVIEW) == window.preview_face(SECOND_PREVIEW) == PREVIEW_FACES[face],
          "after F2 the previews lost the last pair")

    window.keys("alt+h", "o")
    about = Window("^Over\\.\\.\\.$")
    if screenshots:
        about.crop(os.path.join(screenshots, "wine-about.png"), frame_extents(about.id))
    about.click(*OK_BUTTON)
    gone = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Over\\.\\.\\.$"], capture_output=True)
    check(gone.returncode != 0, "the About dialog is still open after OK")

    run("xdotool", "windowactivate", "--sync", window.id, "key", "alt+F4")
    try:
        status = game.wait(timeout=30)
    except subprocess.TimeoutExpired:
        game.kill()
        raise SystemExit("FAIL: the program did not end when its window was closed")
    check(status == 0, "the program ended with status %d" % status)
    print("under Wine: window %dx%d, its own icon, faces as the Linux build draws them, a pair, F2, About: OK"
          % (window.width, window.height))


def main():
    args = sys.argv[1:]
    screenshots = None
    if "--screenshots" in args:
        at = args.index("--screenshots")
        screenshots = os.path.abspath(args[at + 1])
        del args[at:at + 2]
    check(len(args) == 2, "usage: wine_test.py KOPPELO_EXE LINUX_KOPPELO [--screenshots DIR]")
    exe, linux_program = (os.path.abspath(arg) for arg in args)

    scratch = tempfile.mkdtemp(prefix="koppelo-wine-")
    server, display = start_x_server()
    os.environ["DISPLAY"] = display
    for name in ("QT_QPA_PLATFORM", "QT_SCALE_FACTOR", "WAYLAND_DISPLAY"):
        os.environ.pop(name, None)
    manager = subprocess.Popen(["openbox"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        # A window mapped while the manager is still taking over the screen may never show.
        deadline = time.monotonic() + 30
        while b"window id" not in subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"],
                                                  capture_output=True).stdout:
            check(time.monotonic() < deadline, "the window manager did not start")
            time.sleep(0.1)
        play_under_wine(exe, linux_program, screenshots, scratch)
    finally:
        subprocess.run(["wineserver", "-k"], env=dict(os.environ, WINEPREFIX=os.path.join(scratch, "prefix")))
        manager.kill()
        server.kill()
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    main()
