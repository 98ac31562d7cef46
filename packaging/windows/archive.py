#!/usr/bin/env python3
"""Writes the zip archive that Koppelo.exe is handed out in, the same bytes
from every build of one commit: the files in the order given, each dated
the release's day, with fixed permissions and compression; text files get
Windows' line ends.

    archive.py ARCHIVE YYYY-MM-DD SOURCE=NAME...
"""
import os
import sys
import zipfile

BINARY = (".exe",)


def entry(name, date):
    info = zipfile.ZipInfo(name, date_time=date + (12, 0, 0))
    info.create_system = 3  # Unix, so that the permissions below are read
    info.external_attr = 0o100644 << 16
    info.compress_type = zipfile.ZIP_DEFLATED
    return info


def main():
    archive, day, *files = sys.argv[1:]
    date = tuple(int(part) for part in day.split("-"))
    if len(date) != 3 or not files or not all("=" in pair for pair in files):
        sys.exit(__doc__)
    with zipfile.ZipFile(archive + ".part", "w") as out:
        for pair in files:
            source, name = pair.rsplit("=", 1)
            with open(source, "rb") as file:
                data = file.read()
            if not name.lower().endswith(BINARY):
                data = data.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")
            out.writestr(entry(name, date), data, compresslevel=9)
    # Renamed only when whole: a build cut short leaves no archive behind.
    os.replace(archive + ".part", archive)


if __name__ == "__main__":
    main()
