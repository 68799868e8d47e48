"""Builds the game's TrueType font from the glyph grids in glyphs.txt.

Usage: /usr/bin/python3 build_font.py glyphs.txt FreePixel.ttf

Each inked cell of a glyph becomes a square of the outline; the squares of a glyph are merged into closed
contours, so the font is a plain TrueType font made only of straight lines on a grid. With 64 font units per
cell and 16 cells to the em, one cell is exactly one pixel at character size 16.

The output is the same, byte for byte, for the same glyphs: the created and modified dates are fixed.
"""

import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.misc.timeTools import timestampFromString
from fontTools.pens.ttGlyphPen import TTGlyphPen

UNITS_PER_CELL = 64
FIXED_DATE = timestampFromString("Mon Dec  8 00:00:00 2025")


class GlyphSourceError(Exception):
    pass


def read_glyphs(path):
    """Returns the settings and an ordered dict of character -> rows."""
    settings = {}
    glyphs = {}
    with open(path, encoding="utf-8") as source:
        lines = source.read().split("\n")
    i = 0
    while i < len(lines):
        number = i + 1
        words = lines[i].split()
        i += 1
        if not words or words[0].startswith("#"):
            continue
        if words[0] == "glyph" and len(words) == 2:
            name = words[1]
            if name != "space" and len(name) != 1:
                raise GlyphSourceError(f"{path}:{number}: a glyph is named by one character or 'space'")
            count = int(settings.get("rows", 12))
            rows = [row.strip() for row in lines[i:i + count]]
            i += count
            if len(rows) != count or any(set(row) - set("#.") or len(row) != len(rows[0]) or not row
                                         for row in rows):
                raise GlyphSourceError(f"{path}:{number}: glyph '{name}' needs {count} rows of '#' and '.', "
                                       "all as wide as the first")
            character = " " if name == "space" else name
            if character in glyphs:
                raise GlyphSourceError(f"{path}:{number}: glyph '{name}' is drawn twice")
            glyphs[character] = rows
        elif words[0] == "family":
            settings["family"] = " ".join(words[1:])
        elif len(words) == 2 and words[0] in ("em", "ascent", "descent", "rows", "baseline", "spacing"):
            settings[words[0]] = int(words[1])
        else:
            raise GlyphSourceError(f"{path}:{number}: unexpected '{lines[number - 1].strip()}'")
    return settings, glyphs


def contours_of(rows, baseline):
    """The outline of the inked cells, as closed contours of corner points in cell units (y up, 0 on the
    baseline), clockwise around ink as TrueType wants."""
    edges = {}
    for r, row in enumerate(rows):
        top = baseline - r
        for x, cell in enumerate(row):
            if cell != "#":
                continue
            square = [((x, top - 1), (x, top)), ((x, top), (x + 1, top)),
                      ((x + 1, top), (x + 1, top - 1)), ((x + 1, top - 1), (x, top - 1))]
            for start, end in square:
                # An edge shared by two inked cells runs both ways and drops out.
                if (end, start) in edges:
                    del edges[(end, start)]
                else:
                    edges[(start, end)] = True
    outgoing = {}
    for start, end in edges:
        outgoing.setdefault(start, []).append(end)
    for ends in outgoing.values():
        ends.sort()
    contours = []
    while outgoing:
        first = min(outgoing)
        point = first
        contour = []
        while True:
            contour.append(point)
            ends = outgoing[point]
            following = ends.pop(0)
            if not ends:
                del outgoing[point]
            point = following
            if point == first:
                break
        contours.append(simplified(contour))
    return contours


def simplified(contour):
    """Drops the points in the middle of straight runs."""
    kept = []
    count = len(contour)
    for i, point in enumerate(contour):
        before = contour[i - 1]
        after = contour[(i + 1) % count]
        straight = (before[0] == point[0] == after[0]) or (before[1] == point[1] == after[1])
        if not straight:
            kept.append(point)
    return kept


def glyph_from(rows, baseline):
    pen = TTGlyphPen(None)
    for contour in contours_of(rows, baseline):
        pen.moveTo(scaled(contour[0]))
        for point in contour[1:]:
            pen.lineTo(scaled(point))
        pen.closePath()
    return pen.glyph()


def scaled(point):
    return (point[0] * UNITS_PER_CELL, point[1] * UNITS_PER_CELL)


def glyph_name(character):
    return "space" if character == " " else f"uni{ord(character):04X}"


def build(source_path, font_path):
    settings, glyphs = read_glyphs(source_path)
    em = settings["em"]
    baseline = settings["baseline"]
    spacing = settings["spacing"]
    ascent = settings["ascent"] * UNITS_PER_CELL
    descent = settings["descent"] * UNITS_PER_CELL
    family = settings["family"]
    if settings["ascent"] + settings["descent"] != em:
        raise GlyphSourceError(f"{source_path}: ascent plus descent must make the em")

    # A hollow box for characters the font does not have.
    notdef = ["#####"] + ["#...#"] * 6 + ["#####"]
    notdef = ["....."] * (baseline - len(notdef)) + notdef

    order = [".notdef"] + [glyph_name(c) for c in glyphs]
    outlines = {".notdef": glyph_from(notdef, baseline)}
    advances = {".notdef": (len(notdef[0]) + spacing) * UNITS_PER_CELL}
    for character, rows in glyphs.items():
        outlines[glyph_name(character)] = glyph_from(rows, baseline)
        advances[glyph_name(character)] = (len(rows[0]) + spacing) * UNITS_PER_CELL

    builder = FontBuilder(em * UNITS_PER_CELL, isTTF=True)
    builder.setupHead(unitsPerEm=em * UNITS_PER_CELL, created=FIXED_DATE, modified=FIXED_DATE, fontRevision=1.0)
    builder.setupGlyphOrder(order)
    builder.setupCharacterMap({ord(c): glyph_name(c) for c in glyphs})
    builder.setupGlyf(outlines)
    glyf = builder.font["glyf"]
    builder.setupHorizontalMetrics({name: (advances[name], getattr(glyf[name], "xMin", 0)) for name in order})
    builder.setupHorizontalHeader(ascent=ascent, descent=-descent, lineGap=0)
    style = "Regular"
    builder.setupNameTable({
        "familyName": family,
        "styleName": style,
        "uniqueFontIdentifier": f"{family} {style} 1.000",
        "fullName": f"{family} {style}",
        "psName": family.replace(" ", "") + "-" + style,
        "version": "Version 1.000",
    })
    cap = sum(1 for row in glyphs.get("H", []) if "#" in row)
    x_height = sum(1 for row in glyphs.get("x", []) if "#" in row)
    builder.setupOS2(sTypoAscender=ascent, sTypoDescender=-descent, sTypoLineGap=0, usWinAscent=ascent,
                     usWinDescent=descent, sCapHeight=cap * UNITS_PER_CELL, sxHeight=x_height * UNITS_PER_CELL,
                     fsType=0, achVendID="BRWK")
    builder.setupPost()
    builder.font["head"].created = FIXED_DATE
    builder.font["head"].modified = FIXED_DATE
    builder.font.recalcTimestamp = False
    builder.save(font_path)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: build_font.py glyphs.txt out.ttf")
    try:
        build(sys.argv[1], sys.argv[2])
    except (GlyphSourceError, KeyError, ValueError) as error:
        sys.exit(f"build_font.py: {error}")
