"""The large pictures: the main window background, the dialog frames and the
colour palette. Backgrounds and frames are SVG drawings; the palette is computed
pixel by pixel because the colour dialog picks the colour under the pointer."""

import colorsys

import layout as L
from pngio import Image
from widgets import ACCENT, ACCENT_HI, ACCENT_LO, LINE, LINE_HI, document, vgrad

FONT = 'font-family="DejaVu Sans"'


def _rect(r, **attrs):
    a = " ".join(f'{k.replace("_", "-")}="{v}"' for k, v in attrs.items())
    return f'<rect x="{r[0]}" y="{r[1]}" width="{r[2] - r[0]}" height="{r[3] - r[1]}" {a}/>'


def logo_mark(x, y, size, stroke=2.2):
    """The chevron mark shared by the icon, the title strip and the mouse's palm."""
    h = size / 2
    return (f'<path d="M{x - h} {y - h * 0.62} L{x} {y + h * 0.62} L{x + h} {y - h * 0.62}" fill="none" '
            f'stroke="{ACCENT_HI}" stroke-width="{stroke}" stroke-linecap="round" stroke-linejoin="round"/>')


def main_background(scale=1):
    w, h = L.WIDTH, L.HEIGHT
    cx, cy = L.STAGE_CENTRE
    defs = (vgrad("base", "#121418", "#0a0b0d")
            + vgrad("card", "#15171b", "#111316")
            + vgrad("title", "#16181c", "#111316")
            + f'<radialGradient id="stage" cx="{cx}" cy="{cy}" r="330" gradientUnits="userSpaceOnUse">'
              f'<stop offset="0" stop-color="{ACCENT}" stop-opacity="0.16"/>'
              f'<stop offset="0.55" stop-color="{ACCENT}" stop-opacity="0.05"/>'
              f'<stop offset="1" stop-color="{ACCENT}" stop-opacity="0"/></radialGradient>'
            + '<linearGradient id="rule" x1="0" y1="0" x2="1" y2="0">'
              f'<stop offset="0" stop-color="{ACCENT}" stop-opacity="0.9"/>'
              f'<stop offset="1" stop-color="{ACCENT}" stop-opacity="0"/></linearGradient>'
            + '<filter id="soft" x="-0.5" y="-2" width="2" height="5"><feGaussianBlur stdDeviation="9"/></filter>')
    b = [f'<rect width="{w}" height="{h}" fill="url(#base)"/>',
         f'<rect width="{w}" height="{h}" fill="url(#stage)"/>']
    # Stage: a faint dial around the mouse picture and a floor shadow.
    for r, colour, opacity, extra in [(258, "#ffffff", 0.05, 'stroke-dasharray="1 5"'),
                                      (236, ACCENT, 0.22, ""),
                                      (214, "#ffffff", 0.035, "")]:
        b.append(f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="none" stroke="{colour}" stroke-opacity="{opacity}" '
                 f'stroke-width="1" {extra}/>')
    for angle in range(0, 360, 30):
        b.append(f'<path d="M{cx} {cy - 236 - 4} V{cy - 236 + 4}" stroke="{ACCENT}" stroke-opacity="0.35" '
                 f'stroke-width="1.2" transform="rotate({angle} {cx} {cy})"/>')
    b.append(f'<ellipse cx="{cx}" cy="{L.MOUSE[3] - 4}" rx="96" ry="10" fill="#000000" fill-opacity="0.8" '
             'filter="url(#soft)"/>')
    # Wordmark above the stage.
    b.append(f'<text x="{cx}" y="96" text-anchor="middle" {FONT} font-size="26" font-weight="bold" '
             f'letter-spacing="12" fill="#e8ebef" fill-opacity="0.92">VELMIRA</text>')
    b.append(f'<text x="{cx}" y="118" text-anchor="middle" {FONT} font-size="10" letter-spacing="7" '
             f'fill="{ACCENT_HI}">WIRELESS</text>')
    # Title strip.
    b.append(_rect(L.TITLE_BAR, fill="url(#title)"))
    b.append(f'<path d="M0 {L.TITLE_BAR[3] - 0.5} H{w}" stroke="#1f2328" stroke-width="1"/>')
    b.append(f'<path d="M24 {L.TITLE_BAR[3] - 0.5} H278" stroke="url(#rule)" stroke-width="1"/>')
    b.append(logo_mark(44, 15, 13, 2))
    b.append(f'<text x="58" y="19.5" {FONT} font-size="10.5" letter-spacing="3.2" fill="#7d848f">'
             '<tspan font-weight="bold" fill="#d6dae0">VELMIRA</tspan><tspan dx="8">ORVANE</tspan></text>')
    # Cards that hold the two columns.
    for card in (L.LEFT_CARD, L.RIGHT_CARD):
        x0, y0, x1, y1 = card
        b.append(f'<rect x="{x0 + 0.5}" y="{y0 + 0.5}" width="{x1 - x0 - 1}" height="{y1 - y0 - 1}" rx="8" '
                 f'fill="url(#card)" stroke="#1e2227" stroke-width="1"/>')
        b.append(f'<path d="M{x0 + 8} {y0 + 1.5} H{x1 - 8}" stroke="#ffffff" stroke-opacity="0.04" stroke-width="1"/>')
    # Hairlines over the version text and the reset button.
    b.append(f'<path d="M{L.LEFT_X0} 693.5 H{L.LEFT_X1}" stroke="{LINE}" stroke-width="1"/>')
    b.append(f'<path d="M{L.SECTION_X0} 693.5 H{L.SECTION_X1}" stroke="{LINE}" stroke-width="1"/>')
    return document(w, h, "".join(b), scale=scale, defs=defs)


def panel_frame():
    """Frame_Lighting_Setting: stretched whole into every panel (230 x 43 up to
    262 x 205), so it has no detail that stretching would spoil."""
    w, h = 230, 82
    defs = vgrad("g", "#181b20", "#141619")
    body = (f'<rect width="{w}" height="{h}" fill="#0f1013"/>'
            f'<rect x="0.5" y="0" width="{w - 1}" height="{h - 0.5}" rx="3" fill="url(#g)" stroke="{LINE}" '
            'stroke-width="1"/>'
            f'<path d="M1 1.5 H{w - 1}" stroke="#ffffff" stroke-opacity="0.03" stroke-width="1"/>')
    return document(w, h, body, scale=1, defs=defs)


def dialog_frame(w, h, title_h, footer_top=None, extra=""):
    defs = (vgrad("g", "#181a1f", "#111316") + vgrad("t", "#1f2228", "#181a1f")
            + '<linearGradient id="rule" x1="0" y1="0" x2="1" y2="0">'
              f'<stop offset="0" stop-color="{ACCENT}"/><stop offset="0.6" stop-color="{ACCENT}" stop-opacity="0.15"/>'
              f'<stop offset="1" stop-color="{ACCENT}" stop-opacity="0"/></linearGradient>')
    b = [f'<rect width="{w}" height="{h}" fill="url(#g)"/>',
         f'<rect width="{w}" height="{title_h}" fill="url(#t)"/>',
         f'<path d="M0 {title_h - 0.5} H{w}" stroke="url(#rule)" stroke-width="1"/>']
    if footer_top is not None:
        b.append(f'<rect y="{footer_top}" width="{w}" height="{h - footer_top}" fill="#000000" fill-opacity="0.18"/>')
        b.append(f'<path d="M0 {footer_top + 0.5} H{w}" stroke="{LINE}" stroke-width="1"/>')
    b.append(extra)
    b.append(f'<rect x="0.5" y="0.5" width="{w - 1}" height="{h - 1}" fill="none" stroke="{LINE_HI}" stroke-width="1"/>')
    b.append(f'<path d="M1 1.5 H{w - 1}" stroke="#ffffff" stroke-opacity="0.06" stroke-width="1"/>')
    return document(w, h, "".join(b), scale=1, defs=defs)


def common_frame():
    return dialog_frame(429, 140, 28)


def warning_frame():
    return dialog_frame(319, 102, 24)


def macro_manager_frame():
    w, h = 528, 365
    options = (f'<rect x="360.5" y="44.5" width="160" height="215" rx="4" fill="#000000" fill-opacity="0.16" '
               f'stroke="{LINE}" stroke-width="1"/>'
               f'<path d="M368 78.5 H512" stroke="{LINE}" stroke-width="1"/>'
               f'<path d="M368 104.5 H512" stroke="{LINE}" stroke-width="1"/>'
               f'<path d="M368 219.5 H512" stroke="{LINE}" stroke-width="1"/>')
    return dialog_frame(w, h, 26, footer_top=328, extra=options)


def progress_frame(filled):
    """Frame_progress_nr/_ov: identical except inside rows 66 to 77, the band the
    progress dialog copies from the _ov picture as the bar fills."""
    groove = ('<rect x="20" y="66" width="389" height="12" rx="6" fill="#0a0b0d"/>'
              '<rect x="20.5" y="66.5" width="388" height="11" rx="5.5" fill="none" stroke="#262a30" stroke-width="1"/>')
    if filled:
        groove += ('<linearGradient id="bar" x1="0" y1="0" x2="1" y2="0">'
                   f'<stop offset="0" stop-color="{ACCENT_LO}"/><stop offset="1" stop-color="{ACCENT_HI}"/></linearGradient>'
                   '<rect x="20" y="66" width="389" height="12" rx="6" fill="url(#bar)"/>'
                   '<path d="M25 67.5 H404" stroke="#ffffff" stroke-opacity="0.35" stroke-width="1"/>')
    return dialog_frame(429, 140, 28, extra=groove)


# ---- colour palette (resource) ----------------------------------------------

PALETTE_SIZE = (500, 291)
PALETTE_BG = (0x0F, 0x0F, 0x0F)
SPECTRUM = (18, 26, 222, 270)
SWATCH_AREA = (244, 26, 474, 190)
SWATCHES = [
    ["FF8080", "FFFF80", "80FF80", "00FF80", "80FFFF", "0080FF", "FF80C0", "FF80FF"],
    ["FF0000", "FFFF00", "80FF00", "00FF40", "00FFFF", "0080C0", "8080C0", "FF00FF"],
    ["804040", "FF8040", "00FF00", "008080", "004080", "8080FF", "800040", "FF0080"],
    ["800000", "FF8000", "008000", "008040", "0000FF", "0000A0", "800080", "8000FF"],
    ["400000", "804000", "004000", "004040", "000080", "000040", "400040", "400080"],
    ["000000", "808000", "808040", "808080", "408080", "C0C0C0", "400040", "FFFFFF"],
]
BOTTOM_SATURATION = 0.03


def spectrum_colour(x, y):
    x0, y0, x1, y1 = SPECTRUM
    hue = (x - x0) / (x1 - x0)
    sat = 1.0 - (1.0 - BOTTOM_SATURATION) * (y - y0) / (y1 - y0 - 1)
    r, g, b = colorsys.hls_to_rgb(hue % 1.0, 0.5, sat)
    return round(r * 255), round(g * 255), round(b * 255)


def palette_decoration():
    """What surrounds the pickable areas: frames, the preview well, R G B boxes."""
    w, h = PALETTE_SIZE
    sx0, sy0, sx1, sy1 = SPECTRUM
    b = [f'<rect x="0.5" y="0.5" width="{w - 1}" height="{h - 1}" fill="none" stroke="{LINE_HI}" stroke-width="1"/>',
         f'<rect x="{sx0 - 2.5}" y="{sy0 - 2.5}" width="{sx1 - sx0 + 5}" height="{sy1 - sy0 + 5}" rx="2" '
         f'fill="none" stroke="{LINE}" stroke-width="1"/>',
         f'<rect x="243.5" y="210.5" width="61" height="61" rx="2" fill="#000000" stroke="{LINE_HI}" stroke-width="1"/>']
    for i, (letter, top) in enumerate([("R", 212), ("G", 235), ("B", 258)]):
        colour = ["#e05a5a", "#5ad07a", "#5aa8e0"][i]
        b.append(f'<text x="313" y="{top + 13}" text-anchor="middle" {FONT} font-size="11" font-weight="bold" '
                 f'fill="{colour}">{letter}</text>')
        b.append(f'<rect x="320.5" y="{top + 0.5}" width="53" height="17" rx="2" fill="#141619" '
                 f'stroke="{LINE}" stroke-width="1"/>')
    return document(w, h, "".join(b), scale=1)


def palette(decoration):
    """The palette picture: `decoration` (an Image of the same size, straight
    alpha) goes over the background first; the spectrum, the swatches and the
    gaps between them are then written exactly, whatever the decoration holds."""
    w, h = PALETTE_SIZE
    img = Image(w, h, fill=PALETTE_BG + (255,))
    img.over(decoration)
    for y in range(h):
        for x in range(w):
            if img.px[(y * w + x) * 4 + 3] != 255:
                img.set(x, y, img.get(x, y)[:3] + (255,))
    img.fill_rect(*SWATCH_AREA, PALETTE_BG + (255,))
    for r, row in enumerate(SWATCHES):
        for c, hexa in enumerate(row):
            rgb = tuple(int(hexa[i:i + 2], 16) for i in (0, 2, 4))
            left, top = 244 + 30 * c, 26 + 29 * r
            img.fill_rect(left, top, left + 20, top + 20, rgb + (255,))
    sx0, sy0, sx1, sy1 = SPECTRUM
    for y in range(sy0, sy1):
        for x in range(sx0, sx1):
            img.set(x, y, spectrum_colour(x, y) + (255,))
    return img
