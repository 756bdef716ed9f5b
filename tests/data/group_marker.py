# Writes group-marker.bmp: an 8 x 8, 24-bit bitmap with a white key border and a red and
# blue inside, the caption bitmap of the group-box tests.
import struct

W = H = 8
rows = []
for y in range(H - 1, -1, -1):  # bottom-up
    row = b""
    for x in range(W):
        if x in (0, W - 1) or y in (0, H - 1):
            row += bytes((255, 255, 255))
        elif x < W // 2:
            row += bytes((0, 0, 255))  # red (BGR)
        else:
            row += bytes((255, 0, 0))  # blue
    rows.append(row)  # 24 bytes: already a multiple of 4
pixels = b"".join(rows)
header = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
with open("group-marker.bmp", "wb") as f:
    f.write(b"BM" + struct.pack("<IHHI", 14 + 40 + len(pixels), 0, 0, 54) + header + pixels)
