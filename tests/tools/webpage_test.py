#!/usr/bin/env python3
"""koppelo-webpage writes the same bytes on every run; each face and the logo
as PNG hold the built-in bitmap's pixels exactly; and the service worker
caches every file written, and the extra files named on the command line.

    webpage_test.py KOPPELO_WEBPAGE ASSETS_DIR
"""
import filecmp
import json
import os
import re
import struct
import subprocess
import sys
import tempfile
import zlib

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from x_server import check  # noqa: E402

EXTRAS = ["koppelo.mjs", "koppelo.wasm"]


def bmp_rows(path):
    """A 24-bit bottom-up BMP as rows of (r, g, b), top row first."""
    data = open(path, "rb").read()
    offset, = struct.unpack_from("<I", data, 10)
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    check(bits == 24 and height > 0, "%s is not a 24-bit bottom-up bitmap" % path)
    stride = (width * 3 + 3) // 4 * 4
    rows = []
    for y in range(height):
        row = data[offset + (height - 1 - y) * stride:]
        rows.append([(row[3 * x + 2], row[3 * x + 1], row[3 * x]) for x in range(width)])
    return rows


def png_rows(path):
    """An 8-bit RGB PNG as rows of (r, g, b), every filter undone."""
    data = open(path, "rb").read()
    check(data[:8] == b"\x89PNG\r\n\x1a\n", "%s is not a PNG" % path)
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack_from(">I4s", data, pos)
        body = data[pos + 8:pos + 8 + length]
        check(zlib.crc32(kind + body) == struct.unpack_from(">I", data, pos + 8 + length)[0],
              "%s: bad CRC in %r" % (path, kind))
        header = body if kind == b"IHDR" else header
        idat += body if kind == b"IDAT" else b""
        pos += 12 + length
    width, height, depth, colour = struct.unpack_from(">IIBB", header)
    check((depth, colour) == (8, 2), "%s is not 8-bit RGB" % path)
    raw, stride, previous, rows = zlib.decompress(idat), width * 3, bytearray(width * 3), []
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - 3] if i >= 3 else 0
            b, c = previous[i], previous[i - 3] if i >= 3 else 0
            p = a + b - c
            paeth = min((abs(p - a), 0, a), (abs(p - b), 1, b), (abs(p - c), 2, c))[2]
            line[i] = (line[i] + [0, a, b, (a + b) // 2, paeth][kind]) & 0xFF
        rows.append([tuple(line[3 * x:3 * x + 3]) for x in range(width)])
        previous = line
    return rows


def main():
    check(len(sys.argv) == 3, "usage: webpage_test.py KOPPELO_WEBPAGE ASSETS_DIR")
    program, assets = sys.argv[1:]
    with tempfile.TemporaryDirectory() as first, tempfile.TemporaryDirectory() as second:
        for out in (first, second):
            run = subprocess.run([program, out] + EXTRAS, capture_output=True, text=True, timeout=120)
            check(run.returncode == 0, "koppelo-webpage failed: %s" % run.stderr)
        written = sorted(os.path.relpath(os.path.join(folder, name), first)
                         for folder, _, names in os.walk(first) for name in names)
        _, mismatch, errors = filecmp.cmpfiles(first, second, written, shallow=False)
        check(not mismatch and not errors, "two runs differ in %s" % (mismatch + errors))

        faces = sorted(name for name in os.listdir(os.path.join(assets, "faces")) if name.endswith(".bmp"))
        check(len(faces) == 18, "expected 18 face bitmaps, found %d" % len(faces))
        pairs = [(os.path.join("faces", name), "img/face-%s.png" % name[:2]) for name in faces]
        for bitmap, picture in pairs + [("logo.bmp", "img/logo.png")]:
            check(png_rows(os.path.join(first, picture)) == bmp_rows(os.path.join(assets, bitmap)),
                  "%s does not hold the pixels of %s" % (picture, bitmap))

        worker = open(os.path.join(first, "sw.js"), encoding="utf-8").read()
        cached = json.loads(re.search(r"const FILES = (\[.*?\]);", worker, re.S).group(1))
        expected = set(written) - {"sw.js"} | set(EXTRAS) | {"./"}
        check(expected <= set(cached), "the service worker leaves out %s" % sorted(expected - set(cached)))
    print("ok")


if __name__ == "__main__":
    main()
