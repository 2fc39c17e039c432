#!/usr/bin/env python3
"""Draws Tovrin's skin bitmaps (resource type BMPFILE, ids 181-192) as 24-bit BMP files.

    python3 scripts/make-skins.py [OUTPUT_FOLDER]     (default: Tovrin/resources/skins)

Every face is drawn once at a small size and stretched by the controls in nine slices
(SkinFace::Draw): the corners (6 px by default) stay as drawn, the edges stretch along their
length, the middle both ways. So a face must be uniform along x between its corners and may
only change along y (the vertical gradient). Outside the rounded corners the faces carry the
dialog background RGB(236, 233, 216), blended into the border by coverage.

Push button faces (32x24, all four corners rounded, radius 3.5):
    181 normal    182 hover    183 pressed    184 focused    185 disabled
Tab button faces (32x24, top corners rounded, square bottom). An unchecked tab has a border
along its bottom (the baseline of the tab row); a checked tab is open at the bottom and has a
two-pixel accent line along its top:
    186 unchecked            187 unchecked, mouse over   188 pressed
    189 checked             190 checked, mouse over     191 unchecked, disabled
    192 checked, disabled
The faces differ from each other in their border colour, so a control's state can be read
back from any pixel of the top edge.
"""

import os
import struct
import sys

WIDTH, HEIGHT = 32, 24
RADIUS = 3.5
SAMPLES = 4  # per axis, for the anti-aliased corners
BACKGROUND = (236, 233, 216)


def write_bmp(path, pixels):
    """pixels: rows top to bottom of (r, g, b)."""
    height, width = len(pixels), len(pixels[0])
    stride = (width * 3 + 3) & ~3
    image = bytearray()
    for row in reversed(pixels):  # BMP rows are stored bottom-up
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        image += line
    header_size = 14 + 40
    file_header = struct.pack("<2sIHHI", b"BM", header_size + len(image), 0, 0, header_size)
    info_header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(image), 2835, 2835, 0, 0)
    with open(path, "wb") as out:
        out.write(file_header + info_header + image)


def inside(x, y, left, top, right, bottom, radius, round_bottom):
    """Whether point (x, y) lies in the rectangle with rounded top (and bottom) corners."""
    if not (left <= x < right and top <= y < bottom):
        return False
    nearest_x = min(max(x, left + radius), right - radius)
    nearest_y = max(y, top + radius)
    if round_bottom:
        nearest_y = min(nearest_y, bottom - radius)
    elif y > top + radius:
        nearest_y = y
    return (x - nearest_x) ** 2 + (y - nearest_y) ** 2 <= radius ** 2


def coverage(px, py, inset, round_bottom, open_bottom):
    bottom = HEIGHT + (1 if open_bottom else 0) - (0 if open_bottom else inset)
    radius = max(RADIUS - inset, 0.5)
    hits = 0
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            x = px + (sx + 0.5) / SAMPLES
            y = py + (sy + 0.5) / SAMPLES
            if inside(x, y, inset, inset, WIDTH - inset, bottom, radius, round_bottom):
                hits += 1
    return hits / (SAMPLES * SAMPLES)


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def face(border, top, bottom, ring=None, accent=None, round_bottom=True, open_bottom=False):
    """A face: 1-px border, optional 1-px inner ring, vertical gradient fill from top to bottom,
    optional 2-px accent along the top inside the border."""
    pixels = []
    for y in range(HEIGHT):
        fill = mix(top, bottom, y / (HEIGHT - 1))
        if accent and y in (1, 2):
            fill = accent
        row = []
        for x in range(WIDTH):
            outer = coverage(x, y, 0, round_bottom, open_bottom)
            inner = coverage(x, y, 1, round_bottom, open_bottom)
            core = coverage(x, y, 2, round_bottom, open_bottom) if ring else inner
            colour = mix(BACKGROUND, border, outer)
            if ring:
                colour = mix(colour, ring, inner)
            colour = mix(colour, fill, core)
            row.append(colour)
        pixels.append(row)
    return pixels


def tab(border, top, bottom, checked, accent=None):
    # A checked tab is open at the bottom; an unchecked one has its bottom border line.
    return face(border, top, bottom, accent=accent, round_bottom=False, open_bottom=checked)


FACES = {
    181: ("button-normal", face((160, 166, 175), (252, 252, 252), (229, 231, 235))),
    182: ("button-hover", face((90, 150, 215), (239, 247, 255), (208, 228, 250))),
    183: ("button-pressed", face((60, 120, 190), (196, 218, 242), (220, 234, 250))),
    184: ("button-focused", face((70, 130, 200), (252, 252, 252), (229, 231, 235), ring=(196, 220, 248))),
    185: ("button-disabled", face((200, 200, 200), (245, 245, 245), (238, 238, 238))),
    186: ("tab-normal", tab((170, 175, 185), (245, 245, 247), (228, 230, 234), False)),
    187: ("tab-hover", tab((110, 160, 220), (240, 247, 255), (214, 232, 252), False)),
    188: ("tab-pressed", tab((80, 135, 200), (205, 224, 245), (226, 238, 252), False)),
    189: ("tab-checked", tab((150, 160, 175), (255, 255, 255), (250, 251, 253), True, accent=(50, 120, 210))),
    190: ("tab-checked-hover", tab((120, 150, 190), (248, 251, 255), (244, 248, 254), True, accent=(80, 150, 235))),
    191: ("tab-disabled", tab((205, 205, 205), (242, 242, 242), (242, 242, 242), False)),
    192: ("tab-checked-disabled", tab((195, 195, 195), (250, 250, 250), (250, 250, 250), True, accent=(190, 190, 190))),
}


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "Tovrin", "resources", "skins")
    os.makedirs(folder, exist_ok=True)
    for resource_id, (name, pixels) in sorted(FACES.items()):
        write_bmp(os.path.join(folder, name + ".bmp"), pixels)
        print(resource_id, name)


if __name__ == "__main__":
    main()
