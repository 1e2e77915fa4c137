"""SVG drawings of the skin's controls, in design pixels.

Every function returns the body of an SVG document whose user units are design
pixels; `document()` wraps it at the requested render scale. Strokes of width 1
sit on half coordinates so that they stay crisp at scale 1 and 2.
"""

# The colours of the skin. The controls draw their captions in grey B4B4B4,
# white under the pointer and yellow when pressed or checked, so the images stay
# dark and neutral and use the blue accent for focus, hover and "on".
INK = "#0d0e11"        # window base
DEEP = "#101216"       # grooves, fields
PANEL = "#181b20"      # raised surfaces
PANEL_HI = "#20242a"
LINE = "#2b2f36"       # borders
LINE_HI = "#3a3f48"
MUTED = "#7d848f"      # glyphs at rest
ACCENT = "#35a0de"     # 0x00DEA035 in the program's BGR notation
ACCENT_HI = "#5cb8ee"
ACCENT_LO = "#1d6f9f"
ACCENT_DEEP = "#143a52"
DPI_LIT_FILL = "#0a131b"  # red text on it keeps a contrast above 4.5 : 1
RECORD = "#e0464e"
CHARGE = "#4cd07d"


def document(w, h, body, scale=2, defs=""):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{w * scale}" height="{h * scale}" '
            f'viewBox="0 0 {w} {h}"><defs>{defs}</defs>{body}</svg>')


def vgrad(gid, top, bottom, top_opacity=1, bottom_opacity=1):
    return (f'<linearGradient id="{gid}" x1="0" y1="0" x2="0" y2="1">'
            f'<stop offset="0" stop-color="{top}" stop-opacity="{top_opacity}"/>'
            f'<stop offset="1" stop-color="{bottom}" stop-opacity="{bottom_opacity}"/></linearGradient>')


def chevron(cx, cy, size, colour, direction="right", width=1.4):
    s = size
    if direction == "right":
        d = f"M{cx - s / 2} {cy - s} L{cx + s / 2} {cy} L{cx - s / 2} {cy + s}"
    elif direction == "down":
        d = f"M{cx - s} {cy - s / 2} L{cx} {cy + s / 2} L{cx + s} {cy - s / 2}"
    elif direction == "up":
        d = f"M{cx - s} {cy + s / 2} L{cx} {cy - s / 2} L{cx + s} {cy + s / 2}"
    else:
        raise ValueError(direction)
    return (f'<path d="{d}" fill="none" stroke="{colour}" stroke-width="{width}" '
            f'stroke-linecap="round" stroke-linejoin="round"/>')


# Push buttons (button1..4, add, macro record): a soft raised plate.
BUTTON_LOOKS = {
    "nr": dict(top="#2a2e35", bottom="#1d2025", stroke=LINE_HI, shine=0.07),
    "ov": dict(top="#274257", bottom="#1b2c3a", stroke=ACCENT, shine=0.10),
    "dn": dict(top="#16293a", bottom="#1b3447", stroke=ACCENT_HI, shine=0.0),
}


def button(w, h, state, radius=None, glyph=""):
    look = BUTTON_LOOKS[state]
    r = radius if radius is not None else min(4, h / 4)
    defs = vgrad("g", look["top"], look["bottom"])
    body = (f'<rect x="0.5" y="0.5" width="{w - 1}" height="{h - 1}" rx="{r}" fill="url(#g)" '
            f'stroke="{look["stroke"]}" stroke-width="1"/>')
    if look["shine"]:
        body += (f'<path d="M{r + 1} 1.5 H{w - r - 1}" stroke="#ffffff" stroke-opacity="{look["shine"]}" '
                 f'stroke-width="1"/>')
    return document(w, h, body + glyph, defs=defs)


def plus_glyph(cx, cy, size, colour):
    return (f'<path d="M{cx - size} {cy} H{cx + size} M{cx} {cy - size} V{cy + size}" stroke="{colour}" '
            f'stroke-width="1.6" stroke-linecap="round"/>')


def add_button(state):
    w, h = 46, 20
    colour = {"nr": MUTED, "ov": "#ffffff", "dn": ACCENT_HI}[state]
    return button(w, h, state, radius=4, glyph=plus_glyph(w / 2, h / 2, 4.5, colour))


def record_button(state):
    w, h = 90, 18
    dot = {"nr": ("#8a3a3f", 0), "ov": (RECORD, 0), "dn": (RECORD, 0.35)}[state]
    glow = (f'<circle cx="11" cy="9" r="6" fill="{RECORD}" fill-opacity="{dot[1]}"/>' if dot[1] else "")
    glyph = glow + f'<circle cx="11" cy="9" r="3.5" fill="{dot[0]}"/>'
    look = dict(BUTTON_LOOKS[state])
    if state == "dn":
        look = dict(top="#3a1a1e", bottom="#2a1316", stroke=RECORD, shine=0.0)
    defs = vgrad("g", look["top"], look["bottom"])
    body = (f'<rect x="0.5" y="0.5" width="{w - 1}" height="{h - 1}" rx="4" fill="url(#g)" '
            f'stroke="{look["stroke"]}" stroke-width="1"/>')
    return document(w, h, body + glyph, defs=defs)


def header(w, h, state, chevron_dir="right"):
    """Section and panel titles: a bar with an accent tick on the left."""
    top, bottom, stroke, tick = {
        "nr": ("#23272d", "#1a1d22", LINE, ACCENT_LO),
        "ov": ("#283039", "#1d232a", LINE_HI, ACCENT),
        "dn": ("#1f3343", "#182631", ACCENT_LO, ACCENT_HI),
    }[state]
    defs = vgrad("g", top, bottom)
    body = (f'<rect x="0.5" y="0.5" width="{w - 1}" height="{h - 1}" rx="3" fill="url(#g)" '
            f'stroke="{stroke}" stroke-width="1"/>'
            f'<path d="M3.5 1.5 H{w - 3.5}" stroke="#ffffff" stroke-opacity="0.06" stroke-width="1"/>'
            f'<rect x="4" y="7" width="3" height="{h - 14}" rx="1.5" fill="{tick}"/>')
    if chevron_dir:
        colour = {"nr": MUTED, "ov": "#ffffff", "dn": ACCENT_HI}[state]
        body += chevron(w - 13, h / 2, 3.2, colour, chevron_dir)
    return document(w, h, body, defs=defs)


def combo(w, h, frame):
    """The assignment box. Frames: 0 normal, 1 over or menu open, 2 pressed,
    3 and 4 the 'disabled look' at rest and under the pointer."""
    fill_top, fill_bottom, stroke, arrow, split = [
        ("#15171b", "#111317", LINE_HI, MUTED, LINE),
        ("#17222c", "#131b23", ACCENT, "#ffffff", ACCENT_LO),
        ("#132331", "#10202c", ACCENT_HI, ACCENT_HI, ACCENT),
        ("#121316", "#101114", LINE, "#4a4f57", "#202328"),
        ("#16191d", "#121418", LINE_HI, MUTED, LINE),
    ][frame]
    aw = min(h + 2, 22)
    defs = vgrad("g", fill_top, fill_bottom)
    body = (f'<rect x="0.5" y="0.5" width="{w - 1}" height="{h - 1}" rx="3" fill="url(#g)" '
            f'stroke="{stroke}" stroke-width="1"/>'
            f'<path d="M{w - aw + 0.5} 4 V{h - 4}" stroke="{split}" stroke-width="1"/>'
            + chevron(w - aw / 2, h / 2 - 0.5, min(3.2, h / 6), arrow, "down"))
    return document(w, h, body, defs=defs)


def menu_item(w, h, hot, submenu):
    if hot:
        defs = vgrad("g", "#2f8fc9", "#2477aa")
        body = f'<rect x="0" y="0" width="{w}" height="{h}" rx="2" fill="url(#g)"/>'
        body += f'<path d="M2 0.5 H{w - 2}" stroke="#ffffff" stroke-opacity="0.18" stroke-width="1"/>'
        colour = "#ffffff"
    else:
        defs = vgrad("g", "#1c1f24", "#181a1e")
        body = (f'<rect x="0" y="0" width="{w}" height="{h}" fill="url(#g)"/>'
                f'<path d="M6 {h - 0.5} H{w - 6}" stroke="#24272d" stroke-width="1"/>')
        colour = MUTED
    if submenu:
        body += chevron(w - 9, h / 2, 3, colour, "right")
    return document(w, h, body, defs=defs)


def check_box(state, size=11):
    s = size
    if state == "dn":
        defs = vgrad("g", ACCENT_HI, ACCENT_LO)
        body = (f'<rect x="0.5" y="0.5" width="{s - 1}" height="{s - 1}" rx="2.5" fill="url(#g)" '
                f'stroke="{ACCENT_HI}" stroke-width="1"/>'
                f'<path d="M{s * 0.24} {s * 0.52} L{s * 0.43} {s * 0.71} L{s * 0.77} {s * 0.3}" fill="none" '
                f'stroke="#ffffff" stroke-width="1.5" stroke-linecap="round" stroke-linejoin="round"/>')
    else:
        stroke = ACCENT if state == "ov" else "#4a505a"
        defs = vgrad("g", "#111317", "#191c21")
        body = (f'<rect x="0.5" y="0.5" width="{s - 1}" height="{s - 1}" rx="2.5" fill="url(#g)" '
                f'stroke="{stroke}" stroke-width="1"/>')
    return document(s, s, body, defs=defs)


def radio(state, size=15):
    c = size / 2
    stroke = {"nr": "#4a505a", "ov": ACCENT, "dn": ACCENT_HI}[state]
    defs = vgrad("g", "#111317", "#1b1e23") + vgrad("d", ACCENT_HI, ACCENT_LO)
    body = f'<circle cx="{c}" cy="{c}" r="{c - 1}" fill="url(#g)" stroke="{stroke}" stroke-width="1.2"/>'
    if state == "dn":
        body += f'<circle cx="{c}" cy="{c}" r="{c * 0.45}" fill="url(#d)"/>'
    return document(size, size, body, defs=defs)


def window_glyph(kind, state, size=15):
    c = size / 2
    body = ""
    if state != "nr":
        fill = RECORD if kind == "exit" else "#2d3540"
        body += f'<circle cx="{c}" cy="{c}" r="{c}" fill="{fill}"/>'
    colour = "#ffffff" if state != "nr" else "#9aa1ab"
    k = 3.2
    if kind == "exit":
        body += (f'<path d="M{c - k} {c - k} L{c + k} {c + k} M{c + k} {c - k} L{c - k} {c + k}" '
                 f'stroke="{colour}" stroke-width="1.4" stroke-linecap="round"/>')
    else:
        body += f'<path d="M{c - k - 0.5} {c + 0.5} H{c + k + 0.5}" stroke="{colour}" stroke-width="1.4" stroke-linecap="round"/>'
    return document(size, size, body)


def profile_slot(state):
    w, h = 162, 21
    top, bottom, stroke, tick = {
        "nr": ("#1b1e23", "#16181c", LINE, None),
        "ov": ("#22272e", "#1b1f25", LINE_HI, None),
        "nr2": ("#1c3a50", "#15293a", ACCENT_LO, ACCENT),
        "ov2": ("#22475f", "#193246", ACCENT, ACCENT_HI),
    }[state]
    defs = vgrad("g", top, bottom)
    body = (f'<rect x="0.5" y="0.5" width="{w - 1}" height="{h - 1}" rx="3" fill="url(#g)" '
            f'stroke="{stroke}" stroke-width="1"/>')
    if tick:
        body += f'<rect x="1" y="1" width="2.5" height="{h - 2}" rx="1" fill="{tick}"/>'
        body += f'<circle cx="{w - 11}" cy="{h / 2}" r="3" fill="{tick}"/>'
    else:
        body += f'<circle cx="{w - 11}" cy="{h / 2}" r="2.5" fill="none" stroke="#4a505a" stroke-width="1"/>'
    return document(w, h, body, defs=defs)


def slider_bar():
    w, h = 145, 3
    defs = ('<linearGradient id="g" x1="0" y1="0" x2="1" y2="0">'
            f'<stop offset="0" stop-color="{ACCENT_LO}"/><stop offset="1" stop-color="#2b3138"/></linearGradient>')
    body = f'<rect x="0" y="0" width="{w}" height="{h}" rx="1.5" fill="url(#g)"/>'
    return document(w, h, body, defs=defs)


def slider_circle():
    # Drawn at its natural size (13 x 13 design pixels): the slider places it by
    # its pixel size, so it is rendered at scale 1.
    defs = ('<radialGradient id="g" cx="0.4" cy="0.35" r="0.7">'
            f'<stop offset="0" stop-color="#9ad8fb"/><stop offset="0.55" stop-color="{ACCENT}"/>'
            f'<stop offset="1" stop-color="{ACCENT_LO}"/></radialGradient>')
    body = (f'<circle cx="6.5" cy="6.5" r="6" fill="{INK}"/>'
            f'<circle cx="6.5" cy="6.5" r="5" fill="url(#g)" stroke="#d8eefb" stroke-width="1"/>')
    return document(13, 13, body, scale=1, defs=defs)


def dpi_bar(filled):
    """The level gauge, 7 x 132 design pixels at natural size; the fill is cut
    from the bottom up, so it has the same outline as the groove."""
    w, h = 7, 132
    if filled:
        defs = vgrad("g", ACCENT_HI, ACCENT_LO)
        body = (f'<rect x="0.5" y="0.5" width="{w - 1}" height="{h - 1}" rx="2.5" fill="url(#g)" '
                f'stroke="{ACCENT_HI}" stroke-opacity="0.6" stroke-width="1"/>'
                f'<path d="M2 2 V{h - 2}" stroke="#ffffff" stroke-opacity="0.25" stroke-width="1"/>')
    else:
        defs = vgrad("g", "#0c0d10", "#14161a")
        ticks = "".join(f'<path d="M2 {y}.5 H5" stroke="#262a30" stroke-width="1"/>' for y in range(11, h - 4, 12))
        body = (f'<rect x="0.5" y="0.5" width="{w - 1}" height="{h - 1}" rx="2.5" fill="url(#g)" '
                f'stroke="{LINE}" stroke-width="1"/>' + ticks)
    return document(w, h, body, scale=1, defs=defs)


def dpi_value_strip():
    """Three 26 x 11 frames side by side: normal, over, lit. The value is drawn on
    them in grey, or in pure red for the active level, so every fill stays dark
    enough for both (lit is told by its bright border, not by its fill)."""
    w, h = 26, 11
    parts = []
    for k, (fill, stroke) in enumerate([("#131519", LINE), ("#11161c", ACCENT_LO), (DPI_LIT_FILL, ACCENT)]):
        parts.append(f'<rect x="{k * w + 0.5}" y="0.5" width="{w - 1}" height="{h - 1}" rx="3" fill="{fill}" '
                     f'stroke="{stroke}" stroke-width="1"/>')
    return document(3 * w, h, "".join(parts))


def scroll_arrows(direction):
    """Scroll-bar arrow strip: three 18 x 20 frames (normal, over, pressed) at natural size."""
    fw, fh = 18, 20
    parts = []
    looks = [("#16181c", LINE, MUTED), ("#1b2a36", ACCENT_LO, "#ffffff"), (ACCENT_LO, ACCENT, "#ffffff")]
    for k, (fill, stroke, glyph) in enumerate(looks):
        x = k * fw
        parts.append(f'<rect x="{x + 0.5}" y="0.5" width="{fw - 1}" height="{fh - 1}" rx="2" fill="{fill}" '
                     f'stroke="{stroke}" stroke-width="1"/>')
        parts.append(chevron(x + fw / 2, fh / 2, 3.4, glyph, direction, width=1.6))
    return document(3 * fw, fh, "".join(parts), scale=1)


def digit_badge(n, hot, w=21, h=19, scale=2):
    """Row numbers beside the assignment boxes and the highlight numbers drawn
    over the mouse picture share one shape, so the eye links them."""
    if hot:
        c = w / 2
        defs = ('<radialGradient id="g" cx="0.45" cy="0.35" r="0.75">'
                f'<stop offset="0" stop-color="{ACCENT_HI}"/><stop offset="1" stop-color="{ACCENT_LO}"/></radialGradient>')
        body = (f'<circle cx="{c}" cy="{c}" r="{c - 0.2}" fill="{ACCENT}" fill-opacity="0.28"/>'
                f'<circle cx="{c}" cy="{c}" r="{c - 2.5}" fill="url(#g)" stroke="#e6f5ff" stroke-width="1"/>'
                f'<text x="{c}" y="{c + 4.2}" text-anchor="middle" font-family="DejaVu Sans" font-weight="bold" '
                f'font-size="12" fill="#ffffff">{n}</text>')
        return document(w, h, body, scale=scale, defs=defs)
    defs = vgrad("g", "#252930", "#1b1e23")
    body = (f'<rect x="0.5" y="0.5" width="{w - 1}" height="{h - 1}" rx="5" fill="url(#g)" '
            f'stroke="{LINE_HI}" stroke-width="1"/>'
            f'<text x="{w / 2}" y="{h / 2 + 4}" text-anchor="middle" font-family="DejaVu Sans" font-weight="bold" '
            f'font-size="11" fill="#b4b4b4">{n}</text>')
    return document(w, h, body, scale=scale, defs=defs)


def battery(kind):
    """Battery gauge images, 61 x 30 at natural size. The gauge copies columns
    0 to 4 + level/2 of the fill image, so the cell's inside spans exactly
    columns 4 to 53 and every image carries the same outline (while charging
    only the fill and the lightning image are drawn)."""
    w, h = 61, 30
    outline = ('<rect x="2" y="4" width="54" height="22" rx="4" fill="none" stroke="#6a717c" stroke-width="2"/>'
               '<rect x="57" y="10.5" width="3" height="9" rx="1" fill="#6a717c"/>')
    defs = vgrad("full", ACCENT_HI, ACCENT_LO) + vgrad("chg", "#7be3a2", "#2f9e5a") + vgrad("empty", "#0f1114", "#16181c")
    cell = '<rect x="4" y="6" width="50" height="18" rx="2" fill="url(#{})"/>'
    shine = '<path d="M5 7.5 H53" stroke="#ffffff" stroke-opacity="0.25" stroke-width="1"/>'
    if kind == "full":
        body = cell.format("full") + shine + outline
    elif kind == "empty":
        body = cell.format("empty") + outline
    elif kind == "charging":
        body = cell.format("chg") + shine + outline
    elif kind == "lighting":
        bolt = "M31.5 5.5 L21.5 16.5 H28 L25.5 25.5 L36.5 13.5 H30 Z"
        body = (outline + f'<path d="{bolt}" fill="#0d0e11" stroke="#0d0e11" stroke-width="2.4" stroke-linejoin="round"/>'
                f'<path d="{bolt}" fill="#fff4c2" stroke="#ffd84a" stroke-width="0.8" stroke-linejoin="round"/>')
    else:
        raise ValueError(kind)
    return document(w, h, body, scale=1, defs=defs)


def insert_menu_icon(kind):
    """Icons of the action-insert menu (left, right, middle click, delay, key),
    16 x 16 at natural size, centred in the menu's 25-pixel icon column."""
    s = 16
    lit, dim = ACCENT_HI, "#5a616b"
    if kind in ("left", "right", "middle"):
        shell = "M8 1.5 C11.6 1.5 13 3.8 13 7 V10 C13 13 11 14.5 8 14.5 C5 14.5 3 13 3 10 V7 C3 3.8 4.4 1.5 8 1.5 Z"
        body = f'<path d="{shell}" fill="#1b1e23" stroke="{dim}" stroke-width="1.1"/>'
        if kind == "left":
            body += f'<path d="M7.5 2.1 C4.9 2.3 3.6 4.2 3.6 7 V7.6 H7.5 Z" fill="{lit}"/>'
        elif kind == "right":
            body += f'<path d="M8.5 2.1 C11.1 2.3 12.4 4.2 12.4 7 V7.6 H8.5 Z" fill="{lit}"/>'
        body += f'<path d="M3.5 7.8 H12.5 M8 2 V7.8" stroke="{dim}" stroke-width="0.9"/>'
        wheel = lit if kind == "middle" else "#9aa1ab"
        body += f'<rect x="7" y="3.4" width="2" height="3.4" rx="1" fill="{wheel}"/>'
    elif kind == "delay":
        body = (f'<circle cx="8" cy="8.8" r="5.6" fill="#1b1e23" stroke="#d8dce2" stroke-width="1.2"/>'
                f'<path d="M8 5.6 V9 L10.2 10.4" fill="none" stroke="{lit}" stroke-width="1.3" stroke-linecap="round" '
                'stroke-linejoin="round"/><path d="M6.3 1.6 H9.7" stroke="#d8dce2" stroke-width="1.2" stroke-linecap="round"/>')
    elif kind == "key":
        body = (f'<rect x="1.5" y="3.5" width="13" height="10" rx="2" fill="#1b1e23" stroke="#d8dce2" stroke-width="1.1"/>'
                f'<rect x="3.5" y="5.5" width="9" height="5" rx="1" fill="{ACCENT_DEEP}" stroke="{lit}" stroke-width="0.9"/>')
    else:
        raise ValueError(kind)
    return document(s, s, body, scale=1)
