#!/usr/bin/env python3
# Test images for the gadget tests and the colours GDI+ should draw them in when greyed.
#
# Tool: Python 3 (zlib, struct) and numpy (Debian python3-numpy 1.24.2); no parameters, nothing random.
# Images: gadget-face.png, 16 x 12 RGBA: columns 0-7 opaque red (255, 0, 0), columns 8-15 opaque dark green
#   (0, 128, 0); gadget-face.bmp, 8 x 8 24-bit, all (0, 0, 255); gadget-empty.bin, 0 bytes;
#   gadget-garbage.bin, 16 bytes that no image decoder reads.
# Greyed colours: the disabled colour matrix (GDI+ row-vector convention, out = [r g b a 1] x M, channels as
#   fractions of 255): rows 1-3 (0.22288311, 0.22288311, 0.24626459, 0, 0), row 4 (0, 0, 0, 1, 0),
#   row 5 (0.4, 0.4, 0.4, 0, 1); results rounded to 0..255; compare within 2 (GDI+ rounds internally).
# Command: PYENV_VERSION=system python3 tests/data/gadget_faces.py
# Output: the four files above in tests/data/ and tests/data/gadget_faces.txt.
import os
import struct
import zlib

import numpy as np

here = os.path.dirname(os.path.abspath(__file__))


def png(width, height, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)
    raw = b"".join(b"\x00" + bytes(row) for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b"")


def bmp(width, height, bgr):
    row = bytes(bgr) * width
    row += b"\x00" * ((4 - len(row) % 4) % 4)
    pixels = row * height
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return head + info + pixels


red, green = (255, 0, 0, 255), (0, 128, 0, 255)
rows = [[c for x in range(16) for c in (red if x < 8 else green)] for _ in range(12)]
with open(os.path.join(here, "gadget-face.png"), "wb") as f:
    f.write(png(16, 12, rows))
with open(os.path.join(here, "gadget-face.bmp"), "wb") as f:
    f.write(bmp(8, 8, (255, 0, 0)))
open(os.path.join(here, "gadget-empty.bin"), "wb").close()
with open(os.path.join(here, "gadget-garbage.bin"), "wb") as f:
    f.write(b"not an image....")

m = np.zeros((5, 5))
m[0:3, 0:3] = [0.22288311, 0.22288311, 0.24626459]
m[3, 3] = 1
m[4] = [0.4, 0.4, 0.4, 0, 1]
with open(os.path.join(here, "gadget_faces.txt"), "w") as out:
    out.write("# source r g b -> greyed r g b (within 2)\n")
    for name, (r, g, b, a) in (("red", red), ("green", green)):
        v = np.array([r, g, b, a, 255]) / 255.0 @ m
        grey = np.clip(np.rint(v[:3] * 255), 0, 255).astype(int)
        out.write(f"{name} {r} {g} {b} -> {grey[0]} {grey[1]} {grey[2]}\n")
