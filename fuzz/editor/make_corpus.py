#!/usr/bin/env python3
# Writes the seed corpus of fuzz_palette_map: maps of the right size with tiles
# in and out of a byte's range, and short ones. Run from this folder with the
# build's data folder as argument (the editor's own data06.glb becomes a seed
# too); the output is checked in under corpus/palette_map.
import os
import struct
import sys


def palette_map(entry):
    return b"".join(struct.pack("<H", entry(i) & 0xFFFF) for i in range(240))


seeds = {
    "identity": palette_map(lambda i: i),
    "sevens": palette_map(lambda i: (i * 7) % 240),
    "above_a_byte": palette_map(lambda i: 256 + i if i % 3 == 0 else i),
    "highest": palette_map(lambda i: 0xFFFF),
    "just_over": palette_map(lambda i: 255 + (i % 2)),
    "short": palette_map(lambda i: i)[:479],
    "longer": palette_map(lambda i: 239 - i) + b"\xff" * 40,
    "empty": b"",
}
if len(sys.argv) > 1:
    with open(os.path.join(sys.argv[1], "data06.glb"), "rb") as f:
        seeds["editor_map"] = f.read()

os.makedirs("corpus/palette_map", exist_ok=True)
for name, data in seeds.items():
    with open(os.path.join("corpus/palette_map", name), "wb") as f:
        f.write(data)
