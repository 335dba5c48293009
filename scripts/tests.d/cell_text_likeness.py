#!/usr/bin/env python3
"""How closely the texts of a month window's day cells, as a screenshot shows
them, match the same texts rasterised cleanly: each text drawn by FreeType
(through Pillow) at eight times its size, where hinting moves no stroke by
more than a fraction of a pixel, and reduced to its size, so that strokes a
rasteriser lost or merged at the small size stand out.

    cell_text_likeness.py WINDOW.png LAYOUT.txt CONFIG.ini DPI

WINDOW.png is the month window alone (its top-left corner at 0, 0), LAYOUT.txt
what `solvane-cli layout` says it draws (96-DPI boxes), CONFIG.ini the
template's, DPI the screen's (96, 144 ...). Prints one line per text, "score
ROLE DAY TEXT" with the score the best normalised cross-correlation of the
text's ink with its reference over a few pixels and sub-pixel phases around
its box (1 is the same picture), then "mean M worst W TEXT".
"""
import sys

import numpy as np
from PIL import Image, ImageDraw, ImageFont

# The font files Wine draws the template's families with (its own Tahoma; the
# Chinese families are mapped to WenQuanYi Micro Hei in the test prefixes).
FONT_FILES = {
    ("tahoma", False): ("/usr/share/wine/fonts/tahoma.ttf", 0),
    ("tahoma", True): ("/usr/share/wine/fonts/tahomabd.ttf", 0),
    ("microsoft yahei", False): ("/usr/share/fonts/truetype/wqy/wqy-microhei.ttc", 0),
}

# Which template keys style a text of each role of the layout listing; the
# role's own colour keys (festival, solar term) override the line's.
ROLE_STYLE = {
    "day": ("DAYROW", None),
    "lunar": ("DAYROW2", None),
    "festival": ("DAYROW2", "JIERI"),
    "solarterm": ("DAYROW2", "JIEQI"),
}

OVERSAMPLE = 8
PHASES = (0, 2, 4, 6)  # sub-pixel offsets tried, in eighths of a pixel
MARGIN = 4  # pixels around the box searched for the text


def settings(path):
    values = {}
    for line in open(path, encoding="gbk", errors="replace"):
        if "=" in line and not line.lstrip().startswith(";"):
            key, value = line.split("=", 1)
            values[key.strip().upper()] = value.strip()
    return values


def scaled(value, dpi):  # value × dpi / 96, half away from zero, as the program scales
    return (value * dpi + 48) // 96 if value >= 0 else -((-value * dpi + 48) // 96)


def colour(text):
    return np.array([int(v) & 0xFF for v in text.split(",")[:3]], dtype=float)


def style_of(values, role):
    line, override = ROLE_STYLE[role]
    family = values.get(line + "_FONT_FAMILY", "Tahoma").lower()
    bold = values.get(line + "_FONT_BOLD", "0") not in ("", "0")
    size = int(values.get(line + "_FONT_SIZE", "15"))
    fill = values.get(line + "_FONT_COLOR", "0,0,0")
    halo = values.get(line + "_FONT_SHADOW", "255,255,255")
    if override:
        fill = values.get(override + "_FONT_COLOR", fill)
        halo = values.get(override + "_FONT_SHADOW", halo)
    return FONT_FILES[(family, bold)], size, colour(fill), colour(halo)


def texts(layout):
    """(role, day, box, text, size or None) of the cells' texts, and the boxes of the badges."""
    found, badges, day = [], [], 0
    for line in open(layout, encoding="utf-8"):
        parts = line.split()
        if len(parts) < 4 or parts[0] != "text":
            continue
        role, box, text = parts[1], tuple(int(v) for v in parts[2].split(",")), parts[3]
        if role in ("day", "today"):
            day = int(text)
        if role == "offday" or role == "mark":
            badges.append(box)
        if role in ROLE_STYLE:
            digits = "".join(c for c in parts[4] if c.isdigit()) if len(parts) > 4 else ""
            found.append((role, day, box, text, int(digits) if digits else None))
    return found, badges


def reference(font, text, phase_x, phase_y):
    """The text's coverage at its size, drawn at (phase_x, phase_y) eighths of a pixel."""
    left, top, right, bottom = font.getbbox(text)
    width = (right - left + OVERSAMPLE * 3) // OVERSAMPLE * OVERSAMPLE
    height = (bottom - top + OVERSAMPLE * 3) // OVERSAMPLE * OVERSAMPLE
    picture = Image.new("L", (width, height), 0)
    ImageDraw.Draw(picture).text((OVERSAMPLE + phase_x - left, OVERSAMPLE + phase_y - top), text, fill=255, font=font)
    return np.asarray(picture.reduce(OVERSAMPLE), dtype=float) / 255


def drawn_text(font, text, width):
    """What the box shows of a text too long for it: the characters that fit."""
    while len(text) > 1 and font.getlength(text) / OVERSAMPLE > width:
        text = text[:-1]
    return text


def best_likeness(ink, mask, template):
    """The highest normalised cross-correlation of the template over the ink, unmasked pixels only."""
    th, tw = template.shape
    if ink.shape[0] < th or ink.shape[1] < tw:
        return 0.0
    windows = np.lib.stride_tricks.sliding_window_view(ink, (th, tw))
    weights = np.lib.stride_tricks.sliding_window_view(mask, (th, tw))
    count = weights.sum(axis=(2, 3))
    count[count == 0] = 1
    t = template[None, None] * weights
    mean_w = (windows * weights).sum(axis=(2, 3)) / count
    mean_t = t.sum(axis=(2, 3)) / count
    dw = (windows - mean_w[..., None, None]) * weights
    dt = (template[None, None] - mean_t[..., None, None]) * weights
    numerator = (dw * dt).sum(axis=(2, 3))
    denominator = np.sqrt((dw * dw).sum(axis=(2, 3)) * (dt * dt).sum(axis=(2, 3)))
    denominator[denominator == 0] = 1
    return float((numerator / denominator).max())


def main():
    window_path, layout_path, config_path, dpi = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
    values = settings(config_path)
    window = np.asarray(Image.open(window_path).convert("RGB"), dtype=float)
    found, badges = texts(layout_path)
    badge_mask = np.ones(window.shape[:2])
    for l, t, r, b in badges:
        badge_mask[scaled(t, dpi):scaled(b, dpi), scaled(l, dpi):scaled(r, dpi)] = 0
    scores = []
    fonts = {}
    for role, day, box, text, size in found:
        (path, index), template_size, fill, halo = style_of(values, role)
        size = scaled(size or template_size, dpi)
        if (path, size) not in fonts:
            fonts[(path, size)] = ImageFont.truetype(path, size * OVERSAMPLE, index=index)
        font = fonts[(path, size)]
        l, t, r, b = (scaled(v, dpi) for v in box)
        shown = drawn_text(font, text, r - l)
        top, left = max(t - MARGIN, 0), max(l - MARGIN, 0)
        crop = window[top:b + MARGIN, left:r + MARGIN]
        # How far each pixel is from the halo towards the fill colour: 0 on
        # the halo, 1 on the glyphs' fill.
        towards = fill - halo
        ink = np.clip(((crop - halo) * towards).sum(axis=2) / max((towards * towards).sum(), 1), -0.5, 1.5)
        mask = badge_mask[top:b + MARGIN, left:r + MARGIN]
        score = max(best_likeness(ink, mask, reference(font, shown, px, py)) for px in PHASES for py in PHASES)
        scores.append((score, role, day, shown))
        print(f"{score:.3f} {role} {day} {shown}")
    if not scores:
        print("mean 0 worst 0 -")
        return
    worst = min(scores)
    print(f"mean {sum(s[0] for s in scores) / len(scores):.3f} worst {worst[0]:.3f} {worst[3]}")


if __name__ == "__main__":
    main()
