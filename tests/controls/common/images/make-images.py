#!/usr/bin/env python3
"""Writes the pictures that ControlTests.exe carries as resources (ControlImages.rc).

    python3 tests/controls/common/images/make-images.py

probe.bmp (7 x 5, 24-bit): the top-left pixel is PROBE_TOP_LEFT, the bottom-right pixel
PROBE_BOTTOM_RIGHT, every other pixel PROBE_BODY.

three-frames.gif (8 x 6 logical screen, looping). Global colours: 0 red, 1 green, 2 blue,
3 white.
  frame 0: the whole screen red; 100 ms; disposal 1 (keep).
  frame 1: a 4 x 5 interlaced image at (2, 1): rows green, blue, green, blue, and a last row of
           index 3, which is transparent (the red of frame 0 shows); 200 ms; disposal 3
           (restore what was there before).
  frame 2: a 2 x 2 image at (0, 0) with its own colour table (0 yellow, 1 black):
           yellow, black / black, yellow; 300 ms; disposal 2 (clear to transparent).
A comment and a looping application extension come before the frames.
The expected colours are repeated in TestImages.h; keep the two in step.

spinner.gif (40 x 40, eight 100 ms frames, looping): a ring of eight dots whose highlight goes
round, on the dialog background; the control gallery shows it.
"""

import math
import os
import struct

RED, GREEN, BLUE, WHITE = (220, 40, 40), (40, 180, 60), (40, 70, 220), (255, 255, 255)
YELLOW, BLACK = (250, 220, 30), (0, 0, 0)
PROBE_TOP_LEFT, PROBE_BOTTOM_RIGHT, PROBE_BODY = (200, 30, 40), (20, 40, 220), (30, 160, 60)


def write_bmp(path, pixels):
    height, width = len(pixels), len(pixels[0])
    stride = (width * 3 + 3) & ~3
    image = bytearray()
    for row in reversed(pixels):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        image += line + b"\0" * (stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(image), 3780, 3780, 0, 0)
    with open(path, "wb") as out:
        out.write(struct.pack("<2sIHHI", b"BM", 54 + len(image), 0, 0, 54) + info + image)


class BitWriter:
    def __init__(self):
        self.data = bytearray()
        self.bits = 0
        self.count = 0

    def write(self, code, size):
        self.bits |= code << self.count
        self.count += size
        while self.count >= 8:
            self.data.append(self.bits & 0xFF)
            self.bits >>= 8
            self.count -= 8

    def flush(self):
        if self.count:
            self.data.append(self.bits & 0xFF)
        return bytes(self.data)


def lzw(indexes, minimum_size):
    clear, end = 1 << minimum_size, (1 << minimum_size) + 1
    writer = BitWriter()
    size = minimum_size + 1
    table = {(i,): i for i in range(clear)}
    next_code = end + 1
    writer.write(clear, size)
    current = ()
    for index in indexes:
        extended = current + (index,)
        if extended in table:
            current = extended
            continue
        writer.write(table[current], size)
        table[extended] = next_code
        next_code += 1
        if next_code > (1 << size) and size < 12:
            size += 1
        current = (index,)
    writer.write(table[current], size)
    writer.write(end, size)
    return writer.flush()


def sub_blocks(data):
    out = bytearray()
    for start in range(0, len(data), 255):
        chunk = data[start:start + 255]
        out += bytes((len(chunk),)) + chunk
    return bytes(out + b"\0")


def palette(colours):
    return b"".join(bytes(colour) for colour in colours)


def frame(left, top, width, height, indexes, delay_cs, disposal, transparent=None, local=None, interlaced=False):
    flags = (disposal << 2) | (1 if transparent is not None else 0)
    control = b"\x21\xF9\x04" + struct.pack("<BHB", flags, delay_cs, transparent or 0) + b"\0"
    image_flags = (0x40 if interlaced else 0)
    if local:
        image_flags |= 0x80  # size field 0: two entries
    descriptor = b"\x2C" + struct.pack("<HHHHB", left, top, width, height, image_flags)
    if interlaced:
        rows = [indexes[r * width:(r + 1) * width] for r in range(height)]
        order = list(range(0, height, 8)) + list(range(4, height, 8)) + list(range(2, height, 4)) + list(range(1, height, 2))
        indexes = [i for r in order for i in rows[r]]
    return control + descriptor + (palette(local) if local else b"") + b"\x02" + sub_blocks(lzw(indexes, 2))


def gif():
    header = b"GIF89a" + struct.pack("<HHBBB", 8, 6, 0x80 | 0x01, 0, 0) + palette([RED, GREEN, BLUE, WHITE])
    comment = b"\x21\xFE" + sub_blocks(b"three frames")
    looping = b"\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00"
    frames = [
        frame(0, 0, 8, 6, [0] * 48, 10, 1),
        frame(2, 1, 4, 5, [1] * 4 + [2] * 4 + [1] * 4 + [2] * 4 + [3] * 4, 20, 3, transparent=3, interlaced=True),
        frame(0, 0, 2, 2, [0, 1, 1, 0], 30, 2, local=[YELLOW, BLACK]),
    ]
    return header + comment + looping + b"".join(frames) + b"\x3B"


def spinner():
    size, dots, ring, dot = 40, 8, 14, 4
    background, idle, lit, trail = (236, 233, 216), (200, 200, 200), (49, 108, 197), (140, 165, 215)
    header = b"GIF89a" + struct.pack("<HHBBB", size, size, 0x80 | 0x01, 0, 0) + palette([background, idle, lit, trail])
    looping = b"\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00"
    centres = [(size / 2 + ring * math.cos(2 * math.pi * k / dots), size / 2 + ring * math.sin(2 * math.pi * k / dots))
               for k in range(dots)]
    frames = []
    for step in range(dots):
        colour = {step: 2, (step - 1) % dots: 3}
        indexes = []
        for y in range(size):
            for x in range(size):
                index = 0
                for k, (cx, cy) in enumerate(centres):
                    if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= dot * dot:
                        index = colour.get(k, 1)
                indexes.append(index)
        frames.append(frame(0, 0, size, size, indexes, 10, 1))
    return header + looping + b"".join(frames) + b"\x3B"


def main():
    folder = os.path.dirname(os.path.abspath(__file__))
    probe = [[PROBE_BODY] * 7 for _ in range(5)]
    probe[0][0] = PROBE_TOP_LEFT
    probe[4][6] = PROBE_BOTTOM_RIGHT
    write_bmp(os.path.join(folder, "probe.bmp"), probe)
    with open(os.path.join(folder, "three-frames.gif"), "wb") as out:
        out.write(gif())
    with open(os.path.join(folder, "spinner.gif"), "wb") as out:
        out.write(spinner())


if __name__ == "__main__":
    main()
