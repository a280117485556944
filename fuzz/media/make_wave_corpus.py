#!/usr/bin/env python3
# Writes the seed corpus of fuzz_wave: small sounds of every accepted kind and one
# of each kind of refused or damaged file. Run from this folder; the output is
# checked in under corpus/wave.
import os
import struct


def chunk(name, body, declared=None):
    size = len(body) if declared is None else declared
    return name + struct.pack("<I", size) + body + (b"\0" if len(body) % 2 else b"")


def fmt(rate, channels, bits, tag=1, align=None, extra=None):
    align = channels * (bits // 8) if align is None else align
    body = struct.pack("<HHIIHH", tag, channels, rate, rate * align, align, bits)
    if extra is not None:
        body += struct.pack("<H", extra)
    return chunk(b"fmt ", body)


def riff(*chunks, declared=None):
    body = b"WAVE" + b"".join(chunks)
    return b"RIFF" + struct.pack("<I", len(body) if declared is None else declared) + body


def tone(frames, channels, bits):
    if bits == 8:
        return bytes((128 + (i % 32) * 4) & 0xFF for i in range(frames * channels))
    return b"".join(struct.pack("<h", ((i % 64) - 32) * 500) for i in range(frames * channels))


seeds = {
    "mono8_22050": riff(fmt(22050, 1, 8), chunk(b"data", tone(200, 1, 8))),
    "mono16_22050": riff(fmt(22050, 1, 16), chunk(b"data", tone(150, 1, 16))),
    "stereo16_44100": riff(fmt(44100, 2, 16), chunk(b"data", tone(100, 2, 16))),
    "stereo8_8000": riff(fmt(8000, 2, 8), chunk(b"data", tone(120, 2, 8))),
    "mono16_96000": riff(fmt(96000, 1, 16, extra=0), chunk(b"data", tone(300, 1, 16))),
    "list_between": riff(fmt(11025, 1, 8), chunk(b"LIST", b"INFOabc"), chunk(b"data", tone(99, 1, 8))),
    "one_hertz": riff(fmt(1, 1, 8), chunk(b"data", tone(2000, 1, 8))),
    "rate_7999": riff(fmt(7999, 1, 16), chunk(b"data", tone(64, 1, 16))),
    "three_channels": riff(fmt(22050, 3, 16), chunk(b"data", tone(40, 3, 16))),
    "bits_24": riff(fmt(22050, 1, 24, align=3), chunk(b"data", bytes(90))),
    "bad_align": riff(fmt(22050, 2, 16, align=3), chunk(b"data", tone(40, 2, 16))),
    "not_pcm": riff(fmt(22050, 1, 4, tag=2), chunk(b"data", bytes(64))),
    "data_claims_more": riff(fmt(22050, 1, 16), chunk(b"data", tone(50, 1, 16), declared=0x7FFFFFFF)),
    "odd_cut": riff(fmt(22050, 2, 16), chunk(b"data", tone(30, 2, 16)[:-3])),
    "riff_claims_less": riff(fmt(22050, 1, 8), chunk(b"data", tone(80, 1, 8)), declared=30),
    "no_data": riff(fmt(22050, 1, 8)),
    "empty_data": riff(fmt(22050, 1, 8), chunk(b"data", b"")),
    "data_first": riff(chunk(b"data", tone(20, 1, 8)), fmt(22050, 1, 8)),
    "short_fmt": riff(chunk(b"fmt ", b"\1\0\1\0")),
    "not_riff": b"RIFX" + bytes(40),
}

os.makedirs("corpus/wave", exist_ok=True)
for name, data in seeds.items():
    with open(os.path.join("corpus/wave", name), "wb") as f:
        f.write(data)
