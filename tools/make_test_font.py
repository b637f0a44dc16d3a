#!/usr/bin/env python3
"""Writes the TrueType font the platform tests draw text with (tests/platform/fonts/TestFont.ttf).

The tests must not depend on the fonts of the machine, so they use this font, whose every glyph is
a filled box of a known size. All numbers are in font units; the font has 1024 units per em and a
cell of 1024 units (Windows ascent 832, descent 192), so at a cell height of 16 pixels one pixel is
64 units, the ascent is 13 pixels and the descent 3, and every box edge lies on a pixel edge:

  character(s)                        advance  box x       box y (baseline 0, up)  at 16 px
  .notdef (the default glyph)          512     64..448     0..768, less the hole   8 wide; frame of 6 x 12
                                                           128..384 x 64..704      (1-pixel border)
  U+0020 space                         512     none                                 8 wide, nothing
  U+0021..U+007E except i l M W        512     64..448     0..640                  8 wide; box 6 x 10
  'i' 'l'                              256     64..192     0..640                  4 wide; box 2 x 10
  'M' 'W'                              768     64..704     0..640                  12 wide; box 10 x 10
  U+FF61..U+FF9F half-width katakana   512     128..384    -64..768                8 wide; box 4 x 13
  U+3000 ideographic space             1024    none                                16 wide, nothing
  U+30B9 U+30BD U+30C6 U+30C8 U+793A   1024    64..960     -128..768               16 wide; box 14 x 14
  U+8868 (ス ソ テ ト 示 表)

Every other character is missing, so it draws the default glyph. The font carries a one-instruction
'prep' program so that FreeType hints it natively (which moves nothing) instead of running its
auto-hinter over the boxes. The output is byte-for-byte reproducible.

Usage: make_test_font.py [output path]
"""

import os
import struct
import sys

UNITS_PER_EM = 1024
ASCENT = 832
DESCENT = 192
FAMILY = "QB Test Font"

ASCII_BOX = (64, 0, 448, 640)
NARROW_BOX = (64, 0, 192, 640)
WIDE_BOX = (64, 0, 704, 640)
KANA_BOX = (128, -64, 384, 768)
FULL_BOX = (64, -128, 960, 768)
NOTDEF_OUTER = (64, 0, 448, 768)
NOTDEF_INNER = (128, 64, 384, 704)
FULL_WIDTH = [0x30B9, 0x30BD, 0x30C6, 0x30C8, 0x793A, 0x8868]


def glyph_table():
    """The glyphs in glyph-id order: (codepoint or None, advance, [contours])."""
    def box(b, clockwise=True):
        x0, y0, x1, y1 = b
        # TrueType fills outer contours drawn clockwise; holes run the other way.
        pts = [(x0, y0), (x0, y1), (x1, y1), (x1, y0)]
        return pts if clockwise else list(reversed(pts))

    glyphs = [(None, 512, [box(NOTDEF_OUTER), box(NOTDEF_INNER, clockwise=False)])]
    chars = {0x20: (512, []), 0x3000: (1024, [])}
    for c in range(0x21, 0x7F):
        if chr(c) in "il":
            chars[c] = (256, [box(NARROW_BOX)])
        elif chr(c) in "MW":
            chars[c] = (768, [box(WIDE_BOX)])
        else:
            chars[c] = (512, [box(ASCII_BOX)])
    for c in range(0xFF61, 0xFFA0):
        chars[c] = (512, [box(KANA_BOX)])
    for c in FULL_WIDTH:
        chars[c] = (1024, [box(FULL_BOX)])
    for c in sorted(chars):
        glyphs.append((c,) + chars[c])
    return glyphs


def pad4(data):
    return data + b"\0" * (-len(data) % 4)


def checksum(data):
    data = pad4(data)
    return sum(struct.unpack(">%dI" % (len(data) // 4), data)) & 0xFFFFFFFF


def bounds(contours):
    xs = [x for c in contours for x, _ in c]
    ys = [y for c in contours for _, y in c]
    return (min(xs), min(ys), max(xs), max(ys)) if xs else (0, 0, 0, 0)


def make_glyf_loca(glyphs):
    glyf = b""
    offsets = []
    for _, _, contours in glyphs:
        offsets.append(len(glyf))
        if not contours:
            continue
        x0, y0, x1, y1 = bounds(contours)
        data = struct.pack(">hhhhh", len(contours), x0, y0, x1, y1)
        end = -1
        for c in contours:
            end += len(c)
            data += struct.pack(">H", end)
        data += struct.pack(">H", 0)  # no instructions
        points = [p for c in contours for p in c]
        data += bytes([0x01] * len(points))  # on-curve, 16-bit deltas
        px = py = 0
        xs = ys = b""
        for x, y in points:
            xs += struct.pack(">h", x - px)
            ys += struct.pack(">h", y - py)
            px, py = x, y
        glyf += pad4(data + xs + ys)
    offsets.append(len(glyf))
    loca = b"".join(struct.pack(">I", o) for o in offsets)
    return glyf, loca


def make_cmap(glyphs):
    # Format 4: one segment per run of consecutive codepoints with consecutive glyph ids.
    mapped = [(c, gid) for gid, (c, _, _) in enumerate(glyphs) if c is not None]
    segments = []
    for c, gid in mapped:
        if segments and c == segments[-1][1] + 1 and gid == segments[-1][2] + (c - segments[-1][0]):
            segments[-1][1] = c
        else:
            segments.append([c, c, gid])
    segments.append([0xFFFF, 0xFFFF, 0])  # the closing segment; maps 0xFFFF to glyph 0
    n = len(segments)
    search = 2 * (1 << (n.bit_length() - 1))
    selector = n.bit_length() - 1
    body = struct.pack(">HHHH", 2 * n, search, selector, 2 * n - search)
    body += b"".join(struct.pack(">H", s[1]) for s in segments)
    body += struct.pack(">H", 0)
    body += b"".join(struct.pack(">H", s[0]) for s in segments)
    body += b"".join(struct.pack(">H", (s[2] - s[0]) & 0xFFFF) for s in segments)
    body += b"".join(struct.pack(">H", 0) for _ in segments)
    sub = struct.pack(">HHH", 4, 6 + len(body), 0) + body
    return struct.pack(">HHHHI", 0, 1, 3, 1, 12) + sub


def make_name():
    names = {1: FAMILY, 2: "Regular", 3: FAMILY + " Regular", 4: FAMILY + " Regular", 5: "Version 1.0",
             6: FAMILY.replace(" ", "") + "-Regular"}
    records = b""
    strings = b""
    for nid in sorted(names):
        s = names[nid].encode("utf-16-be")
        records += struct.pack(">HHHHHH", 3, 1, 0x409, nid, len(s), len(strings))
        strings += s
    return struct.pack(">HHH", 0, len(names), 6 + 12 * len(names)) + records + strings


def make_os2(glyphs, avg_width):
    codes = [c for c, _, _ in glyphs if c is not None]
    return struct.pack(
        ">HhHHHhhhhhhhhhhh10sIIII4sHHHhhhHHIIhhHHH",
        4, avg_width, 400, 5, 0,
        512, 512, 0, 128, 512, 512, 0, 448, 64, 320, 0,
        bytes(10),
        0x00000003, 0x08020000, 0x00000010, 0,  # Latin, katakana, ideographs, half-width forms
        b"QBTF", 0x0040,
        min(codes), min(max(codes), 0xFFFF),
        ASCENT, -DESCENT, 0, ASCENT, DESCENT,
        0x00020001, 0,                  # code pages: Latin 1 and Japanese (Shift-JIS)
        640, 640, 0, 0x20, 1)


def build():
    glyphs = glyph_table()
    glyf, loca = make_glyf_loca(glyphs)
    advances = [a for _, a, _ in glyphs]
    all_points = [c for _, _, cs in glyphs for c in cs]
    x0, y0, x1, y1 = bounds(all_points)
    num = len(glyphs)
    max_points = max(sum(len(c) for c in cs) for _, _, cs in glyphs)
    max_contours = max(len(cs) for _, _, cs in glyphs)
    hmtx = b"".join(struct.pack(">Hh", a, bounds(cs)[0]) for _, a, cs in glyphs)
    tables = {
        b"OS/2": make_os2(glyphs, sum(advances) // len(advances)),
        b"cmap": make_cmap(glyphs),
        b"glyf": glyf,
        b"head": struct.pack(">IIIIHHqqhhhhHHhhh", 0x00010000, 0x00010000, 0, 0x5F0F3CF5, 0x000B, UNITS_PER_EM,
                             0, 0, x0, y0, x1, y1, 0, 8, 2, 1, 0),
        b"hhea": struct.pack(">IhhhHhhhhhhhhhhhH", 0x00010000, ASCENT, -DESCENT, 0, max(advances), 0, 0, x1, 1, 0, 0,
                             0, 0, 0, 0, 0, num),
        b"hmtx": hmtx,
        b"loca": loca,
        b"maxp": struct.pack(">IHHHHHHHHHHHHHH", 0x00010000, num, max_points, max_contours, 0, 0, 2, 0, 0, 0, 0, 0,
                             0, 0, 0),
        b"name": make_name(),
        b"post": struct.pack(">IIhhIIIII", 0x00030000, 0, -128, 64, 0, 0, 0, 0, 0),
        b"prep": bytes([0x00]),  # SVTCA[y]: a no-op that marks the font as natively hinted
    }
    tags = sorted(tables)
    n = len(tags)
    search = 16 * (1 << (n.bit_length() - 1))
    header = struct.pack(">IHHHH", 0x00010000, n, search, n.bit_length() - 1, 16 * n - search)
    offset = 12 + 16 * n
    directory = b""
    body = b""
    for tag in tags:
        data = tables[tag]
        directory += struct.pack(">4sIII", tag, checksum(data), offset + len(body), len(data))
        body += pad4(data)
    font = bytearray(header + directory + body)
    adjust = (0xB1B0AFBA - checksum(bytes(font))) & 0xFFFFFFFF
    head_offset = offset + sum(len(pad4(tables[t])) for t in tags[: tags.index(b"head")])
    font[head_offset + 8: head_offset + 12] = struct.pack(">I", adjust)
    return bytes(font)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    default = os.path.join(here, "..", "tests", "platform", "fonts", "TestFont.ttf")
    path = sys.argv[1] if len(sys.argv) > 1 else default
    with open(path, "wb") as f:
        f.write(build())


if __name__ == "__main__":
    main()
