#!/usr/bin/env python3
"""Writes the program's pictures into resources/: the six tree images (2001-2006), the two VIS
pane images (2007, 2008), the toolbar strip (2009) and the icon, each also at 24 and 32 pixels
(numbers 100 and 200 higher) for screens of 144 and 192 dpi. Standard library only; the
generated files are committed, so the build never runs this.

Each 16 x 16 picture is drawn as rows of letters, one letter per pixel (see PALETTE). Toolbar
pictures use silver as their background: the toolbar maps it to the button face colour.
The larger sizes are drawn from the letters by edge-following pixel-art scaling (Scale2x for 32,
Scale3x halved for 24), so diagonals stay smooth and no colour is smeared into the background,
which a stretch by the control would do.
"""

import os
import struct
import sys

PALETTE = {
    "k": (0, 0, 0),
    "w": (255, 255, 255),
    "s": (192, 192, 192),
    "d": (128, 128, 128),
    "b": (40, 110, 220),
    "B": (0, 0, 128),
    "g": (40, 170, 60),
    "G": (0, 110, 0),
    "y": (255, 255, 0),
    "Y": (230, 190, 40),
    "r": (220, 0, 0),
    "R": (128, 0, 0),
    "o": (200, 130, 40),
    "c": (160, 220, 255),
}

GLOBE = [
    "......kkkk......",
    "....kkbbggkk....",
    "...kbbbggggbk...",
    "..kbbbbgggbbbk..",
    ".kbggbbbggbbbbk.",
    ".kbgggbbbbbbggk.",
    "kbbggggbbbbgggbk",
    "kbbbgggbbbbggbbk",
    "kbbbbggbbbgggbbk",
    "kbbbbbgbbbggbbbk",
    ".kbbbbbbbbgbbbk.",
    ".kbbggbbbbbbbbk.",
    "..kbgggbbbbbbk..",
    "...kbggbbbbbk...",
    "....kkbbbbkk....",
    "......kkkk......",
]

MAP_SQUARE = [
    "................",
    ".kkkkkkkkkkkkkk.",
    ".ksssssdssssssk.",
    ".kssssssdsssssk.",
    ".ksdddsssdssssk.",
    ".kssssdsssdsssk.",
    ".ksssssdsssddsk.",
    ".kddddddddddddk.",
    ".kssssssssdsssk.",
    ".ksssssssdssssk.",
    ".kssddssdsssssk.",
    ".ksssdddsssdssk.",
    ".kssssssssdsssk.",
    ".ksssssssdssssk.",
    ".kkkkkkkkkkkkkk.",
    "................",
]


def crossed_runways(body="k"):
    """Two runways crossing corner to corner, three pixels wide, with dashed centre lines, drawn
    in the palette letter `body`."""
    rows = []
    for y in range(16):
        row = ""
        for x in range(16):
            on_first = abs(x - y) <= 1
            on_second = abs(x - (15 - y)) <= 1
            centre = (x == y or x == 15 - y) and x in (2, 3, 12, 13)
            if centre:
                row += "w"
            elif on_first or on_second:
                row += body
            else:
                row += "."
        rows.append(row)
    return rows


RUNWAYS = crossed_runways()
# A marked Location: the runways in red, on yellow.
RED_RUNWAYS = crossed_runways("r")

RED_CROSS = [
    "................",
    ".rr..........rr.",
    ".rrr........rrr.",
    "..rrr......rrr..",
    "...rrr....rrr...",
    "....rrr..rrr....",
    ".....rrrrrr.....",
    "......rrrr......",
    "......rrrr......",
    ".....rrrrrr.....",
    "....rrr..rrr....",
    "...rrr....rrr...",
    "..rrr......rrr..",
    ".rrr........rrr.",
    ".rr..........rr.",
    "................",
]

GREEN_TICK = [
    "................",
    "..............gg",
    ".............ggg",
    "............ggg.",
    "...........ggg..",
    "..........ggg...",
    ".........ggg....",
    "gg......ggg.....",
    "ggg....ggg......",
    ".ggg..ggg.......",
    "..gggggg........",
    "...gggg.........",
    "....gg..........",
    "................",
    "................",
    "................",
]

# The nineteen toolbar pictures, in the order of the toolbar's image numbers.
TOOLBAR = [
    # 0: New Area - a map square with a yellow star.
    [
        "..........y.....",
        "......y...y...y.",
        ".......y..y..y..",
        "........yyyyy...",
        "kkkkkkkyyyyyyyyy",
        "kssssssdyyyyy...",
        "kssddssdy.y..y..",
        "kssssddd..y...y.",
        "kddddddddddkk...",
        "ksssssssdsssk...",
        "ksssdddddsssk...",
        "kssdsssdsdssk...",
        "ksdssssdssddk...",
        "kssssssdsssdk...",
        "kkkkkkkkkkkkk...",
        "................",
    ],
    # 1: Delete Area - a map square struck out in red.
    [
        "................",
        "kkkkkkkkkkkkk...",
        "kssssssdsssskrr.",
        "ksddssssdsssrrr.",
        "kssddsssdssrrr..",
        "kssssddsdsrrrk..",
        "krrssssddrrrsk..",
        "krrrsssdrrrddk..",
        "kddrrrdrrrdddk..",
        "ksssrrrrrsssk...",
        "ksssdrrrssssk...",
        "kssdrrrrrsssk...",
        "ksdrrrsdrrrssk..",
        "ksrrrssdssrrrk..",
        "kkrrkkkkkkkrrr..",
        "................",
    ],
    # 2: New Location - runways with a green plus.
    [
        "kkk.......ggg...",
        "kwkk......ggg...",
        "kkwkk...ggggggg.",
        ".kkkkk..ggggggg.",
        "..kkwkk.ggggggg.",
        "...kkkkk..ggg...",
        "....kkwkk.ggg...",
        ".....kkkkkk.....",
        ".....kkkkkk.....",
        "....kkwkkwkk....",
        "...kkkkkkkkkk...",
        "..kkwkk..kkwkk..",
        ".kkkkk....kkkkk.",
        "kkwkk......kkwkk",
        "kwkk........kkwk",
        "kkk..........kkk",
    ],
    # 3: Delete Location - runways struck out in red.
    [
        "kkk..........kkk",
        "kwkk........kkwk",
        "kkwkk......kkwkk",
        ".kkkkk....kkkkk.",
        "..kkwkk..kkwkk..",
        "...kkkkkkkkkk...",
        "rr..kkwkkwkk..rr",
        "rrr..kkkkkk..rrr",
        ".rrr.kkkkkk.rrr.",
        "..rrrkwkkwkrrr..",
        "...rrrkkkkrrr...",
        "..kkrrrkkrrrwk..",
        ".kkkkkrrrrkkkkk.",
        "kkwkk.rrrr..kkwk",
        "kwkk.rrrrrr..kkw",
        "kkk.rrr..rrr.kkk",
    ],
    # 4: Sort Areas - three map squares and a downward arrow.
    [
        "kkkkkk..........",
        "ksdssk......B...",
        "kddddk......B...",
        "ksdssk......B...",
        "kkkkkk......B...",
        "............B...",
        "kkkkkk......B...",
        "ksdssk......B...",
        "kddddk......B...",
        "ksdssk......B...",
        "kkkkkk......B...",
        "..........BBBBB.",
        "kkkkkk.....BBB..",
        "ksdssk......B...",
        "kddddk..........",
        "kkkkkk..........",
    ],
    # 5: Sort Locations - three small runway crosses and a downward arrow.
    [
        "k...k.......B...",
        ".k.k........B...",
        "..k.........B...",
        ".k.k........B...",
        "k...k.......B...",
        "............B...",
        "k...k.......B...",
        ".k.k........B...",
        "..k.........B...",
        ".k.k........B...",
        "k...k.......B...",
        "..........BBBBB.",
        "k...k......BBB..",
        ".k.k........B...",
        "..k.............",
        ".k.k............",
    ],
    # 6: Expand all Areas - a tree with open branches and a plus box.
    [
        "kkkkkkkkk.......",
        "kwwwwwwwk.......",
        "kwwwkwwwk.......",
        "kwwwkwwwk.......",
        "kwkkkkkwk.......",
        "kwwwkwwwk.......",
        "kwwwkwwwk.......",
        "kwwwwwwwk.......",
        "kkkkkkkkk.......",
        "....d...........",
        "....d..kkkkkkk..",
        "....ddddksssdk..",
        "....d..kkkkkkk..",
        "....d...........",
        "....d..kkkkkkk..",
        "....ddddksssdk..",
    ],
    # 7: Open scenery set - an open yellow folder.
    [
        "................",
        "................",
        "................",
        ".kkkk...........",
        "kYyyYk..........",
        "kYyyyYkkkkkkk...",
        "kYyyyyyyyyyyk...",
        "kYyyykkkkkkkkkkk",
        "kYyykYYYYYYYYYYk",
        "kYyykYYYYYYYYYk.",
        "kYykYYYYYYYYYYk.",
        "kYykYYYYYYYYYk..",
        "kYkYYYYYYYYYYk..",
        "kkkkkkkkkkkkk...",
        "................",
        "................",
    ],
    # 8: Save results - a floppy disk.
    [
        "kkkkkkkkkkkkkkk.",
        "kBBwwwwwwwwwBBBk",
        "kBBwwwwwwwwwBBBk",
        "kBBwwwwwwwwwBBBk",
        "kBBwwwwwwwwwBBBk",
        "kBBwwwwwwwwwBBBk",
        "kBBBBBBBBBBBBBBk",
        "kBBBBBBBBBBBBBBk",
        "kBBBssssssssBBBk",
        "kBBBssBBssssBBBk",
        "kBBBssBBssssBBBk",
        "kBBBssBBssssBBBk",
        "kBBBssssssssBBBk",
        ".kkkkkkkkkkkkkkk",
        "................",
        "................",
    ],
    # 9: Show fractional minutes - 5.5' (degrees and decimal minutes).
    [
        "................",
        "................",
        "................",
        ".kkkk.....kkkk.k",
        ".k........k....k",
        ".k........k.....",
        ".kkkk.....kkkk..",
        "....k........k..",
        "....k........k..",
        "....k...kk...k..",
        ".kkkk...kk.kkkk.",
        "................",
        "................",
        "................",
        "................",
        "................",
    ],
    # 10: Collapse all Areas - a tree with a minus box and closed branches.
    [
        "kkkkkkkkk.......",
        "kwwwwwwwk.......",
        "kwwwwwwwk.......",
        "kwwwwwwwk.......",
        "kwkkkkkwk.......",
        "kwwwwwwwk.......",
        "kwwwwwwwk.......",
        "kwwwwwwwk.......",
        "kkkkkkkkk.......",
        "....d...........",
        "....d..kkkkkkk..",
        "....ddddksssdk..",
        "....d..kkkkkkk..",
        "....d...........",
        "....d..kkkkkkk..",
        "....ddddksssdk..",
    ],
    # 11: Help - a question mark.
    [
        "................",
        ".....BBBBBB.....",
        "....BBBBBBBB....",
        "...BBB....BBB...",
        "...BBB....BBB...",
        "..........BBB...",
        ".........BBB....",
        "........BBB.....",
        ".......BBB......",
        ".......BBB......",
        ".......BBB......",
        "................",
        ".......BBB......",
        ".......BBB......",
        "................",
        "................",
    ],
    # 12: Auto expand and collapse - a plus box and a minus box joined by arrows.
    [
        "kkkkkkk.........",
        "kwwkwwk.........",
        "kwwkwwk.........",
        "kkkkkkk..B......",
        "kwwkwwk..BB.....",
        "kwwkwwk.BBBB....",
        "kkkkkkk..BB.B...",
        ".........B...B..",
        "..B...B.........",
        "...B.BB..kkkkkkk",
        "....BBBB.kwwwwwk",
        ".....BB..kwwwwwk",
        "......B..kkkkkkk",
        ".........kwwwwwk",
        ".........kwwwwwk",
        ".........kkkkkkk",
    ],
    # 13: Show minutes and seconds - 5'5" (degrees, minutes and seconds).
    [
        "................",
        "................",
        "................",
        ".kkkk.k.kkkk.k.k",
        ".k....k.k....k.k",
        ".k......k.......",
        ".kkkk...kkkk....",
        "....k......k....",
        "....k......k....",
        "....k......k....",
        ".kkkk...kkkk....",
        "................",
        "................",
        "................",
        "................",
        "................",
    ],
    # 14: Print - a printer with a sheet.
    [
        "................",
        "....kkkkkkkk....",
        "....kwwwwwwk....",
        "....kwkkkkwk....",
        "....kwwwwwwk....",
        "....kwkkkkwk....",
        ".kkkkkkkkkkkkkk.",
        "kssssssssssssssk",
        "kssssssssssgrssk",
        "kddddddddddddddk",
        "kssssssssssssssk",
        "kskkkkkkkkkkkksk",
        "kkkwwwwwwwwwwkkk",
        "...kwwwwwwwwk...",
        "...kkkkkkkkkk...",
        "................",
    ],
    # 15: Undo last edit - an arrow curving back to the left.
    [
        "................",
        "................",
        "...B............",
        "..BB............",
        ".BBBBBBBBBB.....",
        "BBBBBBBBBBBB....",
        ".BBB.......BB...",
        "..BB........BB..",
        "...B.........B..",
        ".............B..",
        ".............B..",
        "............BB..",
        "...........BB...",
        "........BBBB....",
        "........BBB.....",
        "................",
    ],
    # 16: Find - a magnifying glass.
    [
        "................",
        "....kkkkk.......",
        "...kcccccK......",
        "..kcwccccck.....",
        ".kcwccccccck....",
        ".kcwccccccck....",
        ".kccccccccck....",
        ".kccccccccck....",
        ".kccccccccck....",
        "..kccccccck.....",
        "...kcccccko.....",
        "....kkkkkooo....",
        "..........ooo...",
        "...........ooo..",
        "............ooo.",
        ".............oo.",
    ],
    # 17: Find next - a magnifying glass and an arrow pointing on.
    [
        "................",
        "..kkkkk.........",
        ".kcccccK........",
        "kcwccccck.......",
        "kcwccccck.......",
        "kccccccck.......",
        "kccccccck.......",
        ".kcccccko.......",
        "..kkkkkooo......",
        ".......ooo..B...",
        "........ooo.BB..",
        ".........ooBBBB.",
        "............BBBB",
        "...........BBBB.",
        "............BB..",
        "............B...",
    ],
    # 18: Check menu - a list with a tick beside each line.
    [
        "................",
        ".kkkkkkkkkkkkk..",
        ".kwwwwwwwwwwwk..",
        ".kwGwwwwwwwwwk..",
        ".kGwwdddddddwk..",
        ".kwwwwwwwwwwwk..",
        ".kwwwwwwwwwwwk..",
        ".kwGwwwwwwwwwk..",
        ".kGwwdddddddwk..",
        ".kwwwwwwwwwwwk..",
        ".kwwwwwwwwwwwk..",
        ".kwrwrwwwwwwwk..",
        ".kwwrwwdddddwk..",
        ".kwrwrwwwwwwwk..",
        ".kkkkkkkkkkkkk..",
        "................",
    ],
]

# The magnifying glass outlines use 'K' for the upper right of the rim: plain black.
PALETTE["K"] = (0, 0, 0)


def check(picture, name):
    if len(picture) != 16 or any(len(row) != 16 for row in picture):
        sys.exit(f"{name}: every picture must be 16 rows of 16 letters")
    for row in picture:
        for letter in row:
            if letter != "." and letter not in PALETTE:
                sys.exit(f"{name}: unknown letter {letter!r}")


def pixels(picture, background):
    return [[background if c == "." else PALETTE[c] for c in row] for row in picture]


def _at(grid, x, y):
    y = min(max(y, 0), len(grid) - 1)
    x = min(max(x, 0), len(grid[0]) - 1)
    return grid[y][x]


def scale2x(grid):
    out = []
    for y in range(len(grid)):
        top, bottom = [], []
        for x in range(len(grid[0])):
            p = grid[y][x]
            a, b, c, d = _at(grid, x, y - 1), _at(grid, x + 1, y), _at(grid, x - 1, y), _at(grid, x, y + 1)
            top += [c if c == a and c != d and a != b else p, b if a == b and a != c and b != d else p]
            bottom += [c if d == c and d != b and c != a else p, b if b == d and b != a and d != c else p]
        out += [top, bottom]
    return out


def scale3x(grid):
    out = []
    for y in range(len(grid)):
        rows = [[], [], []]
        for x in range(len(grid[0])):
            a, b, c = _at(grid, x - 1, y - 1), _at(grid, x, y - 1), _at(grid, x + 1, y - 1)
            d, e, f = _at(grid, x - 1, y), grid[y][x], _at(grid, x + 1, y)
            g, h, i = _at(grid, x - 1, y + 1), _at(grid, x, y + 1), _at(grid, x + 1, y + 1)
            if b != h and d != f:
                rows[0] += [d if d == b else e,
                            b if (d == b and e != c) or (b == f and e != a) else e,
                            f if b == f else e]
                rows[1] += [d if (d == b and e != g) or (d == h and e != a) else e, e,
                            f if (b == f and e != i) or (h == f and e != c) else e]
                rows[2] += [d if d == h else e,
                            h if (d == h and e != i) or (h == f and e != g) else e,
                            f if h == f else e]
            else:
                for row in rows:
                    row += [e, e, e]
        out += rows
    return out


def halve(grid, background):
    """Each 2 x 2 block becomes one pixel: the background where it holds most of the block,
    otherwise the mean of the block's other colours."""
    out = []
    for y in range(0, len(grid), 2):
        row = []
        for x in range(0, len(grid[0]), 2):
            block = [grid[y][x], grid[y][x + 1], grid[y + 1][x], grid[y + 1][x + 1]]
            drawn = [colour for colour in block if colour != background]
            if len(drawn) < 2:
                row.append(background)
            else:
                row.append(tuple(round(sum(c[k] for c in drawn) / len(drawn)) for k in range(3)))
        out.append(row)
    return out


def at_size(rows, size, background):
    """A 16-pixel picture drawn at 16, 24 or 32 pixels."""
    if size == 16:
        return rows
    if size == 32:
        return scale2x(rows)
    return halve(scale3x(rows), background)


def sized_name(name, size):
    return name if size == 16 else name.replace(".bmp", f"-{size}.bmp")


def write_bmp(path, rows):
    """A 24-bit uncompressed bottom-up BMP."""
    height = len(rows)
    width = len(rows[0])
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += bytes(stride - len(line))
        data += line
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def icon_image(size):
    """The program's icon: the globe, with crossed runways over it when large enough.
    Returns rows of (r, g, b, a)."""
    scale = size // 16
    globe = pixels(GLOBE, None)
    runway = RUNWAYS
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            gx, gy = x // scale, y // scale
            colour = globe[gy][gx]
            r_letter = runway[gy][gx]
            if scale > 1 and r_letter == "k" and colour is not None:
                colour = PALETTE["k"]
            if colour is None:
                row.append((0, 0, 0, 0))
            else:
                row.append(colour + (255,))
        rows.append(row)
    return rows


def write_ico(path, sizes):
    images = []
    for size in sizes:
        rows = icon_image(size)
        xor = bytearray()
        for row in reversed(rows):
            for r, g, b, a in row:
                xor += bytes((b, g, r, a))
        mask_stride = ((size + 31) // 32) * 4
        mask = bytearray()
        for row in reversed(rows):
            bits = bytearray(mask_stride)
            for x, (_, _, _, a) in enumerate(row):
                if a == 0:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0,
                           0, 0)
        images.append((size, info + xor + mask))
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    directory = bytearray()
    for size, data in images:
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data),
                                 offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(header + directory + b"".join(data for _, data in images))


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources")
    white = PALETTE["w"]
    yellow = PALETTE["y"]
    silver = PALETTE["s"]
    singles = {
        "globe.bmp": (GLOBE, white),
        "area.bmp": (MAP_SQUARE, white),
        "location.bmp": (RUNWAYS, white),
        "globe-marked.bmp": (GLOBE, white),
        "area-marked.bmp": (MAP_SQUARE, yellow),
        "location-marked.bmp": (RED_RUNWAYS, yellow),
        "vis-off.bmp": (RED_CROSS, white),
        "vis-on.bmp": (GREEN_TICK, white),
    }
    for size in (16, 24, 32):
        for name, (picture, background) in singles.items():
            check(picture, name)
            write_bmp(os.path.join(out, sized_name(name, size)),
                      at_size(pixels(picture, background), size, background))
        if len(TOOLBAR) != 19:
            sys.exit("the toolbar has 19 pictures")
        strip = [[] for _ in range(size)]
        for number, picture in enumerate(TOOLBAR):
            check(picture, f"toolbar picture {number}")
            for y, row in enumerate(at_size(pixels(picture, silver), size, silver)):
                strip[y] += row
        write_bmp(os.path.join(out, sized_name("toolbar.bmp", size)), strip)
    write_ico(os.path.join(out, "tarnwick.ico"), [16, 32])


if __name__ == "__main__":
    main()
