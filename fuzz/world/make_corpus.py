#!/usr/bin/env python3
# Writes the seed corpus of fuzz_world: a few small sound worlds and one of each kind of
# damaged file. Run from this folder; the output is checked in under corpus/world.
import os
import struct

BACKGROUND = 0x10


def header(count, name=b"", author=b"", comment=b""):
    return struct.pack("<H", count) + name.ljust(20, b"\0") + author.ljust(40, b"\0") + comment.ljust(40, b"\0")


def level(width, height, flags, tile=lambda i: 0, back=lambda i: 0):
    size = width * height
    data = struct.pack("<HHI", height, width, flags) + bytes(tile(i) & 0xFF for i in range(size))
    if flags & BACKGROUND:
        data += bytes(back(i) & 0xFF for i in range(size))
    return data


seeds = {
    "new_world": header(1) + level(20, 12, 0x02),
    "background": header(1, b"HELLO\\", b"Ann", b"first try") + level(20, 12, 0x12, lambda i: i % 7, lambda i: 200),
    "three_levels": header(3, b"A[B")
    + level(20, 12, 0x12 | (0 << 8), lambda i: (i * 13) % 256, lambda i: i % 3)
    + level(21, 13, 0x83 | (4 << 8), lambda i: 255 if i % 5 == 0 else 0)
    + level(22, 12, 0x0F | (15 << 8), lambda i: 26),
    "no_terminator": header(1, b"ABCDEFGHIJKLMNOPQRST", b"x" * 40, b"y" * 40) + level(20, 12, 0x02),
    "trailing_bytes": header(1) + level(20, 12, 0x02) + b"junk",
    "narrow_level": header(1) + level(5, 3, 0x02, lambda i: 1),
    "short_header": header(1)[:50],
    "zero_levels": header(0),
    "missing_level": header(2) + level(20, 12, 0x02),
    "cut_record": header(1) + level(20, 12, 0x02)[:5],
    "cut_background": header(1) + level(20, 12, 0x12)[:300],
    "zero_width": header(1) + struct.pack("<HHI", 12, 0, 2),
    "huge_claim": header(1) + struct.pack("<HHI", 0xFFFF, 0xFFFF, 0x12) + b"\1" * 16,
}

os.makedirs("corpus/world", exist_ok=True)
for name, data in seeds.items():
    with open(os.path.join("corpus/world", name), "wb") as f:
        f.write(data)
