#!/usr/bin/env python3
"""Draws the program's icons and the shipped tray-icon templates.

    python3 tools/icon-art/draw_icons.py

Writes, from the same shapes at every size:
  resources/icons/calendar.ico   application icon (16 ... 256 pixels)
  resources/icons/notice.ico     bell of the notification window (48, 32, 16)
  resources/icons/memo.ico       note shown before each memo (16, 32)
  resources/icons/festival.ico   lantern before each festival in its manager (16, 32)
  resources/icons/add.ico, edit.ico, delete.ico, save.ico, up.ico, down.ico,
      help.ico                   the buttons of the managers and dialogs (16, 32)
  data/Ostrel/SystemTray/<name>.png and .ini   16 x 16 tray templates; the
      program writes today's day number into the box given by RECT.
  data/Ostrel/SystemTray/<name>@2x.png   the same drawn at 32 x 32, for
      notification areas of 32-pixel icons (200 %).

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
    skins.rounded_rect(canvas, rect, radius, colour)


def page_band(canvas, rect, radius, band_bottom, colour):
    """The part of a rounded page above band_bottom (its coloured header)."""
    def coverage(x, y):
        return skins.edge(-rounded_rect_distance(x, y, rect, radius)) * skins.edge(band_bottom - y)
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


# ------------------------------------------------------------ dialog icons
#
# One flat family: a round badge in a strong colour with a white symbol, a
# hairline of a darker shade around it and a soft light from above, so the
# buttons read alike at 16 pixels; the pencil, the disk and the lantern are
# drawn as objects in the same colours.

GREEN = ((92, 190, 88), (46, 142, 52), (30, 100, 36))
RED = ((240, 96, 80), (200, 48, 40), (140, 28, 24))
BLUE = ((86, 160, 238), (36, 110, 206), (22, 72, 150))


def badge(c, s, colours):
    top, bottom, rim = colours
    cx = cy = 0.5 * s
    radius = 0.44 * s
    c.fill((0, 0, s, s), lambda x, y: clamp01(radius + 0.5 - math.hypot(x - cx, y - cy)),
           gradient(top, bottom, cx - radius, cy + radius))
    ring = max(0.8, 0.05 * s)
    c.fill((0, 0, s, s), lambda x, y: clamp01(ring / 2 + 0.5 - abs(math.hypot(x - cx, y - cy) - radius + ring / 2)),
           solid(rim, 0.55))
    # A soft highlight on the upper half.
    c.fill((0, 0, s, s),
           lambda x, y: clamp01(0.36 * s + 0.5 - math.hypot(x - cx, y - 0.36 * s)) * clamp01((0.5 * s - y) / (0.3 * s)),
           solid((255, 255, 255), 0.18))


def symbol_width(s):
    return max(2.0, 0.14 * s)


def add_icon(size):
    s = size
    c = Canvas(s, s)
    badge(c, s, GREEN)
    w = symbol_width(s)
    skins.strokes(c, [[(0.27 * s, 0.5 * s), (0.73 * s, 0.5 * s)], [(0.5 * s, 0.27 * s), (0.5 * s, 0.73 * s)]],
                  w, (255, 255, 255), 1.0)
    return c


def delete_icon(size):
    s = size
    c = Canvas(s, s)
    badge(c, s, RED)
    w = symbol_width(s)
    a, b = 0.32 * s, 0.68 * s
    skins.strokes(c, [[(a, a), (b, b)], [(a, b), (b, a)]], w, (255, 255, 255), 1.0)
    return c


def arrow_icon(size, up):
    s = size
    c = Canvas(s, s)
    badge(c, s, BLUE)
    w = symbol_width(s)
    tip, base = (0.28, 0.72) if up else (0.72, 0.28)
    head = 0.50 if up else 0.50
    skins.strokes(c, [[(0.5 * s, tip * s), (0.5 * s, base * s)]], w, (255, 255, 255), 1.0)
    skins.strokes(c, [[(0.29 * s, head * s), (0.5 * s, tip * s), (0.71 * s, head * s)]], w, (255, 255, 255), 1.0)
    return c


def help_icon(size):
    s = size
    c = Canvas(s, s)
    badge(c, s, BLUE)
    w = symbol_width(s) * 0.9
    hook = [(0.5 * s + 0.13 * s * math.cos(a), 0.38 * s + 0.12 * s * math.sin(a))
            for a in [math.pi * (1.0 + i / 8.0) for i in range(0, 13)]]
    hook += [(0.5 * s, 0.56 * s), (0.5 * s, 0.62 * s)]
    skins.strokes(c, [hook], w, (255, 255, 255), 1.0)
    skins.disc(c, 0.5 * s, 0.76 * s, w * 0.62, (255, 255, 255), 1.0)
    return c


def edit_icon(size):
    """A pencil lying from the lower left to the upper right."""
    s = size
    c = Canvas(s, s)
    ax, ay, bx, by = 0.16 * s, 0.84 * s, 0.84 * s, 0.16 * s  # tip, end
    length = math.hypot(bx - ax, by - ay)
    ux, uy = (bx - ax) / length, (by - ay) / length
    half = 0.13 * s

    def along(x, y):
        return (x - ax) * ux + (y - ay) * uy, abs(-(x - ax) * uy + (y - ay) * ux)

    def part(start, end, width_at):
        def coverage(x, y):
            t, d = along(x, y)
            if t < start - 1 or t > end + 1:
                return 0.0
            return clamp01(width_at(t) + 0.5 - d) * clamp01(t - start + 0.5) * clamp01(end - t + 0.5)
        return coverage

    tip_len = 0.24 * s
    lead_len = 0.09 * s
    body_end = length - 0.16 * s
    # Shadow, body, ferrule, eraser, wood, lead.
    c.fill((0, 0, s, s), part(tip_len, body_end, lambda t: half), gradient((255, 198, 64), (236, 148, 20), 0, s))
    c.fill((0, 0, s, s), part(body_end, length - 0.10 * s, lambda t: half), solid((170, 176, 186)))
    c.fill((0, 0, s, s), part(length - 0.10 * s, length, lambda t: half), solid((236, 112, 110)))
    c.fill((0, 0, s, s), part(lead_len, tip_len, lambda t: half * t / tip_len), solid((246, 222, 180)))
    c.fill((0, 0, s, s), part(0, lead_len, lambda t: half * t / tip_len), solid((60, 60, 70)))
    # A darker edge along the lower side of the body for depth.
    def edge(x, y):
        t, _ = along(x, y)
        side = -(x - ax) * uy + (y - ay) * ux
        return clamp01(t - tip_len + 0.5) * clamp01(body_end - t + 0.5) * clamp01(0.6 - abs(side + half * 0.55) * 1.2)
    c.fill((0, 0, s, s), edge, solid((196, 110, 10), 0.45))
    return c


def save_icon(size):
    """A blue disk with its white label and metal shutter."""
    s = size
    c = Canvas(s, s)
    body = scaled((0.10, 0.10, 0.90, 0.90), s)
    page(c, body, 0.10 * s, gradient(BLUE[0], BLUE[1], body[1], body[3]))
    outline(c, body, 0.10 * s, max(0.8, 0.045 * s), BLUE[2], 0.6)
    page(c, scaled((0.27, 0.10, 0.73, 0.38), s), 0.03 * s, solid((226, 232, 240)))
    page(c, scaled((0.56, 0.15, 0.66, 0.33), s), 0.015 * s, solid((70, 90, 120)))
    page(c, scaled((0.22, 0.52, 0.78, 0.90), s), 0.04 * s, solid((255, 255, 255)))
    if s >= 32:
        for y in (0.64, 0.76):
            skins.strokes(c, [[(0.32 * s, y * s), (0.68 * s, y * s)]], 0.04 * s, (150, 170, 200), 0.9)
    return c


def festival_icon(size):
    """A red lantern with golden caps and a tassel."""
    s = size
    c = Canvas(s, s)
    cx, cy, rx, ry = 0.5 * s, 0.53 * s, 0.40 * s, 0.29 * s
    skins.strokes(c, [[(cx, 0.02 * s), (cx, 0.20 * s)]], max(1.0, 0.06 * s), (150, 96, 20), 1.0)
    skins.strokes(c, [[(cx, 0.84 * s), (cx, 0.98 * s)]], max(1.0, 0.07 * s), (222, 150, 24), 1.0)

    def body(x, y):
        return clamp01((1.0 - math.hypot((x - cx) / rx, (y - cy) / ry)) * min(rx, ry) + 0.5)
    c.fill((0, 0, s, s), body, gradient((240, 80, 60), (188, 28, 24), cy - ry, cy + ry))
    ribs = (0.5,) if s < 32 else (0.30, 0.5, 0.70)
    for u in ribs:
        dx = (u - 0.5) / 0.5 * rx * 0.62

        def rib(x, y, dx=dx):
            t = (y - cy) / ry
            if abs(t) >= 1:
                return 0.0
            centre_x = cx + dx * math.sqrt(1 - t * t)
            return clamp01(0.45 - abs(x - centre_x) * 0.9) * body(x, y)
        c.fill((0, 0, s, s), rib, solid((140, 18, 16), 0.55))
    c.fill((0, 0, s, s), lambda x, y: clamp01(0.16 * s + 0.5 - math.hypot(x - cx + 0.14 * s, y - cy + 0.10 * s)) * body(x, y),
           solid((255, 200, 170), 0.25))
    page(c, scaled((0.30, 0.17, 0.70, 0.27), s), 0.03 * s, gradient((255, 214, 90), (214, 150, 22), 0.17 * s, 0.27 * s))
    page(c, scaled((0.30, 0.79, 0.70, 0.89), s), 0.03 * s, gradient((255, 214, 90), (214, 150, 22), 0.79 * s, 0.89 * s))
    return c


DIALOG_ICONS = [
    ("festival", festival_icon), ("add", add_icon), ("edit", edit_icon), ("delete", delete_icon),
    ("save", save_icon), ("up", lambda s: arrow_icon(s, True)), ("down", lambda s: arrow_icon(s, False)),
    ("help", help_icon),
]


# ----------------------------------------------------------- tray templates

TRAY_TEMPLATES = [
    {
        # A tear-off calendar leaf: red header, white page, black number.
        "name": "RedPage",
        "display": "红色日历页",  # what the settings dialog offers it as
        "comment": "white calendar leaf with a red header",
        "draw": lambda c: (
            page(c, (0.5, 0.5, 15.5, 15.5), 2.5, solid((255, 255, 255))),
            page_band(c, (0.5, 0.5, 15.5, 15.5), 2.5, 4.5, gradient((232, 70, 50), (196, 36, 28), 0, 5)),
            outline(c, (0.5, 0.5, 15.5, 15.5), 2.5, 1.0, (150, 28, 20), 0.9),
        ),
        # The box reaches below the icon: a line of Tahoma is taller than its
        # em, and a box shorter than the line would push the digits down.
        # Black on the white page needs no halo; one would cover the page's rim.
        "ini": {"FONT_FAMILY": "Tahoma", "RECT": "0,3,16,17", "FONT_COLOR": "34,34,34",
                "FONT_SHADOW": "255,255,255", "FONT_SHADOW_HEIGHT": 0, "FONT_SIZE": 10, "FONT_BOLD": 1,
                "PIXEL_DIGITS": 1},
    },
    {
        # A blue tile with a white number, for dark and light task bars alike.
        "name": "BlueTile",
        "display": "蓝色方块",
        "comment": "blue rounded tile with a white number",
        "draw": lambda c: (
            page(c, (0.5, 0.5, 15.5, 15.5), 3.5, gradient((72, 150, 232), (24, 88, 184), 0, 16)),
            outline(c, (0.5, 0.5, 15.5, 15.5), 3.5, 1.0, (12, 52, 120), 0.85),
        ),
        "ini": {"FONT_FAMILY": "Tahoma", "RECT": "0,0,16,16", "FONT_COLOR": "255,255,255",
                "FONT_SHADOW": "8,40,96", "FONT_SHADOW_HEIGHT": 2, "FONT_SIZE": 10, "FONT_BOLD": 1,
                "PIXEL_DIGITS": 1},
    },
    {
        # A night-blue disc with a golden number, matching the "Night" skin.
        "name": "NightMoon",
        "display": "夜空圆月",
        "comment": "night-blue disc with a golden number",
        "draw": lambda c: (
            skins.disc(c, 8, 8, 7.5, (30, 36, 56), 1.0),
            skins.rounded_outline(c, (0.5, 0.5, 15.5, 15.5), 7.5, 1.0, (236, 204, 132), 0.9),
        ),
        "ini": {"FONT_FAMILY": "Tahoma", "RECT": "0,0,16,16", "FONT_COLOR": "255,220,140",
                "FONT_SHADOW": "0,0,0", "FONT_SHADOW_HEIGHT": 2, "FONT_SIZE": 10, "FONT_BOLD": 1,
                "PIXEL_DIGITS": 1},
    },
]


# Every style draws its day number in digits made for the pixel grid of the
# icon's size (PIXEL_DIGITS), crisp at 16, 20, 24 and 32 pixels; the FONT_ keys
# stay for their colours and for a program that draws the number in a font.
def tray_ini(template):
    lines = ["; Tray icon template \"%s\": %s." % (template["name"], template["comment"]),
             "; Drawn by tools/icon-art/draw_icons.py; RECT is the box of today's day number.",
             "[Settings]",
             "DISPLAY_NAME=" + template["display"]]
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
    for name, draw in DIALOG_ICONS:
        write_ico(os.path.join(icons, name + ".ico"), [draw(s) for s in (32, 16)])

    tray = os.path.join(ROOT, "data", "Ostrel", "SystemTray")
    os.makedirs(tray, exist_ok=True)
    for template in TRAY_TEMPLATES:
        for scale, suffix in ((1, ""), (2, "@2x")):
            with open(os.path.join(tray, template["name"] + suffix + ".png"), "wb") as f:
                f.write(skins.at_scale(scale, template["draw"], 16, 16))
        with open(os.path.join(tray, template["name"] + ".ini"), "w", newline="", encoding="gbk") as f:
            f.write(tray_ini(template))
        print("wrote", os.path.relpath(os.path.join(tray, template["name"]), ROOT) + ".png/.ini")

    # Large previews to look at the art (not shipped).
    if len(sys.argv) > 1:
        preview = sys.argv[1]
        os.makedirs(preview, exist_ok=True)
        for name, draw in [("calendar", calendar_icon), ("notice", notice_icon), ("memo", memo_icon)] + DIALOG_ICONS:
            for s in (16, 32, 48, 128):
                with open(os.path.join(preview, "%s_%d.png" % (name, s)), "wb") as f:
                    f.write(draw(s).png())


if __name__ == "__main__":
    main()
