"""Where the main window puts things, in design pixels of its 1127 x 740 client area.

The background is drawn around these rectangles and the contact sheet outlines
them, so both read the same table. Rectangles are (left, top, right, bottom).
"""

WIDTH, HEIGHT = 1127, 740

# Left column: panel titles, panels (the stretched frame image) and controls.
LEFT_X0, LEFT_X1 = 36, 266
TITLES = {
    "buttons": (36, 37, 266, 62),
    "battery": (36, 398, 266, 423),
    "profiles": (36, 520, 266, 545),
}
MACRO_BUTTON = (36, 320, 266, 345)
VERSION_TEXT = (36, 702, 246, 720)
MOUSE = (457, 171, 672, 569)
MINIMISE = (1072, 12, 1087, 27)
EXIT = (1092, 12, 1107, 27)
RESET = (1040, 700, 1109, 720)
BATTERY_GAUGE = (120, 449, 181, 479)
BATTERY_TEXT = (185, 465, 225, 483)

ROW_NUMBERS = [(52, y, 73, y + 19) for y in (82, 112, 141, 170, 199, 228)]
ROW_COMBOS = [(82, y - 1, 244, y + 20) for y in (82, 112, 141, 170, 199, 228)]

# Top-left corners of the highlight numbers drawn over the mouse picture (1 to 5).
HIGHLIGHTS = [(496, 247), (607, 247), (552, 247), (478, 367), (478, 317)]


def left_panels(profile_count=3):
    return [
        (36, 62, 266, 267),
        (36, 311, 266, 354),
        (36, 423, 266, 505),
        (36, 545, 266, 545 + 26 * profile_count + 30),
    ]


def profile_tabs(profile_count=3):
    return [(50, 552 + 25 * i, 212, 573 + 25 * i) for i in range(profile_count)]


def add_button(profile_count=3):
    y = 555 + 25 * max(profile_count, 3)
    return (50, y, 96, y + 20)


# Right column: collapsible sections, headers 262 x 25 at x = 846.
SECTION_X0, SECTION_X1 = 846, 1108


def section_layout(dpi=True, polling=True, liftoff=False, sleep=False, debounce=False, pointer=False,
                   sensor_page=True):
    """Header and open-panel rectangles for the given open sections."""
    d, p, f, s, b = (int(v) for v in (dpi, polling, liftoff, sleep, debounce))
    k = 30 if sensor_page else 0
    tops = {"dpi": 37, "polling": 67 + 196 * d}
    if sensor_page:
        tops["liftoff"] = 97 + 196 * d + 85 * p
    tops["sleep"] = 97 + k + 196 * d + 85 * p + 85 * f
    tops["debounce"] = 127 + k + 196 * d + 85 * p + 85 * f + 110 * s
    tops["pointer"] = 157 + k + 196 * d + 85 * p + 85 * f + 110 * s + 85 * b
    heights = {"dpi": 196, "polling": 85, "liftoff": 85, "sleep": 110, "debounce": 85, "pointer": 110}
    opened = {"dpi": dpi, "polling": polling, "liftoff": liftoff, "sleep": sleep, "debounce": debounce,
              "pointer": pointer}
    headers, panels = {}, {}
    for name, top in tops.items():
        headers[name] = (SECTION_X0, top, SECTION_X1, top + 25)
        if opened[name]:
            panels[name] = (SECTION_X0, top + 25, SECTION_X1, top + 25 + heights[name])
    return headers, panels


def dpi_controls():
    """Per level: value bar, value label, enable check, colour button."""
    out = []
    for i in range(4):
        dx = 37 * i
        out.append({
            "bar": (918 + dx, 75, 925 + dx, 207),
            "label": (909 + dx, 212, 935 + dx, 223),
            "check": (916 + dx, 226, 927 + dx, 237),
            "colour": (909 + dx, 240, 935 + dx, 252),
        })
    return out


def slider_rects(content_top):
    """Track and slider of a section whose content starts at `content_top`."""
    return ((SECTION_X0 + 42, content_top + 42, SECTION_X0 + 187, content_top + 45),
            (SECTION_X0 + 42, content_top + 37, SECTION_X0 + 187, content_top + 50))


# The cards of the background that hold the two columns and the title strip.
TITLE_BAR = (0, 0, WIDTH, 31)
LEFT_CARD = (24, 31, 278, 732)
RIGHT_CARD = (834, 31, 1120, 732)
STAGE_CENTRE = ((MOUSE[0] + MOUSE[2]) / 2, (MOUSE[1] + MOUSE[3]) / 2)
