#!/usr/bin/python3
"""Builds the small synthetic TrueType fonts the generation tests render.

Every glyph is a set of axis-aligned rectangles whose edges fall on pixel
boundaries at the sizes the tests use, so rendered pixels, boxes, origins and
advances are exact. Run with Debian's python3 (python3-fonttools):
    /usr/bin/python3 tools/make_test_fonts.py tests/data/fonts
The output is deterministic; the .ttf files are committed next to this script's
output directory.
"""
import sys
from pathlib import Path

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib.tables._c_m_a_p import CmapSubtable

FIXED_TIME = 0x7C25B080  # head created/modified: a fixed date keeps the files stable


def glyph(rects):
    pen = TTGlyphPen(None)
    for x0, y0, x1, y1 in rects:
        pen.moveTo((x0, y0))
        pen.lineTo((x0, y1))
        pen.lineTo((x1, y1))
        pen.lineTo((x1, y0))
        pen.closePath()
    return pen.glyph()


def build(path, family, glyphs, win=(800, 200), hhea=(900, -300), os2=True,
          typographic=None, cmap="unicode", weight=400):
    """glyphs: list of (name, codepoint or None, advance, rects)."""
    fb = FontBuilder(1000, isTTF=True)
    order = [g[0] for g in glyphs]
    fb.setupGlyphOrder(order)
    fb.setupGlyf({name: glyph(rects) for name, _, _, rects in glyphs})
    metrics = {}
    for name, _, advance, rects in glyphs:
        lsb = min((r[0] for r in rects), default=0)
        metrics[name] = (advance, lsb)
    fb.setupHorizontalMetrics(metrics)
    fb.setupHorizontalHeader(ascent=hhea[0], descent=hhea[1])
    mapping = {cp: name for name, cp, _, _ in glyphs if cp is not None}
    if cmap == "unicode":
        fb.setupCharacterMap(mapping)
    else:
        fb.setupCharacterMap({})
        table = fb.font["cmap"]
        table.tables = []
        if cmap == "symbol":
            sub = CmapSubtable.newSubtable(4)
            sub.platformID, sub.platEncID = 3, 0
        elif cmap == "mac":  # only a Macintosh Roman map: no Unicode, no symbol map
            sub = CmapSubtable.newSubtable(6)
            sub.platformID, sub.platEncID = 1, 0
        else:  # only a Unicode map of platform 0 in format 12, no Windows map
            sub = CmapSubtable.newSubtable(12)
            sub.platformID, sub.platEncID = 0, 4
        sub.language = 0
        sub.cmap = mapping
        table.tables.append(sub)
    names = {"familyName": family, "styleName": "Regular"}
    if typographic:
        names["typographicFamily"] = typographic
        names["typographicSubfamily"] = "Regular"
    fb.setupNameTable(names)
    if os2:
        fb.setupOS2(usWinAscent=win[0], usWinDescent=win[1], sTypoAscender=750,
                    sTypoDescender=-250, sTypoLineGap=0, usWeightClass=weight,
                    fsSelection=0x40, achVendID="MRVN")
    fb.setupPost()
    head = fb.font["head"]
    head.created = head.modified = FIXED_TIME
    if not os2 and "OS/2" in fb.font:
        del fb.font["OS/2"]
    fb.save(str(path))


# Units per em 1000, Windows ascent 800 + descent 200: a cell height of H pixels is
# an em of H pixels, 1000 / H units per pixel (50 units at 20 px).
NOTDEF = (".notdef", None, 500, [(50, 0, 400, 600)])
RECT = [
    NOTDEF,
    ("space", 0x20, 300, []),
    ("A", 0x41, 700, [(100, 0, 600, 700)]),
    ("B", 0x42, 400, [(0, -200, 400, 800)]),
    ("W", 0x57, 800, [(-100, 0, 900, 700)]),           # overhangs both sides of its cell
    ("e", 0x65, 500, [(50, 0, 450, 500)]),
    ("g", 0x67, 600, [(100, -200, 500, 300)]),
    ("i", 0x69, 300, [(100, 0, 200, 500), (100, 600, 200, 700)]),
    ("bar", 0x7C, 300, [(100, -400, 200, 1000)]),       # reaches beyond the cell
    ("eacute", 0xE9, 500, [(50, 0, 450, 650)]),
    ("gravecomb", 0x300, 200, [(0, 650, 150, 750)]),
    ("uni0416", 0x416, 800, [(50, 0, 750, 700)]),
    ("uni064E", 0x64E, 200, [(0, 650, 150, 750)]),
    ("Euro", 0x20AC, 650, [(50, 0, 550, 700)]),
]

# For internal antialiasing at a requested height of 10 (drawn at 40 pixels, 25
# units per pixel, ascent 32): 'H' is aligned to sampling phase (1, 1), 'I' to
# (2, 1); U+00C6 fills its whole cell.
PHASE = [
    NOTDEF,
    ("space", 0x20, 300, []),
    ("H", 0x48, 400, [(125, 375, 325, 575)]),
    ("I", 0x49, 400, [(150, 375, 350, 575)]),
    ("AE", 0xC6, 400, [(0, -200, 400, 800)]),
]

# Windows ascent 850 + descent 200: an em of 32 pixels is a cell of 27 + 6 = 33,
# and 531 units advance 17 pixels.
TALL = [
    NOTDEF,
    ("A", 0x41, 531, [(0, 0, 500, 500)]),
]

# One glyph for each of 0x20..0x7E: a map of the single range 0x20..0x7E.
ASCII = [NOTDEF] + [("c%02X" % c, c, 500, [] if c == 0x20 else [(100, 0, 400, 500)])
                    for c in range(0x20, 0x7F)]

SYMBOL = [
    NOTDEF,
    ("space", 0xF020, 300, []),
    ("A", 0xF041, 700, [(100, 0, 600, 700)]),
    ("B", 0xF042, 400, [(0, -200, 400, 800)]),
]


def main(out):
    out = Path(out)
    out.mkdir(parents=True, exist_ok=True)
    build(out / "MorvaneRect.ttf", "Morvane Rect", RECT)
    build(out / "MorvanePhase.ttf", "Morvane Phase", PHASE)
    build(out / "MorvaneTall.ttf", "Morvane Tall", TALL, win=(850, 200),
          typographic="Morvane Tall Group")
    build(out / "MorvaneAscii.ttf", "Morvane Ascii", ASCII)
    build(out / "MorvaneSymbol.ttf", "Morvane Symbol", SYMBOL, cmap="symbol")
    # U+1D400 lies beyond the 16-bit codes of a font.
    build(out / "MorvaneNoFormat4.ttf", "Morvane NoFormat4",
          RECT[:4] + [("u1D400", 0x1D400, 700, [(100, 0, 600, 700)])], cmap="format12")
    build(out / "MorvaneMacOnly.ttf", "Morvane MacOnly", RECT[:4], cmap="mac")
    build(out / "MorvaneNoOS2.ttf", "Morvane NoOS2", RECT[:4], os2=False)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "tests/data/fonts")
