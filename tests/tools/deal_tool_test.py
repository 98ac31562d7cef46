#!/usr/bin/env python3
"""koppelo-deal prints one deal as six rows of six face numbers, each face
twice; it fails with a message when the deal cannot be written, and refuses
arguments it does not know with a usage line.

    deal_tool_test.py KOPPELO_DEAL
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from x_server import check  # noqa: E402

FACES, COLUMNS, ROWS = 18, 6, 6


def run(command, *args, redirect=""):
    """The program through the shell, so a redirection can close or divert its output."""
    return subprocess.run(["sh", "-c", 'exec "$0" "$@" ' + redirect, command] + list(args),
                          stdout=None if redirect else subprocess.PIPE, stderr=subprocess.PIPE, text=True,
                          timeout=30)


def main():
    check(len(sys.argv) == 2, "usage: deal_tool_test.py KOPPELO_DEAL")
    program = sys.argv[1]

    dealt = run(program)
    rows = [row.split() for row in dealt.stdout.splitlines()]
    check(dealt.returncode == 0 and [len(row) for row in rows] == [COLUMNS] * ROWS and
          sorted(int(face) for row in rows for face in row) == sorted(list(range(FACES)) * 2),
          "the deal is not six rows of six with every face twice: %r" % dealt.stdout)

    for what, redirect in (("a full disk", "> /dev/full"), ("a closed output", ">&-")):
        for args in ([], ["--help"]):
            result = run(program, *args, redirect=redirect)
            lines = result.stderr.splitlines()
            check(result.returncode != 0 and len(lines) == 1 and lines[0].startswith("koppelo-deal: "),
                  "%r to %s ended with %d, saying %r" % (args, what, result.returncode, result.stderr))

    for unknown in (["--bogus"], ["6"], ["-"]):
        result = run(program, *unknown)
        check(result.returncode == 2 and result.stdout == "" and "usage: koppelo-deal" in result.stderr,
              "%r: ended with %d, saying %r" % (unknown, result.returncode, result.stdout + result.stderr))
    helped = run(program, "--help")
    check(helped.returncode == 0 and helped.stdout.startswith("usage: koppelo-deal"), "--help: %r" % helped.stdout)
    print("koppelo-deal: OK")


if __name__ == "__main__":
    main()
