#!/usr/bin/env python3
"""The game's resident memory after start-up and after a whole game, won by
the X test kit's player on the X server of DISPLAY; prints both in kB.

    played_memory.py KOPPELO GEOMETRY
"""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "support"))
import x_server as x  # noqa: E402

SETTLE = 0.1  # seconds for the program to finish what the last event started


def resident_kb(pid):
    with open("/proc/%d/status" % pid) as status:
        return next(int(line.split()[1]) for line in status if line.startswith("VmRSS:"))


def main():
    x.check(len(sys.argv) == 3, "usage: played_memory.py KOPPELO GEOMETRY")
    process = subprocess.Popen([sys.argv[1]], stderr=subprocess.DEVNULL)
    try:
        player = x.Player(x.GameWindow(x.find_window("^Koppelo$", process=process), sys.argv[2]))
        time.sleep(SETTLE)
        started = resident_kb(process.pid)
        player.win()
        x.find_window(x.WON)
        time.sleep(SETTLE)
        print(started, resident_kb(process.pid))
    finally:
        process.kill()


if __name__ == "__main__":
    main()
