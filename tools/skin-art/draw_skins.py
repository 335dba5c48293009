#!/usr/bin/env python3
"""Draws the shipped month templates: backgroud.png and config.ini of each.

Only the standard library: shapes are rasterised from signed distances with
one pixel of anti-aliasing, composited in premultiplied RGBA, and written as
an 8-bit RGBA PNG through zlib. The rectangles in config.ini come from the
same numbers as the picture, so the arrows, boxes and list area always line
up with what the program draws.

    python3 tools/skin-art/draw_skins.py [output folder]

The output folder defaults to data/Ostrel/Templates of this checkout. Each
picture is drawn twice from the same shapes: backgroud.png at the template's
size and backgroud@2x.png at double size, for screens of 175 % and more
(edges one pixel soft at either size, not an enlarged copy).
"""
import math
import os
import struct
import sys
import zlib

WIDTH, HEIGHT = 360, 500
PANEL = (10, 8, 350, 490)      # the visible card; the margin holds its shadow
RADIUS = 16
HEADER_BOTTOM = 72
BODY = (18, 80, 342, 380)
WEEKDAY_ROW = 24
LIST_BOX = (18, 388, 342, 484)
LIST_RECT = (26, 392, 334, 482)
LIST_ITEM_HEIGHT = 18
YEAR_BACK, YEAR_SHOW, YEAR_NEXT = (18, 24, 40, 56), (40, 24, 100, 60), (120, 24, 142, 56)
YEAR_GLYPH = (102, 32)         # top-left of the 16 x 16 年
MONTH_BACK, MONTH_SHOW, MONTH_NEXT = (214, 24, 236, 56), (236, 19, 286, 65), (316, 24, 338, 56)
MONTH_GLYPH = (290, 34)        # top-left of the 16 x 16 月
# Between the year and the month: the round 今 button that brings today back.
TODAY = (166, 28, 190, 52)
TODAY_GLYPH = (170, 32)        # top-left of the 16 x 16 今


# ---------------------------------------------------------------- raster core

# Pixels of the picture per template pixel while a picture is drawn: 1, or 2
# for the double-size one. Shapes are given in template pixels.
SCALE = 1


def clamp01(v):
    return 0.0 if v < 0.0 else 1.0 if v > 1.0 else v


def edge(inside):
    """Coverage of a pixel whose centre lies `inside` template pixels within a
    shape's edge (negative: outside): one picture pixel of anti-aliasing."""
    return clamp01(0.5 + inside * SCALE)


def smoothstep(e0, e1, x):
    t = clamp01((x - e0) / (e1 - e0))
    return t * t * (3 - 2 * t)


def rounded_rect_distance(px, py, rect, radius):
    """Signed distance from a point to a rounded rectangle (negative inside)."""
    l, t, r, b = rect
    cx, cy = (l + r) / 2, (t + b) / 2
    hx, hy = (r - l) / 2 - radius, (b - t) / 2 - radius
    qx, qy = abs(px - cx) - hx, abs(py - cy) - hy
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - radius


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else clamp01(((px - ax) * dx + (py - ay) * dy) / length2)
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


class Canvas:
    """Premultiplied RGBA floats, row-major."""

    def __init__(self, width, height):
        self.width, self.height = width, height
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(width * height)]

    def blend(self, x, y, rgb, alpha):
        """Source-over of a straight colour (0-255) with coverage-scaled alpha."""
        if alpha <= 0.0 or not (0 <= x < self.width and 0 <= y < self.height):
            return
        p = self.px[y * self.width + x]
        keep = 1.0 - alpha
        p[0] = rgb[0] / 255 * alpha + p[0] * keep
        p[1] = rgb[1] / 255 * alpha + p[1] * keep
        p[2] = rgb[2] / 255 * alpha + p[2] * keep
        p[3] = alpha + p[3] * keep

    def fill(self, bounds, coverage, colour):
        """coverage(x, y) -> 0..1 at pixel centres; colour(x, y) -> (rgb, alpha);
        bounds and both functions in template pixels."""
        l, t, r, b = (max(0, int(bounds[0] * SCALE)), max(0, int(bounds[1] * SCALE)),
                      min(self.width, int(math.ceil(bounds[2] * SCALE))),
                      min(self.height, int(math.ceil(bounds[3] * SCALE))))
        for y in range(t, b):
            for x in range(l, r):
                cx, cy = (x + 0.5) / SCALE, (y + 0.5) / SCALE
                c = coverage(cx, cy)
                if c > 0.0:
                    rgb, alpha = colour(cx, cy)
                    self.blend(x, y, rgb, alpha * c)

    def png(self):
        rows = bytearray()
        for y in range(self.height):
            rows.append(0)
            for x in range(self.width):
                r, g, b, a = self.px[y * self.width + x]
                if a <= 0.0:
                    rows += b"\0\0\0\0"
                    continue
                # PNG stores straight alpha.
                rows += bytes((round(clamp01(r / a) * 255), round(clamp01(g / a) * 255),
                               round(clamp01(b / a) * 255), round(clamp01(a) * 255)))

        def chunk(kind, data):
            return (struct.pack(">I", len(data)) + kind + data
                    + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 6, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                + chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b""))


# ------------------------------------------------------------------- shapes

def rounded_rect(canvas, rect, radius, colour):
    canvas.fill((rect[0] - 1, rect[1] - 1, rect[2] + 1, rect[3] + 1),
                lambda x, y: edge(-rounded_rect_distance(x, y, rect, radius)), colour)


def rounded_outline(canvas, rect, radius, width, rgb, alpha):
    def coverage(x, y):
        return edge(width / 2 - abs(rounded_rect_distance(x, y, rect, radius)))
    canvas.fill((rect[0] - 2, rect[1] - 2, rect[2] + 2, rect[3] + 2), coverage, lambda x, y: (rgb, alpha))


def soft_shadow(canvas, rect, radius, blur, offset, rgb, alpha):
    moved = (rect[0], rect[1] + offset, rect[2], rect[3] + offset)

    def coverage(x, y):
        return 1.0 - smoothstep(-blur * 0.6, blur, rounded_rect_distance(x, y, moved, radius))
    canvas.fill((0, 0, canvas.width, canvas.height), coverage, lambda x, y: (rgb, alpha))


def strokes(canvas, polylines, width, rgb, alpha, origin=(0, 0), scale=1.0):
    segments = []
    for line in polylines:
        points = [(origin[0] + px * scale, origin[1] + py * scale) for px, py in line]
        segments += [(a[0], a[1], b[0], b[1]) for a, b in zip(points, points[1:])]
    xs = [v for s in segments for v in (s[0], s[2])]
    ys = [v for s in segments for v in (s[1], s[3])]
    pad = width + 2

    def coverage(x, y):
        d = min(segment_distance(x, y, *s) for s in segments)
        return edge(width / 2 - d)
    canvas.fill((min(xs) - pad, min(ys) - pad, max(xs) + pad, max(ys) + pad), coverage,
                lambda x, y: (rgb, alpha))


def disc(canvas, cx, cy, radius, rgb, alpha):
    canvas.fill((cx - radius - 1, cy - radius - 1, cx + radius + 1, cy + radius + 1),
                lambda x, y: edge(radius - math.hypot(x - cx, y - cy)), lambda x, y: (rgb, alpha))


def centre(rect):
    return (rect[0] + rect[2]) / 2, (rect[1] + rect[3]) / 2


def chevron(canvas, rect, pointing_left, rgb, alpha):
    cx, cy = centre(rect)
    s = -1 if pointing_left else 1
    strokes(canvas, [[(cx - 3 * s, cy - 6), (cx + 3 * s, cy), (cx - 3 * s, cy + 6)]], 2.2, rgb, alpha)


# Our own stroke drawings of the two characters the picture carries, on a
# 16 x 16 grid (the numbers beside them are written by the program).
GLYPH_NIAN = [
    [(5.6, 0.8), (3.0, 5.2)],
    [(4.6, 3.2), (14.2, 3.2)],
    [(5.0, 7.2), (12.6, 7.2)],
    [(5.0, 7.2), (5.0, 11.0)],
    [(1.4, 11.0), (14.6, 11.0)],
    [(9.2, 3.2), (9.2, 15.6)],
]
GLYPH_JIN = [
    [(8.0, 0.8), (1.2, 7.0)],
    [(8.0, 0.8), (14.8, 7.0)],
    [(6.2, 6.4), (9.8, 6.4)],
    [(3.4, 9.6), (11.8, 9.6), (7.6, 15.4)],
]
GLYPH_YUE = [
    [(4.4, 1.6), (4.4, 10.2), (3.8, 12.8), (2.2, 15.2)],
    [(4.4, 1.6), (12.2, 1.6), (12.2, 14.2), (10.6, 15.2)],
    [(4.4, 6.0), (12.2, 6.0)],
    [(4.4, 10.2), (12.2, 10.2)],
]


def plum_blossom(canvas, cx, cy, rgb, alpha):
    for i in range(5):
        angle = -math.pi / 2 + i * 2 * math.pi / 5
        disc(canvas, cx + 5.2 * math.cos(angle), cy + 5.2 * math.sin(angle), 4.2, rgb, alpha)
    disc(canvas, cx, cy, 2.0, rgb, min(1.0, alpha * 1.6))


def crescent(canvas, cx, cy, radius, rgb, alpha):
    def coverage(x, y):
        inside = edge(radius - math.hypot(x - cx, y - cy))
        cut = edge(radius * 0.85 - math.hypot(x - cx - radius * 0.45, y - cy - radius * 0.25))
        return inside * (1.0 - cut)
    canvas.fill((cx - radius - 1, cy - radius - 1, cx + radius + 1, cy + radius + 1), coverage,
                lambda x, y: (rgb, alpha))


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def vertical_gradient(top_rgb, bottom_rgb, top, bottom, alpha):
    return lambda x, y: (mix(top_rgb, bottom_rgb, clamp01((y - top) / (bottom - top))), alpha)


# -------------------------------------------------------------------- skins

def panel_and_header(canvas, skin):
    soft_shadow(canvas, PANEL, RADIUS, 9, 3, skin["shadow"], skin["shadow_alpha"])
    body_top, body_bottom = skin["panel_gradient"]
    rounded_rect(canvas, PANEL, RADIUS, vertical_gradient(body_top, body_bottom, PANEL[1], PANEL[3],
                                                         skin["panel_alpha"]))
    head_top, head_bottom = skin["header_gradient"]
    header_colour = vertical_gradient(head_top, head_bottom, PANEL[1], HEADER_BOTTOM, skin["header_alpha"])

    def header_coverage(x, y):
        return edge(-rounded_rect_distance(x, y, PANEL, RADIUS)) * edge(HEADER_BOTTOM - y)
    canvas.fill((PANEL[0], PANEL[1], PANEL[2], HEADER_BOTTOM + 1), header_coverage, header_colour)
    # A hairline of light along the card's top edge and a rim around it.
    rounded_outline(canvas, (PANEL[0] + 1, PANEL[1] + 1, PANEL[2] - 1, PANEL[3] - 1), RADIUS - 1, 1.0,
                    (255, 255, 255), skin["rim_alpha"])


def header_marks(canvas, skin):
    ink, alpha = skin["header_ink"], 0.92
    chevron(canvas, YEAR_BACK, True, ink, alpha)
    chevron(canvas, YEAR_NEXT, False, ink, alpha)
    chevron(canvas, MONTH_BACK, True, ink, alpha)
    chevron(canvas, MONTH_NEXT, False, ink, alpha)
    strokes(canvas, GLYPH_NIAN, 1.7, ink, alpha, origin=YEAR_GLYPH)
    strokes(canvas, GLYPH_YUE, 1.7, ink, alpha, origin=MONTH_GLYPH)
    # The 今 button: a soft disc with a rim, the character on it.
    cx, cy = centre(TODAY)
    radius = (TODAY[2] - TODAY[0]) / 2
    disc(canvas, cx, cy, radius, ink, 0.16)
    rounded_outline(canvas, TODAY, radius, 1.2, ink, 0.7)
    strokes(canvas, GLYPH_JIN, 1.6, ink, alpha, origin=TODAY_GLYPH)


def body_marks(canvas, skin):
    band = (BODY[0], BODY[1], BODY[2], BODY[1] + WEEKDAY_ROW)
    rounded_rect(canvas, band, 7, lambda x, y: (skin["accent"], skin["band_alpha"]))
    rounded_rect(canvas, LIST_BOX, 9, lambda x, y: (skin["accent"], skin["list_alpha"]))
    rounded_outline(canvas, LIST_BOX, 9, 1.0, skin["accent"], skin["list_rim_alpha"])


LIGHT = {
    "name": "Default",
    "display": "经典",  # what the settings dialog offers it as
    "shadow": (70, 25, 15), "shadow_alpha": 0.38,
    "panel_gradient": ((255, 252, 246), (249, 242, 232)), "panel_alpha": 0.93,
    "header_gradient": ((212, 64, 48), (176, 34, 28)), "header_alpha": 0.96,
    "rim_alpha": 0.35,
    "header_ink": (255, 246, 236),
    "accent": (196, 54, 40), "band_alpha": 0.11, "list_alpha": 0.06, "list_rim_alpha": 0.16,
    "ornament": lambda c: plum_blossom(c, 178, 40, (255, 226, 200), 0.12),
    "config": {
        "TOOLTIP_BKCOLOR": "255,251,242", "TOOLTIP_TEXTCOLOR": "96,32,22",
        "YEARSHOW_FONT": ("Tahoma", 20, 1, "255,255,255", "120,20,14", 5),
        "MONTHSHOW_FONT": ("Tahoma", 30, 1, "255,255,255", "120,20,14", 6),
        "WEEKDAYROW_FONT": ("Microsoft YaHei", 13, 1, "168,44,32", "255,255,255", 3),
        "DAYROW_FONT": ("Tahoma", 16, 1, "52,48,46", "255,255,255", 4),
        "Today": ("204,32,22", "255,255,255", 5),
        "Saturday_FONT_COLOR": "184,84,58", "Sunday_FONT_COLOR": "184,84,58",
        "DAYROW2_FONT": ("Microsoft YaHei", 12, 0, "128,118,110", "255,255,255", 3),
        "JieRi": ("214,48,36", "255,240,230", 3),
        "JieQi": ("28,128,92", "236,255,244", 3),
        "Today_ELLIPSE_COLOR": "70,214,48,36",
        "ReminderFlagColor": "235,255,140,0",
        "FOCUS_RING_COLOR": "230,30,110,220",
        "LISTITEM_FONT": ("Microsoft YaHei", 12, 0, "150,52,38", "255,255,255", 3),
        "LISTITEM_STRING_Alignment": 0,
    },
}

DARK = {
    "name": "Night",
    "display": "夜色",
    "shadow": (0, 0, 0), "shadow_alpha": 0.55,
    "panel_gradient": ((34, 40, 58), (20, 23, 36)), "panel_alpha": 0.88,
    "header_gradient": ((48, 56, 84), (30, 35, 56)), "header_alpha": 0.95,
    "rim_alpha": 0.14,
    "header_ink": (236, 204, 132),
    "accent": (236, 204, 132), "band_alpha": 0.10, "list_alpha": 0.06, "list_rim_alpha": 0.18,
    "ornament": lambda c: crescent(c, 178, 40, 16, (236, 204, 132), 0.14),
    "config": {
        "TOOLTIP_BKCOLOR": "34,40,58", "TOOLTIP_TEXTCOLOR": "236,226,204",
        "YEARSHOW_FONT": ("Tahoma", 20, 1, "244,214,146", "0,0,0", 5),
        "MONTHSHOW_FONT": ("Tahoma", 30, 1, "244,214,146", "0,0,0", 6),
        "WEEKDAYROW_FONT": ("Microsoft YaHei", 13, 1, "206,186,140", "0,0,0", 3),
        "DAYROW_FONT": ("Tahoma", 16, 1, "234,238,246", "0,0,0", 5),
        "Today": ("255,214,120", "0,0,0", 5),
        "Saturday_FONT_COLOR": "246,170,146", "Sunday_FONT_COLOR": "246,170,146",
        "DAYROW2_FONT": ("Microsoft YaHei", 12, 0, "146,156,178", "0,0,0", 4),
        "JieRi": ("255,128,112", "40,0,0", 4),
        "JieQi": ("120,214,170", "0,30,20", 4),
        "Today_ELLIPSE_COLOR": "80,244,200,110",
        "ReminderFlagColor": "240,96,176,255",
        "FOCUS_RING_COLOR": "235,120,190,255",
        "LISTITEM_FONT": ("Microsoft YaHei", 12, 0, "226,208,166", "0,0,0", 4),
        "LISTITEM_STRING_Alignment": 0,
    },
}


def rect_value(rect):
    return ",".join(str(v) for v in rect)


def config_text(skin):
    c = skin["config"]
    lines = [
        "; Month template \"%s\" (%d x %d). Drawn by tools/skin-art/draw_skins.py;" % (skin["name"], WIDTH, HEIGHT),
        "; change the numbers there and run it again rather than editing by hand.",
        "[Settings]",
        "DISPLAY_NAME=" + skin["display"],
        "TOOLTIP_BKCOLOR=" + c["TOOLTIP_BKCOLOR"],
        "TOOLTIP_TEXTCOLOR=" + c["TOOLTIP_TEXTCOLOR"],
        "YEARBACK=" + rect_value(YEAR_BACK),
        "YEARNEXT=" + rect_value(YEAR_NEXT),
        "MONTHBACK=" + rect_value(MONTH_BACK),
        "MONTHNEXT=" + rect_value(MONTH_NEXT),
        "TODAY=" + rect_value(TODAY),
        "YEARSHOW=" + rect_value(YEAR_SHOW),
        "MONTHSHOW=" + rect_value(MONTH_SHOW),
        "BODY=" + rect_value(BODY),
        "HEIGHTWEEKDAYROW=%d" % WEEKDAY_ROW,
        "LISTRECT=" + rect_value(LIST_RECT),
        "LISTITEMHEIGHT=%d" % LIST_ITEM_HEIGHT,
        "LISTITEM_STRING_Alignment=%d" % c["LISTITEM_STRING_Alignment"],
    ]
    for element in ("YEARSHOW_FONT", "MONTHSHOW_FONT", "WEEKDAYROW_FONT", "DAYROW_FONT", "DAYROW2_FONT",
                    "LISTITEM_FONT"):
        family, size, bold, colour, shadow, height = c[element]
        lines += [
            "%s_FAMILY=%s" % (element, family),
            "%s_SIZE=%d" % (element, size),
            "%s_BOLD=%d" % (element, bold),
            "%s_COLOR=%s" % (element, colour),
            "%s_SHADOW=%s" % (element, shadow),
            "%s_SHADOW_HEIGHT=%d" % (element, height),
        ]
    for override in ("Today", "JieRi", "JieQi"):
        colour, shadow, height = c[override]
        lines += [
            "%s_FONT_COLOR=%s" % (override, colour),
            "%s_FONT_SHADOW=%s" % (override, shadow),
            "%s_FONT_SHADOW_HEIGHT=%d" % (override, height),
        ]
    # Weekend days keep the day numbers' halo; only their colour differs.
    lines += ["%s=%s" % (key, c[key]) for key in ("Saturday_FONT_COLOR", "Sunday_FONT_COLOR")]
    lines += [
        "Today_ELLIPSE_COLOR=" + c["Today_ELLIPSE_COLOR"],
        "ReminderFlagColor=" + c["ReminderFlagColor"],
        "FOCUS_RING_COLOR=" + c["FOCUS_RING_COLOR"],
    ]
    return "\r\n".join(lines) + "\r\n"


def at_scale(scale, draw_picture, width, height):
    """The PNG of draw_picture(canvas) drawn `scale` times as large."""
    global SCALE
    SCALE = scale
    try:
        canvas = Canvas(width * scale, height * scale)
        draw_picture(canvas)
        return canvas.png()
    finally:
        SCALE = 1


def draw(skin, scale=1):
    def picture(canvas):
        panel_and_header(canvas, skin)
        skin["ornament"](canvas)
        header_marks(canvas, skin)
        body_marks(canvas, skin)
    return at_scale(scale, picture, WIDTH, HEIGHT)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "data", "Ostrel", "Templates")
    for skin in (LIGHT, DARK):
        folder = os.path.join(out, skin["name"])
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, "backgroud.png"), "wb") as f:
            f.write(draw(skin))
        with open(os.path.join(folder, "backgroud@2x.png"), "wb") as f:
            f.write(draw(skin, 2))
        # The program reads its templates as GBK text, like every file of its own.
        with open(os.path.join(folder, "config.ini"), "w", newline="", encoding="gbk") as f:
            f.write(config_text(skin))
        print("wrote", folder)


if __name__ == "__main__":
    main()
