#!/usr/bin/env python3
"""Draws Vantrel's own artwork: the program's icons and the header pictures of its windows.

    python3 scripts/make-artwork.py [OUTPUT_FOLDER]     (default: app/resources)

Vantrel.ico         application icon (resource 128): 16x16 and 32x32, 32-bit with alpha
TrayIcon.ico        notification area icon (Image\\TrayIcon.Ico beside the program): 16x16
MainHeader.gif      main window background (IMAGE 134), 700x500: a 58-px header band with the
                    mark over a calm blue gradient; below it the dialog colour RGB(236, 233, 216),
                    so the controls drawn over it keep their own background
ProgressHeader.gif  progress window band (IMAGE 135), 2048x111, in the same style

The mark is a shield with a check stroke through it, shapes only (no glyphs). Every shape is
anti-aliased by sampling each pixel SAMPLES x SAMPLES times.
"""

import math
import os
import struct
import sys

SAMPLES = 4
DIALOG = (236, 233, 216)
BAND_LEFT = (38, 86, 150)
BAND_RIGHT = (122, 170, 214)
BAND_EDGE = (214, 226, 238)
SHIELD_TOP = (120, 200, 170)
SHIELD_BOTTOM = (28, 130, 110)
SHIELD_RIM = (250, 252, 250)
CHECK = (255, 255, 255)


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(len(a)))


# The mark, in a unit square (0..1 both ways, y down).

def in_shield(x, y):
    """A shield: straight top with rounded shoulders, sides curving into a point at the bottom."""
    if y < 0.08 or y > 0.95:
        return False
    half = 0.40 if y < 0.5 else 0.40 * math.sqrt(max(0.0, 1 - ((y - 0.5) / 0.45) ** 2))
    if abs(x - 0.5) > half:
        return False
    shoulder = 0.12
    if y < 0.08 + shoulder and abs(x - 0.5) > 0.40 - shoulder:
        cx = 0.5 + math.copysign(0.40 - shoulder, x - 0.5)
        return (x - cx) ** 2 + (y - 0.08 - shoulder) ** 2 <= shoulder ** 2
    return True


def segment_distance(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(x - ax - t * dx, y - ay - t * dy)


def in_check(x, y):
    width = 0.075
    return (segment_distance(x, y, 0.30, 0.50, 0.45, 0.66) <= width or
            segment_distance(x, y, 0.45, 0.66, 0.72, 0.33) <= width)


def mark_sample(x, y):
    """(colour, opaque) of one point of the mark; the rim is the band around the inner shield."""
    if not in_shield(x, y):
        return None
    inner = in_shield(0.5 + (x - 0.5) / 0.86, 0.52 + (y - 0.52) / 0.86)
    if not inner:
        return SHIELD_RIM
    if in_check(x, y):
        return CHECK
    return mix(SHIELD_TOP, SHIELD_BOTTOM, min(1.0, max(0.0, (y - 0.1) / 0.8)))


def mark_pixel(px, py, size):
    """Average colour and coverage of pixel (px, py) of the mark drawn size x size."""
    total = [0.0, 0.0, 0.0]
    hits = 0
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            colour = mark_sample((px + (sx + 0.5) / SAMPLES) / size, (py + (sy + 0.5) / SAMPLES) / size)
            if colour:
                hits += 1
                for i in range(3):
                    total[i] += colour[i]
    if not hits:
        return (0, 0, 0), 0.0
    return tuple(c / hits for c in total), hits / (SAMPLES * SAMPLES)


def mark_rgba(size):
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            colour, cover = mark_pixel(px, py, size)
            row.append(tuple(round(c) for c in colour) + (round(cover * 255),))
        rows.append(row)
    return rows


# Icons.

def icon_image(rgba):
    """One icon image: BITMAPINFOHEADER (double height), BGRA rows bottom-up, AND mask."""
    size = len(rgba)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    for row in reversed(rgba):
        for r, g, b, a in row:
            colour += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rgba):
        line = bytearray(mask_stride)
        for x, pixel in enumerate(row):
            if pixel[3] == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + colour + mask


def write_ico(path, sizes):
    images = [(size, icon_image(mark_rgba(size))) for size in sizes]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    with open(path, "wb") as f:
        f.write(out)


# Header pictures.

def band_picture(width, height, band_height, mark_size, mark_left):
    """Rows of (r, g, b): a horizontal gradient band with a light bottom edge and the mark
    centred vertically at mark_left, the dialog colour below the band."""
    mark_top = (band_height - mark_size) // 2
    mark = [[mark_pixel(px, py, mark_size) for px in range(mark_size)] for py in range(mark_size)]
    gradient = [mix(BAND_LEFT, BAND_RIGHT, (x / (width - 1)) ** 0.7) for x in range(width)]
    rows = []
    for y in range(height):
        if y >= band_height:
            rows.append([DIALOG] * width)
            continue
        if y >= band_height - 2:
            rows.append([BAND_EDGE] * width)
            continue
        # A soft light from the top keeps the band from looking flat.
        lift = 0.12 * (1 - y / band_height)
        row = [mix(gradient[x], (255, 255, 255), lift) for x in range(width)]
        my = y - mark_top
        if 0 <= my < mark_size:
            for mx in range(mark_size):
                colour, cover = mark[my][mx]
                if cover:
                    row[mark_left + mx] = mix(row[mark_left + mx], colour, cover)
        rows.append([tuple(round(c) for c in pixel) for pixel in row])
    return rows


def median_cut(counts, wanted):
    """A palette of at most `wanted` colours for the colour -> pixel count map."""
    boxes = [list(counts.items())]
    while len(boxes) < wanted:
        spans = []
        for box in boxes:
            if len(box) < 2:
                spans.append(-1)
                continue
            spans.append(max(max(c[0][i] for c in box) - min(c[0][i] for c in box) for i in range(3)))
        widest = max(range(len(boxes)), key=lambda i: spans[i])
        if spans[widest] <= 0:
            break
        box = boxes.pop(widest)
        channel = max(range(3), key=lambda i: max(c[0][i] for c in box) - min(c[0][i] for c in box))
        box.sort(key=lambda c: c[0][channel])
        half = sum(n for _, n in box) / 2
        running, split = 0, 1
        for index, (_, n) in enumerate(box):
            running += n
            if running >= half:
                split = min(max(index, 1), len(box) - 1)
                break
        boxes += [box[:split], box[split:]]
    palette = []
    for box in boxes:
        total = sum(n for _, n in box)
        palette.append(tuple(round(sum(c[i] * n for c, n in box) / total) for i in range(3)))
    return palette


def indexed(rows):
    """(palette, rows of indexes). Colours that occur exactly stay exact when they fit."""
    counts = {}
    for row in rows:
        for pixel in row:
            counts[pixel] = counts.get(pixel, 0) + 1
    palette = list(counts) if len(counts) <= 256 else median_cut(counts, 256)
    # The dialog colour must come out exactly: controls are drawn over it.
    if DIALOG in counts and DIALOG not in palette:
        palette[min(range(len(palette)), key=lambda i: distance(palette[i], DIALOG))] = DIALOG
    nearest = {}
    for colour in counts:
        nearest[colour] = min(range(len(palette)), key=lambda i: distance(palette[i], colour))
    return palette, [[nearest[pixel] for pixel in row] for row in rows]


def distance(a, b):
    return sum((a[i] - b[i]) ** 2 for i in range(3))


def lzw(indexes, code_size):
    """GIF's variable-length LZW: codes from code_size + 1 bits up to 12, a clear code when full."""
    clear, end = 1 << code_size, (1 << code_size) + 1
    out = bytearray()
    bits, nbits = 0, 0

    def emit(code, width):
        nonlocal bits, nbits
        bits |= code << nbits
        nbits += width
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8

    # The string table as (prefix code, next index) -> code.
    table, next_code, width = {}, end + 1, code_size + 1
    emit(clear, width)
    current = None
    for index in indexes:
        if current is None:
            current = index
            continue
        if (current, index) in table:
            current = table[(current, index)]
            continue
        emit(current, width)
        if next_code == 4096:
            emit(clear, width)
            table, next_code, width = {}, end + 1, code_size + 1
        else:
            table[(current, index)] = next_code
            next_code += 1
            if next_code > (1 << width) and width < 12:
                width += 1
        current = index
    if current is not None:
        emit(current, width)
    emit(end, width)
    if nbits:
        out.append(bits & 0xFF)
    return bytes(out)


def write_gif(path, rows):
    palette, pixels = indexed(rows)
    height, width = len(rows), len(rows[0])
    depth = max(1, (len(palette) - 1).bit_length())
    palette += [(0, 0, 0)] * ((1 << depth) - len(palette))
    code_size = max(2, depth)
    out = bytearray(b"GIF89a")
    out += struct.pack("<HHBBB", width, height, 0x80 | (depth - 1), 0, 0)
    for colour in palette:
        out += bytes(colour)
    out += struct.pack("<BHHHHB", 0x2C, 0, 0, width, height, 0)
    out.append(code_size)
    data = lzw([i for row in pixels for i in row], code_size)
    for start in range(0, len(data), 255):
        block = data[start:start + 255]
        out.append(len(block))
        out += block
    out += b"\x00\x3B"
    with open(path, "wb") as f:
        f.write(out)


def main():
    top = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(top, "app", "resources")
    os.makedirs(folder, exist_ok=True)
    write_ico(os.path.join(folder, "Vantrel.ico"), (16, 32))
    write_ico(os.path.join(folder, "TrayIcon.ico"), (16,))
    write_gif(os.path.join(folder, "MainHeader.gif"), band_picture(700, 500, 58, 44, 14))
    write_gif(os.path.join(folder, "ProgressHeader.gif"), band_picture(2048, 111, 111, 76, 20))


if __name__ == "__main__":
    main()
