#!/usr/bin/env python3
"""Draws the program's icons and the shipped tray-icon templates.

    python3 tools/icon-art/draw_icons.py

Writes, from the same shapes at every size:
  resources/icons/calendar.ico   application icon (16 ... 256 pixels)
  resources/icons/notice.ico     bell of the notification window (48, 32, 16)
  resources/icons/memo.ico       note shown before each memo (16, 32)
  data/Ostrel/SystemTray/<name>.png and .ini   16 x 16 tray templates; the
      program writes today's day number into the box given by RECT.

Only the standard library; the raster core is the one the month skins use
(tools/skin-art/draw_skins.py). Run it again after changing a shape rather
than editing the pictures by hand.
"""
import importlib.util
import math
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))

_spec = importlib.util.spec_from_file_location("draw_skins", os.path.join(HERE, "..", "skin-art", "draw_skins.py"))
skins = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(skins)
Canvas, clamp01, rounded_rect_distance = skins.Canvas, skins.clamp01, skins.rounded_rect_distance


def scaled(rect, s):
    return tuple(v * s for v in rect)


def solid(rgb, alpha=1.0):
    return lambda x, y: (rgb, alpha)


def gradient(top_rgb, bottom_rgb, top, bottom, alpha=1.0):
    return skins.vertical_gradient(top_rgb, bottom_rgb, top, bottom, alpha)


def page(canvas, rect, radius, colour):
    canvas.fill((rect[0] - 1, rect[1] - 1, rect[2] + 1, rect[3] + 1),
                lambda x, y: clamp01(0.5 - rounded_rect_distance(x, y, rect, radius)), colour)


def page_band(canvas, rect, radius, band_bottom, colour):
    """The part of a rounded page above band_bottom (its coloured header)."""
    def coverage(x, y):
        return clamp01(0.5 - rounded_rect_distance(x, y, rect, radius)) * clamp01(band_bottom - y + 0.5)
    canvas.fill((rect[0] - 1, rect[1] - 1, rect[2] + 1, band_bottom + 1), coverage, colour)


def outline(canvas, rect, radius, width, rgb, alpha):
    skins.rounded_outline(canvas, rect, radius, width, rgb, alpha)


# ------------------------------------------------------------------- icons

def calendar_icon(size):
    """A desk-calendar leaf: red header with two binder rings, a crescent moon."""
    s = size
    c = Canvas(s, s)
    leaf = scaled((0.07, 0.13, 0.93, 0.95), s)
    radius = 0.16 * s
    if s >= 32:
        skins.soft_shadow(c, leaf, radius, 0.05 * s, 0.025 * s, (60, 20, 10), 0.35)
    page(c, leaf, radius, gradient((255, 253, 247), (244, 236, 222), leaf[1], leaf[3]))
    page_band(c, leaf, radius, 0.42 * s, gradient((226, 72, 52), (184, 36, 28), leaf[1], 0.42 * s))
    outline(c, leaf, radius, max(0.6, 0.02 * s), (140, 30, 20), 0.45)
    for cx in (0.32, 0.68):
        skins.disc(c, cx * s, 0.15 * s, 0.075 * s, (92, 24, 18), 0.95)
        skins.disc(c, cx * s, 0.13 * s, 0.035 * s, (255, 236, 224), 0.9)
    skins.crescent(c, 0.47 * s, 0.69 * s, 0.19 * s, (222, 148, 22), 1.0)
    if s >= 48:
        skins.disc(c, 0.70 * s, 0.60 * s, 0.025 * s, (222, 148, 22), 0.8)
        skins.disc(c, 0.76 * s, 0.76 * s, 0.018 * s, (222, 148, 22), 0.6)
    return c


def notice_icon(size):
    """A bell with its clapper, for the notification window."""
    s = size
    c = Canvas(s, s)

    def bell(x, y):
        u, v = x / s, y / s
        dome = clamp01((0.20 * s + 0.5) - math.hypot(x - 0.5 * s, y - 0.34 * s)) if v <= 0.40 else 0.0
        if 0.30 <= v <= 0.76:
            t = (v - 0.30) / 0.46
            half = 0.20 + 0.15 * t ** 2.2
            body = clamp01((half - abs(u - 0.5)) * s + 0.5) * clamp01((0.76 - v) * s + 0.5)
        else:
            body = 0.0
        rim = clamp01(0.5 - rounded_rect_distance(x, y, scaled((0.12, 0.70, 0.88, 0.80), s), 0.05 * s))
        return max(dome, body, rim)

    shade = gradient((255, 206, 84), (238, 142, 18), 0.12 * s, 0.80 * s)
    skins.disc(c, 0.5 * s, 0.12 * s, 0.06 * s, (176, 96, 8), 1.0)
    c.fill((0, 0, s, s), bell, shade)
    skins.disc(c, 0.5 * s, 0.86 * s, 0.075 * s, (176, 96, 8), 1.0)
    if s >= 32:
        skins.strokes(c, [[(0.36 * s, 0.32 * s), (0.33 * s, 0.58 * s)]], 0.05 * s, (255, 244, 210), 0.7)
    return c


def memo_icon(size):
    """A yellow note with a turned-down corner and three lines of writing."""
    s = size
    c = Canvas(s, s)
    note = scaled((0.10, 0.06, 0.90, 0.94), s)
    fold = 0.28 * s

    diagonal = note[2] + note[3] - fold

    def sheet(x, y):
        inside = clamp01(0.5 - rounded_rect_distance(x, y, note, 0.08 * s))
        return inside * (1.0 - clamp01(x + y - diagonal + 0.5))

    def turned_corner(x, y):
        return (clamp01(x - (note[2] - fold) + 0.5) * clamp01(y - (note[3] - fold) + 0.5)
                * clamp01(diagonal - (x + y) + 0.5))
    c.fill((0, 0, s, s), sheet, gradient((255, 236, 128), (250, 206, 64), note[1], note[3]))
    c.fill((0, 0, s, s), turned_corner, solid((222, 168, 40)))
    width = max(0.9, 0.07 * s)
    for i, right in enumerate((0.76, 0.76, 0.52)):
        y = (0.30 + i * 0.18) * s
        skins.strokes(c, [[(0.24 * s, y), (right * s, y)]], width, (150, 104, 24), 0.85)
    return c


# ----------------------------------------------------------- tray templates

TRAY_TEMPLATES = [
    {
        # A tear-off calendar leaf: red header, white page, black number.
        "name": "RedPage",
        "comment": "white calendar leaf with a red header",
        "draw": lambda c: (
            page(c, (0.5, 0.5, 15.5, 15.5), 2.5, solid((255, 255, 255))),
            page_band(c, (0.5, 0.5, 15.5, 15.5), 2.5, 4.5, gradient((232, 70, 50), (196, 36, 28), 0, 5)),
            outline(c, (0.5, 0.5, 15.5, 15.5), 2.5, 1.0, (150, 28, 20), 0.9),
        ),
        # The box reaches below the icon: a line of Tahoma is taller than its
        # em, and a box shorter than the line would push the digits down.
        "ini": {"FONT_FAMILY": "Tahoma", "RECT": "0,3,16,17", "FONT_COLOR": "34,34,34",
                "FONT_SHADOW": "255,255,255", "FONT_SHADOW_HEIGHT": 2, "FONT_SIZE": 10, "FONT_BOLD": 1},
    },
    {
        # A blue tile with a white number, for dark and light task bars alike.
        "name": "BlueTile",
        "comment": "blue rounded tile with a white number",
        "draw": lambda c: (
            page(c, (0.5, 0.5, 15.5, 15.5), 3.5, gradient((72, 150, 232), (24, 88, 184), 0, 16)),
            outline(c, (0.5, 0.5, 15.5, 15.5), 3.5, 1.0, (12, 52, 120), 0.85),
        ),
        "ini": {"FONT_FAMILY": "Tahoma", "RECT": "0,0,16,16", "FONT_COLOR": "255,255,255",
                "FONT_SHADOW": "8,40,96", "FONT_SHADOW_HEIGHT": 2, "FONT_SIZE": 10, "FONT_BOLD": 1},
    },
    {
        # A night-blue disc with a golden number, matching the "Night" skin.
        "name": "NightMoon",
        "comment": "night-blue disc with a golden number",
        "draw": lambda c: (
            skins.disc(c, 8, 8, 7.5, (30, 36, 56), 1.0),
            skins.rounded_outline(c, (0.5, 0.5, 15.5, 15.5), 7.5, 1.0, (236, 204, 132), 0.9),
        ),
        "ini": {"FONT_FAMILY": "Tahoma", "RECT": "0,0,16,16", "FONT_COLOR": "255,220,140",
                "FONT_SHADOW": "0,0,0", "FONT_SHADOW_HEIGHT": 2, "FONT_SIZE": 10, "FONT_BOLD": 1},
    },
]


def tray_ini(template):
    lines = ["; Tray icon template \"%s\": %s." % (template["name"], template["comment"]),
             "; Drawn by tools/icon-art/draw_icons.py; RECT is the box of today's day number.",
             "[Settings]"]
    lines += ["%s=%s" % (k, v) for k, v in template["ini"].items()]
    return "\r\n".join(lines) + "\r\n"


# -------------------------------------------------------------- ICO writer

def straight_rgba(canvas):
    out = []
    for r, g, b, a in canvas.px:
        if a <= 0.0:
            out.append((0, 0, 0, 0))
        else:
            out.append((round(clamp01(r / a) * 255), round(clamp01(g / a) * 255),
                        round(clamp01(b / a) * 255), round(clamp01(a) * 255)))
    return out


def dib_image(canvas):
    """32-bit BGRA DIB with its AND mask, as an ICO entry holds it (bottom-up)."""
    w, h = canvas.width, canvas.height
    pixels = straight_rgba(canvas)
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    mask = bytearray()
    mask_stride = ((w + 31) // 32) * 4
    for y in range(h - 1, -1, -1):
        row_mask = bytearray(mask_stride)
        for x in range(w):
            r, g, b, a = pixels[y * w + x]
            colour += bytes((b, g, r, a))
            if a == 0:
                row_mask[x // 8] |= 0x80 >> (x % 8)
        mask += row_mask
    return header + bytes(colour) + bytes(mask)


def write_ico(path, canvases):
    images = [(c.width, c.png() if c.width >= 256 else dib_image(c)) for c in canvases]
    offset = 6 + 16 * len(images)
    data = struct.pack("<HHH", 0, 1, len(images))
    for size, image in images:
        data += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    data += b"".join(image for _, image in images)
    with open(path, "wb") as f:
        f.write(data)
    print("wrote", os.path.relpath(path, ROOT))


def main():
    icons = os.path.join(ROOT, "resources", "icons")
    os.makedirs(icons, exist_ok=True)
    write_ico(os.path.join(icons, "calendar.ico"), [calendar_icon(s) for s in (256, 64, 48, 32, 24, 16)])
    write_ico(os.path.join(icons, "notice.ico"), [notice_icon(s) for s in (48, 32, 16)])
    write_ico(os.path.join(icons, "memo.ico"), [memo_icon(s) for s in (32, 16)])

    tray = os.path.join(ROOT, "data", "Ostrel", "SystemTray")
    os.makedirs(tray, exist_ok=True)
    for template in TRAY_TEMPLATES:
        canvas = Canvas(16, 16)
        template["draw"](canvas)
        with open(os.path.join(tray, template["name"] + ".png"), "wb") as f:
            f.write(canvas.png())
        with open(os.path.join(tray, template["name"] + ".ini"), "w", newline="") as f:
            f.write(tray_ini(template))
        print("wrote", os.path.relpath(os.path.join(tray, template["name"]), ROOT) + ".png/.ini")

    # Large previews to look at the art (not shipped).
    if len(sys.argv) > 1:
        preview = sys.argv[1]
        os.makedirs(preview, exist_ok=True)
        for name, draw in (("calendar", calendar_icon), ("notice", notice_icon), ("memo", memo_icon)):
            for s in (16, 32, 48, 128):
                with open(os.path.join(preview, "%s_%d.png" % (name, s)), "wb") as f:
                    f.write(draw(s).png())


if __name__ == "__main__":
    main()
