#!/usr/bin/env python3
# Writes the seed corpora of the game's fuzz targets: intro pictures, demonstration
# levels, tile class tables (with the level and keys to play after them) and
# settings files. Run from this folder with the build's data folder as argument
# (the game's own data07.glb and data14.glb become seeds too); the output is
# checked in under corpus/.
import os
import struct
import sys

data_dir = sys.argv[1] if len(sys.argv) > 1 else None


def own(name):
    if not data_dir:
        return None
    with open(os.path.join(data_dir, name), "rb") as f:
        return f.read()


def palette():
    return bytes((i * 7 + c * 50) & 0xFF for i in range(256) for c in range(3))


intro = {
    "empty": b"",
    "short_of_palette": bytes(range(200)),
    "palette_only": palette(),
    "one_back_row": bytes((i * 3) & 0xFF for i in range(1280)) + palette(),
    "record_and_a_bit": bytes((i * 5) & 0xFF for i in range(2560 + 700)) + palette(),
    "front_left_half": bytes((i % 7) for i in range(1920 + 300)) + palette(),
}

# Demonstration tiles: empty, ground, and the object tiles the scan turns into creatures.
OBJECTS = [9, 13, 33, 121, 144, 53, 87]


def demo(columns, declared=None, cell=lambda c, r: 0):
    n = (columns if declared is None else declared) - 1
    body = bytes(cell(c, r) & 0xFF for c in range(columns) for r in range(12))
    return struct.pack("<H", n & 0xFFFF) + body


def ground(c, r):
    if r == 11:
        return 1
    if r == 10 and c % 4 == 3:
        return OBJECTS[(c // 4) % len(OBJECTS)]
    return 0


demos = {
    "empty": b"",
    "one_byte": b"\x05",
    "narrow_with_objects": demo(5, cell=ground),
    "view_wide": demo(20, cell=ground),
    "wide_with_objects": demo(60, cell=ground),
    "count_beyond_data": demo(30, declared=400, cell=ground),
    "count_below_data": demo(40, declared=25, cell=ground),
    "objects_everywhere": demo(24, cell=lambda c, r: OBJECTS[(c + r) % len(OBJECTS)]),
    "highest_count": demo(3, declared=65536, cell=ground),
}
if own("data14.glb"):
    demos["game_demo"] = own("data14.glb")


def table(classes):
    return b"".join(struct.pack("<H", classes.get(t, 0)) for t in range(240))


def keys(level, pattern):
    return bytes([level]) + bytes(pattern)


RUN_RIGHT = [2, 2, 6, 2, 2, 6, 10, 6, 2, 2]
classes = {
    "zero_table": table({}) + keys(0, RUN_RIGHT),
    "short_table": table({t: 1 for t in range(240)})[:101],
    "all_solid": table({t: 1 for t in range(1, 240)}) + keys(1, RUN_RIGHT),
    "all_deadly": table({t: 3 for t in range(1, 240)}) + keys(0, [2]),
    "all_water": table({t: 5 for t in range(1, 240)}) + keys(2, [6, 6, 2, 1]),
    "mixed_kinds": table({t: [0, 1, 3, 4, 5, 6, 7, 9, 17][t % 9] for t in range(240)}) + keys(3, RUN_RIGHT),
    "high_values": table({t: 0xFFFF - t for t in range(240)}) + keys(0, RUN_RIGHT),
}
if own("data07.glb"):
    game = own("data07.glb")
    classes["game_table"] = game + keys(0, RUN_RIGHT)
    classes["game_table_retry"] = game + keys(4, [2, 6, 16, 2, 1, 5])
    classes["game_table_every_level"] = game + keys(7, RUN_RIGHT * 3)

settings = {
    "defaults": b"Keyboard = 203 205 200 208 25 1 16\nJoystick = 0 1 9 8\n",
    "rebound": b"Keyboard = 30 32 57 42 25 19 16\nJoystick = 3 2 31 30\n",
    "crlf_and_comments": b"# mine\r\nKeyboard = 1 2 3 4 5 6 7\r\nJoystick = 0 0 0 0\r\n",
    "out_of_range": b"Keyboard = 256 205 200 208 25 1 16\nJoystick = 0 1 9 255\n",
    "too_few_and_too_many": b"Keyboard = 203 205\nJoystick = 0 1 9 8 7\n",
    "high_buttons": b"Joystick = 200 100 99 32\nKeyboard = 255 254 88 87 0 1 2\n",
    "empty": b"",
    "no_equals": b"Keyboard 203 205 200 208 25 1 16\n",
    "letters": b"Keyboard = a b c d e f g\nJoystick = -1 +2 0x3 04\n",
    "twice": b"Keyboard = 1 2 3 4 5 6 7\nKeyboard = 8 9 10 11 12 13 14\n",
    "all_values": b"Keyboard = 203 205 200 208 25 1 16\nJoystick = 0 1 9 8\nJoystickQuit = 7\n"
                  b"Fullscreen = 1\nScale = 3\nVolume = 40\nMute = 1\n",
    "other_lines": b"# kept\nRenderer = software\nFuture = a b c\nJoystickQuit = 10\nVolume = 75\n"
                   b"Joystick = 1 2 3 4\nRenderer = opengl\n",
    "damaged_values": b"Volume = 101\nMute = yes\nScale = 17\nFullscreen = 2\nJoystickQuit = 300\n"
                      b"Scale = 0\nVolume\nMute = 1 1\nbad\x01line\n" + b"x" * 300 + b"\n",
}

for folder, seeds in (("intro", intro), ("demo", demos), ("tile_classes", classes), ("settings", settings)):
    os.makedirs(os.path.join("corpus", folder), exist_ok=True)
    for name, data in seeds.items():
        with open(os.path.join("corpus", folder, name), "wb") as f:
            f.write(data)
