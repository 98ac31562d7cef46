#!/usr/bin/env python3
"""Measures Koppelo.exe's start-up under Wine against KoppeloFloor.exe, the
floor (floor.cpp) built with the same static Qt, under one Xvfb and openbox
in a Wine prefix of its own whose wineserver is kept running, so that what
is timed is the two programs and not Wine's own start: the wall clock from
exec until the painted title band shows on the screen (startup_probe.cpp,
through a one-line wrapper, as it takes no arguments), in alternating pairs
whose order swaps every pair, and the resident memory of the program's Wine
process just after. Prints medians, min and max with the game / floor
ratios, the system and the load average: compare only runs made together
on a machine doing nothing else.

    wine_startup.py WINDOWS_BUILD LINUX_BUILD [PAIRS]

WINDOWS_BUILD holds Koppelo.exe and KoppeloFloor.exe (scripts/windows.sh,
then cmake --build build/windows --target koppelo-floor); LINUX_BUILD the
probe and window_geometry.json (the ci or default preset).
"""
import json
import os
import shutil
import statistics
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "support"))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "windows"))
from x_server import check, rerun_inside, run, wait_until, windows_named  # noqa: E402
from wine_test import wine_prefix, with_wine  # noqa: E402

PROGRAMS = {"game": "Koppelo.exe", "floor": "KoppeloFloor.exe"}
TITLES = r"^Koppelo( floor)?$"


def start(probe, band, wrapper):
    """One start: milliseconds to the painted window, resident kB, processor ms of its own process."""
    painted, resident, cpu = run(probe, band, wrapper).split()
    # The probe kills it; the next start must not find its window still there.
    wait_until(lambda: not windows_named(TITLES), "the last window to go", 30, pause=0.05)
    return float(painted), int(resident), float(cpu)


def measure(windows_build, linux_build, pairs, scratch):
    wine_prefix(scratch)
    # The prefix's server again, one that stays when no program is left.
    subprocess.run(["wineserver", "-k"], capture_output=True)
    subprocess.run(["wineserver", "-w"], capture_output=True)
    # It stays in the background: no pipe of ours for it to hold open.
    subprocess.run(["wineserver", "-p"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
    probe = os.path.join(linux_build, "bench", "koppelo-startup-probe")
    with open(os.path.join(linux_build, "window_geometry.json"), encoding="utf-8") as table:
        band = "%02X%02X%02X" % tuple(json.load(table)["shpTitel"]["fill"])
    wrappers = {}
    for kind, exe in PROGRAMS.items():
        alone = os.path.join(scratch, kind, exe)
        os.makedirs(os.path.dirname(alone))
        shutil.copy(os.path.join(windows_build, exe), alone)
        wrappers[kind] = os.path.join(scratch, kind + ".sh")
        with open(wrappers[kind], "w", encoding="utf-8") as wrapper:
            wrapper.write('#!/bin/sh\nexec wine "%s"\n' % alone)
        os.chmod(wrappers[kind], 0o755)
        start(probe, band, wrappers[kind])  # the file cache and Wine's own processes warmed

    load_at_start = open("/proc/loadavg").read().split()[:3]
    results = []
    for pair in range(pairs):
        order = ("game", "floor") if pair % 2 == 0 else ("floor", "game")
        got = {kind: start(probe, band, wrappers[kind]) for kind in order}
        results.append((got["game"], got["floor"]))
    load_at_end = open("/proc/loadavg").read().split()[:3]

    def row(label, values, form="%8.2f"):
        values = sorted(values)
        print("%-34s %s" % (label, " ".join(form % v for v in (statistics.median(values), values[0], values[-1]))))

    system = dict(line.rstrip("\n").split("=", 1) for line in open("/etc/os-release") if "=" in line)
    print("Start-up of Koppelo.exe against the floor under %s, %s, load average %s at the start and %s at the end"
          % (run("wine", "--version").decode().strip(), system["PRETTY_NAME"].strip('"'), " ".join(load_at_start),
             " ".join(load_at_end)))
    print("\nStart-up to the painted window, %d alternating pairs" % pairs)
    print("%-34s %8s %8s %8s" % ("", "median", "min", "max"))
    row("game, ms", [g[0] for g, f in results])
    row("floor, ms", [f[0] for g, f in results])
    row("game / floor, pairwise", [g[0] / f[0] for g, f in results])
    row("game processor time, ms", [g[2] for g, f in results])
    row("floor processor time, ms", [f[2] for g, f in results])
    row("game / floor processor, pairwise", [g[2] / f[2] for g, f in results])
    row("game resident after start-up, MB", [g[1] / 1024 for g, f in results])
    row("floor resident after start-up, MB", [f[1] / 1024 for g, f in results])
    row("game - floor resident, MB", [(g[1] - f[1]) / 1024 for g, f in results])
    row("game / floor resident", [g[1] / f[1] for g, f in results])


def main():
    args = sys.argv[1:]
    if args[:1] == ["--inside"]:
        return with_wine(measure, args[1], args[2], int(args[3]))
    check(len(args) in (2, 3), "usage: wine_startup.py WINDOWS_BUILD LINUX_BUILD [PAIRS]")
    windows_build, linux_build = (os.path.abspath(arg) for arg in args[:2])
    for needed in [os.path.join(windows_build, exe) for exe in PROGRAMS.values()] + \
            [os.path.join(linux_build, "bench", "koppelo-startup-probe"),
             os.path.join(linux_build, "window_geometry.json")]:
        check(os.path.exists(needed), "%s is missing; see wine_startup.py's usage" % needed)
    rerun_inside(__file__, [windows_build, linux_build, args[2] if len(args) > 2 else "15"], 3600)


if __name__ == "__main__":
    main()
