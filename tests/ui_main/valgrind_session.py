#!/usr/bin/env python3
"""The built game under valgrind's memcheck in a real X server, played as a
person would: cards clicked, F2, the About dialog opened twice (closed by
Enter, then by OK), a whole game won by the kit's player and Yes, and the
window closed. It passes when memcheck finds no invalid access, no use of
uninitialised memory and no definite leak beyond the suppressions file's.

    valgrind_session.py KOPPELO SUPPRESSIONS GEOMETRY
"""
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import x_server as x  # noqa: E402

MEMCHECK_FAILED = 99
PATIENCE = 120  # seconds: everything is many times slower under memcheck


def session(program, suppressions, geometry):
    # A session bus of its own, as a desktop gives one, or Qt forks to start
    # one under memcheck too; a log per process keeps a child's report apart.
    logs = tempfile.mkdtemp(prefix="koppelo-memcheck-")
    process = subprocess.Popen(["dbus-run-session", "--", "valgrind", "--tool=memcheck", "--leak-check=full",
                                "--show-leak-kinds=definite", "--errors-for-leak-kinds=definite",
                                "--error-exitcode=%d" % MEMCHECK_FAILED, "--num-callers=40", "--gen-suppressions=all",
                                "--suppressions=" + suppressions, "--log-file=" + os.path.join(logs, "%p.log"),
                                program])
    window = x.GameWindow(x.find_window("^Koppelo$", PATIENCE, process), geometry)
    game = x.Player(window, PATIENCE)

    game.play(0)
    game.play(1)
    window.keys("F2")
    game.wait_for(lambda: game.face_down(0) and game.face_down(1), "F2 to deal afresh")
    game.new_game()

    window.about(lambda dialog: x.keys("Return", window=dialog), PATIENCE)
    window.about(window.click_ok, PATIENCE)

    game.win()
    x.keys("Return", window=x.find_window(x.WON, PATIENCE))
    game.wait_for(lambda: all(game.face_down(slot) for slot in (0, game.slots - 1)), "Yes to deal afresh")

    code = x.close_and_wait(window.id, process, "the whole session", PATIENCE)
    reports = {name: open(os.path.join(logs, name)).read() for name in os.listdir(logs)}
    # The game is the child of dbus-run-session; anything it forked has the game as its parent.
    games = [name for name, report in reports.items() if "Parent PID: %d\n" % process.pid in report]
    x.check(len(games) == 1, "not one memcheck log of the game among %s" % sorted(reports))
    others = sorted(set(reports) - set(games))
    for name in others:
        print("a process the game started also ran under memcheck; its report is in " + os.path.join(logs, name))
    report = reports[games[0]]
    print("\n".join(line for line in report.splitlines() if "ERROR SUMMARY" in line or "definitely lost" in line))
    x.check(code == 0, "memcheck found errors (status %d); its report is in %s:\n%s"
            % (code, os.path.join(logs, games[0]), report))
    if not others:
        shutil.rmtree(logs)
    print("memcheck session: OK")


def main():
    if sys.argv[1:2] == ["--inside"]:
        return session(*sys.argv[2:])
    x.check(len(sys.argv) == 4, "usage: valgrind_session.py KOPPELO SUPPRESSIONS GEOMETRY")
    x.rerun_inside(__file__, [os.path.abspath(a) for a in sys.argv[1:]], 15 * 60)


if __name__ == "__main__":
    main()
