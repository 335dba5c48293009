#!/usr/bin/env python3
"""Checks a picture written by render-month against the template's background.

    check_render.py RENDER.png BACKGROUND.png DESCRIPTION.txt [REFERENCE.png]

DESCRIPTION is render-month's standard output. Checked: the picture has the
background's size; its corner is fully transparent and the middle of the card
is not; one pixel on today's ring and one in each memo dot show the ring's and
the dot's colour composited over the background. With REFERENCE (the same
month drawn with --in-place, every text drawn anew rather than laid from
the picture of it kept), every pixel must lie within a few levels of it, so
that laying kept pictures changes nothing to be seen. Exits 1 with a message on the first failure.
"""
import struct
import sys
import zlib


def read_png(path):
    """(width, height, rows of (r, g, b, a)) for 8-bit RGB or RGBA PNGs."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("%s is not a PNG" % path)
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace:
        raise ValueError("%s: unsupported PNG form (depth %d, colour %d)" % (path, depth, colour))
    channels = 4 if colour == 6 else 3
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous, pos = [], bytearray(stride), 0
    for _ in range(height):
        kind, line = raw[pos], bytearray(raw[pos + 1:pos + 1 + stride])
        pos += 1 + stride
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            up_left = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                p = left + up - up_left
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - up_left)
                line[i] = (line[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else up_left)) & 0xFF
        rows.append([tuple(line[x * channels:x * channels + channels]) + ((255,) if channels == 3 else ())
                     for x in range(width)])
        previous = line
    return width, height, rows


def over(colour, alpha, below):
    """Straight-alpha source-over of an (a, r, g, b) paint onto an (r, g, b, a) pixel."""
    a = alpha / 255
    below_a = below[3] / 255
    out_a = a + below_a * (1 - a)
    rgb = [(colour[i] * a + below[i] * below_a * (1 - a)) / out_a for i in range(3)]
    return tuple(round(v) for v in rgb) + (round(out_a * 255),)


def close(actual, expected, tolerance):
    return all(abs(a - e) <= tolerance for a, e in zip(actual, expected))


# How far a pixel may lie from the texts drawn anew. The same pictures, laid
# through the same code, leave no difference at all; these bounds are what a
# rounding in laying them could add.
MOST_LEVELS = 4
MOST_ODD_PIXELS = 10
MOST_LEVELS_OF_ODD_PIXELS = 16


def compare(picture, reference):
    """A list of failures of the picture against the reference, the largest
    difference and how many pixels go beyond MOST_LEVELS."""
    worst, odd = (0, None), 0
    for y, (row, ref_row) in enumerate(zip(picture, reference)):
        for x, (p, r) in enumerate(zip(row, ref_row)):
            d = max(abs(a - b) for a, b in zip(p, r))
            if d > MOST_LEVELS:
                odd += 1
            if d > worst[0]:
                worst = (d, (x, y, p, r))
    failures = []
    if worst[0] > MOST_LEVELS_OF_ODD_PIXELS:
        x, y, p, r = worst[1]
        failures.append("pixel (%d, %d) is %r, %d levels from the in-place drawing's %r" % (x, y, p, worst[0], r))
    if odd > MOST_ODD_PIXELS:
        failures.append("%d pixels differ by more than %d levels from the in-place drawing" % (odd, MOST_LEVELS))
    return failures, worst[0], odd


def main():
    render_path, background_path, description_path = sys.argv[1:4]
    reference_path = sys.argv[4] if len(sys.argv) > 4 else None
    width, height, picture = read_png(render_path)
    bg_width, bg_height, background = read_png(background_path)
    shapes = [line.split() for line in open(description_path, encoding="utf-8", errors="replace")]
    failures = []

    if (width, height) != (bg_width, bg_height):
        failures.append("size %dx%d differs from the background's %dx%d" % (width, height, bg_width, bg_height))
    if picture[0][0][3] != 0:
        failures.append("the corner (0, 0) is not transparent: %r" % (picture[0][0],))
    middle = picture[height // 2][width // 2]
    if middle[3] < 128:
        failures.append("the middle of the card is transparent: %r" % (middle,))

    rings = [s for s in shapes if s and s[0] == "ring"]
    dots = [s for s in shapes if s and s[0] == "dot"]
    if len(rings) != 1:
        failures.append("expected one ring, found %d" % len(rings))
    if not dots:
        failures.append("no memo dot")
    for kind, x, y, paint in (
            [("ring", int(r[1]) - 1, (int(r[2]) + int(r[4])) // 2, r) for r in rings] +
            [("dot", int(d[1]) + 2, int(d[2]) + 2, d) for d in dots]):
        alpha, colour = int(paint[5]), tuple(int(v) for v in paint[6:9])
        expected = over(colour, alpha, background[y][x])
        if not close(picture[y][x], expected, 4):
            failures.append("%s pixel (%d, %d) is %r, expected %r" % (kind, x, y, picture[y][x], expected))

    compared = ""
    if reference_path:
        ref_width, ref_height, reference = read_png(reference_path)
        if (ref_width, ref_height) != (width, height):
            failures.append("size differs from the in-place drawing")
        else:
            more, worst, beyond = compare(picture, reference)
            failures += more
            compared = "; %d levels at most from the in-place drawing, %d pixels over %d" % (worst, beyond, MOST_LEVELS)

    for failure in failures:
        print("%s: %s" % (render_path, failure))
    if not failures:
        print("%s: ring, memo dot and transparency as expected%s" % (render_path, compared))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
