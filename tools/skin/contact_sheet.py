"""The contact sheet (docs/skin.png): the main window put together from the
skin, its background with the control rectangles outlined, the dialog frames,
and every image with its name and pixel size."""

import base64
import os
import re
import subprocess
import tempfile

import layout as L
from pngio import encode_png, png_size, read_bmp

FONT = 'font-family="DejaVu Sans"'
GREY, WHITE, YELLOW = "#b4b4b4", "#ffffff", "#ffff00"


def project_version():
    """The version as project(VERSION) in the top CMakeLists.txt writes it, the one place it is kept."""
    top = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "CMakeLists.txt")
    with open(top, encoding="utf-8") as f:
        found = re.search(r"^project\(orvane VERSION ([0-9.]+)", f.read(), re.MULTILINE)
    if not found:
        raise SystemExit(top + ": no project(orvane VERSION ...) line")
    return found.group(1)


class Sheet:
    def __init__(self, root):
        self.root = root
        self.parts = []
        self._uris = {}

    def uri(self, rel):
        if rel not in self._uris:
            path = os.path.join(self.root, rel)
            if rel.endswith(".bmp"):
                data = encode_png(read_bmp(path))
            else:
                with open(path, "rb") as f:
                    data = f.read()
            self._uris[rel] = "data:image/png;base64," + base64.b64encode(data).decode("ascii")
        return self._uris[rel]

    def image(self, rel, x, y, w, h, smooth=True):
        style = "" if smooth else ' style="image-rendering:pixelated"'
        self.parts.append(f'<image href="{self.uri(rel)}" x="{x}" y="{y}" width="{w}" height="{h}" '
                          f'preserveAspectRatio="none"{style}/>')

    def strip_frame(self, rel, frames, k, x, y, w, h):
        """Frame k of a horizontal strip, stretched into (x, y, w, h)."""
        self.parts.append(f'<svg x="{x}" y="{y}" width="{w}" height="{h}" viewBox="{k} 0 1 1" '
                          f'preserveAspectRatio="none"><image href="{self.uri(rel)}" x="0" y="0" width="{frames}" '
                          f'height="1" preserveAspectRatio="none"/></svg>')

    def rect_image(self, rel, r):
        self.image(rel, r[0], r[1], r[2] - r[0], r[3] - r[1])

    def text(self, x, y, s, colour=GREY, size=12, anchor="start", weight="normal"):
        self.parts.append(f'<text x="{x}" y="{y}" {FONT} font-size="{size}" font-weight="{weight}" fill="{colour}" '
                          f'text-anchor="{anchor}">{s}</text>')

    def label(self, r, s, colour=GREY, size=12, align="middle", margin=0):
        x = {"start": r[0] + margin, "middle": (r[0] + r[2]) / 2}[align]
        self.text(x, (r[1] + r[3]) / 2 + size * 0.36, s, colour, size, align)

    def outline(self, r, colour, width=1):
        self.parts.append(f'<rect x="{r[0] + 0.5}" y="{r[1] + 0.5}" width="{r[2] - r[0] - 1}" '
                          f'height="{r[3] - r[1] - 1}" fill="none" stroke="{colour}" stroke-width="{width}"/>')

    def raw(self, s):
        self.parts.append(s)


def _main_window(sh, ox, oy):
    sh.raw(f'<g transform="translate({ox} {oy})">')
    sh.image("skins/res/364.png", 0, 0, L.WIDTH, L.HEIGHT)
    for r in L.left_panels(3):
        sh.rect_image("skins/Frame_Lighting_Setting.bmp", r)
    headers, panels = L.section_layout(dpi=True, polling=True)
    for r in panels.values():
        sh.rect_image("skins/Frame_Lighting_Setting.bmp", r)
    for (key, r), text in zip(L.TITLES.items(), ["Buttons", "Battery", "Profiles"]):
        sh.rect_image("skins/header2_ov.png" if key == "buttons" else "skins/header2_nr.png", r)
        sh.label(r, text, WHITE if key == "buttons" else GREY, align="start", margin=14)
    names = ["Left Click", "Right Click", "Middle Click", "Back", "Forward", "DPI Loop"]
    for i, (num, combo) in enumerate(zip(L.ROW_NUMBERS, L.ROW_COMBOS)):
        sh.rect_image(f"skins/mouse/serial_number{i + 1}.png", num)
        sh.strip_frame("skins/res/184.png", 5, 1 if i == 0 else 0, combo[0], combo[1],
                       combo[2] - combo[0], combo[3] - combo[1])
        sh.label((combo[0], combo[1], combo[2] - 22, combo[3]), names[i], WHITE if i == 0 else GREY, 11)
    sh.rect_image("skins/button1_nr.png", L.MACRO_BUTTON)
    sh.label(L.MACRO_BUTTON, "Macro Manager")
    sh.rect_image("skins/battery_empty.png", L.BATTERY_GAUGE)
    sh.raw(f'<svg x="{L.BATTERY_GAUGE[0]}" y="{L.BATTERY_GAUGE[1]}" width="41" height="30" viewBox="0 0 41 30" '
           f'preserveAspectRatio="none"><image href="{sh.uri("skins/battery_full.png")}" x="0" y="0" '
           'width="61" height="30"/></svg>')
    sh.label(L.BATTERY_TEXT, "74%", GREY, 13)
    for i, r in enumerate(L.profile_tabs(3)):
        sh.rect_image("skins/profile_slot_nr2.png" if i == 0 else
                      ("skins/profile_slot_ov.png" if i == 1 else "skins/profile_slot_nr.png"), r)
        sh.label(r, ["Default", "Shooter", "Office"][i], GREY, 12, "start", 8)
    sh.rect_image("skins/add_nr.png", L.add_button(3))
    sh.text(L.VERSION_TEXT[0], L.VERSION_TEXT[3] - 4, "Version:" + project_version(), GREY, 11)
    sh.rect_image("skins/mouse/mouse_nr.png", L.MOUSE)
    sh.image("skins/mouse/number1.png", *L.HIGHLIGHTS[0], 22, 22, smooth=False)
    sh.rect_image("skins/min_nr.png", L.MINIMISE)
    sh.rect_image("skins/exit_ov.png", L.EXIT)
    sh.rect_image("skins/button2_nr.png", L.RESET)
    sh.label(L.RESET, "Reset", GREY, 11)
    texts = {"dpi": "DPI", "polling": "Polling rate", "liftoff": "Lift-off distance", "sleep": "Sleep time",
             "debounce": "Button debounce", "pointer": "Pointer"}
    for key, r in headers.items():
        look = "dn" if key in panels else ("ov" if key == "sleep" else "nr")
        sh.rect_image(f"skins/header_{look}.png", r)
        sh.label(r, texts[key], {"dn": YELLOW, "ov": WHITE, "nr": GREY}[look], align="start", margin=14)
    values, colours = [400, 800, 1600, 3200], ["#ff0000", "#00ff00", "#0080ff", "#ff00ff"]
    for i, c in enumerate(L.dpi_controls()):
        x0, y0, x1, y1 = c["bar"]
        sh.image("skins/mouse/dpi_bar_1.png", x0, y0, 7, 132)
        fill = 132 * (i + 2) // 6
        sh.raw(f'<svg x="{x0}" y="{y1 - fill}" width="7" height="{fill}" viewBox="0 {132 - fill} 7 {fill}">'
               f'<image href="{sh.uri("skins/mouse/dpi_bar_2.png")}" width="7" height="132"/></svg>')
        sh.strip_frame("skins/dpi_value.png", 3, 2 if i <= 1 else 0, c["label"][0], c["label"][1], 26, 11)
        sh.label(c["label"], str(values[i]), "#ff0000" if i == 1 else GREY, 9)
        sh.rect_image("skins/check_button_dpi_dn.png" if i < 3 else "skins/check_button_dpi_nr.png", c["check"])
        cx0, cy0, cx1, cy1 = c["colour"]
        sh.raw(f'<rect x="{cx0 + 4}" y="{cy0 + 1}" width="{cx1 - cx0 - 8}" height="{cy1 - cy0 - 2}" rx="2" '
               f'fill="{colours[i]}"/>')
    top = panels["polling"][1]
    track, slider = L.slider_rects(top)
    sh.rect_image("skins/Slider_bar.png", track)
    sh.image("skins/Slider_Circle.png", slider[2] - 6 - 7, slider[1], 13, 13)
    sh.label((L.SECTION_X0 + 195, top + 34, L.SECTION_X0 + 256, top + 52), "1000Hz", GREY, 12)
    sh.raw("</g>")


def _outlined(sh, ox, oy):
    sh.raw(f'<g transform="translate({ox} {oy})">')
    sh.image("skins/res/364.png", 0, 0, L.WIDTH, L.HEIGHT)
    cyan, amber, pink, green = "#00e5ff", "#ffb020", "#ff4fa0", "#5dff7a"
    for r in L.left_panels(3):
        sh.outline(r, amber)
    headers, panels = L.section_layout(dpi=True, polling=True)
    for r in list(panels.values()):
        sh.outline(r, amber)
    for r in list(L.TITLES.values()) + list(headers.values()):
        sh.outline(r, cyan)
    fixed = [L.MACRO_BUTTON, L.VERSION_TEXT, L.MOUSE, L.MINIMISE, L.EXIT, L.RESET, L.BATTERY_GAUGE,
             L.BATTERY_TEXT, L.add_button(3)] + L.ROW_NUMBERS + L.ROW_COMBOS + L.profile_tabs(3)
    for c in L.dpi_controls():
        fixed += list(c.values())
    track, slider = L.slider_rects(panels["polling"][1])
    fixed += [track, slider]
    for r in fixed:
        sh.outline(r, pink)
    for x, y in L.HIGHLIGHTS:
        sh.outline((x, y, x + 22, y + 22), green)
    sh.raw("</g>")


def _dialogs(sh, ox, oy):
    x = ox
    frames = [("skins/Frame_common.bmp", 429, 140, [((350, 110, 419, 130), "OK"), ((260, 110, 329, 130), "Cancel")],
               "Add profile"),
              ("skins/Frame_warning.bmp", 319, 102, [((240, 70, 309, 90), "OK")], "Attention"),
              ("skins/Frame_progress_ov.bmp", 429, 140, [], "Saving"),
              ("skins/res/palette.png", 500, 291, [((391, 234, 460, 254), "OK")], None),
              ("skins/Frame_Macro_Manager.bmp", 528, 365, [((24, 333, 89, 356), "New"), ((104, 333, 169, 356), "Delete"),
                                                          ((189, 333, 254, 356), "Edit"), ((269, 333, 334, 356), "Delete"),
                                                          ((367, 333, 432, 356), "Export"), ((444, 333, 509, 356), "Import")],
               "Macro Manager")]
    for rel, w, h, buttons, title in frames:
        sh.image(rel, x, oy, w, h)
        if rel.endswith("progress_ov.bmp"):
            sh.raw(f'<svg x="{x + 215}" y="{oy + 66}" width="{w - 215}" height="12" viewBox="{215} 66 {w - 215} 12">'
                   f'<image href="{sh.uri("skins/Frame_progress_nr.bmp")}" width="{w}" height="{h}"/></svg>')
        for r, t in buttons:
            img = "skins/button3_nr.png" if w == 528 else "skins/button2_nr.png"
            sh.image(img, x + r[0], oy + r[1], r[2] - r[0], r[3] - r[1])
            sh.label((x + r[0], oy + r[1], x + r[2], oy + r[3]), t, GREY, 11)
        if w == 528:
            _macro_manager_controls(sh, x, oy)
        close = (w - 24, 4, w - 9, 19)
        sh.image("skins/exit_nr.png", x + close[0], oy + close[1], 15, 15)
        if title:
            sh.text(x + 12, oy + 17, title, "#bebebe", 12, weight="bold")
        x += w + 24
    return oy + 365


def _macro_manager_controls(sh, x, y):
    """The macro manager's own drawing (lists, frames, scroll bars) and its controls."""
    def r(x0, y0, x1, y1):
        return (x + x0, y + y0, x + x1, y + y1)
    for lst, frame, bar in [((25, 54, 168, 323), (24, 53, 169, 324), (169, 53, 187, 324)),
                            ((190, 54, 333, 323), (189, 53, 334, 324), (334, 53, 352, 324))]:
        a = r(*lst)
        sh.raw(f'<rect x="{a[0]}" y="{a[1]}" width="{a[2] - a[0]}" height="{a[3] - a[1]}" fill="#4b4b4b"/>')
        sh.outline(r(*frame), "#949494")
        b = r(*bar)
        sh.raw(f'<rect x="{b[0]}" y="{b[1]}" width="{b[2] - b[0]}" height="{b[3] - b[1]}" fill="#101010"/>')
        sh.strip_frame("skins/res/188.png", 3, 0, b[0], b[1], 18, 20)
        sh.strip_frame("skins/res/187.png", 3, 1, b[0], b[3] - 19, 18, 20)
        sh.raw(f'<rect x="{b[0]}" y="{b[1] + 20}" width="18" height="90" fill="#1f1f1f"/>'
               f'<rect x="{b[0] + 1}" y="{b[1] + 21}" width="16" height="88" fill="#323232"/>')
    sel = r(27, 74, 166, 94)
    sh.raw(f'<rect x="{sel[0]}" y="{sel[1]}" width="{sel[2] - sel[0]}" height="20" fill="#35a0de"/>')
    for i, name in enumerate(["Reload", "Build wall", "Quick swap"]):
        sh.text(x + 30, y + 68 + 20 * i, name, WHITE, 11)
    rows = [("macro_down", "A"), ("macro_time", "50ms"), ("macro_up", "A"), ("macro_down", "Left Button")]
    for i, (icon, text) in enumerate(rows):
        sh.image(f"skins/{icon}.png", x + 192, y + 57 + 20 * i, 14, 14)
        sh.text(x + 208, y + 68 + 20 * i, text, WHITE, 11)
    sh.rect_image("skins/macro_record_nr.png", r(370, 53, 460, 71))
    sh.label(r(380, 53, 460, 71), "Record", GREY, 11)
    sh.rect_image("skins/check_dn.png", r(370, 86, 381, 97))
    sh.text(x + 390, y + 96, "Record delays", GREY, 11)
    for i, (top, text) in enumerate([(113, "Repeat once"), (141, "Repeat while held"), (169, "Repeat n times")]):
        sh.rect_image("skins/radio_dn.png" if i == 0 else "skins/radio_nr.png", r(368, top, 383, top + 15))
        sh.text(x + 390, y + top + 12, text, GREY, 11)
    e = r(392, 190, 470, 210)
    sh.raw(f'<rect x="{e[0]}" y="{e[1]}" width="78" height="20" fill="#141414"/>')
    sh.label(e, "1", GREY, 11)
    sh.rect_image("skins/combo3_nr.png", r(370, 230, 470, 247))
    sh.label(r(370, 230, 448, 247), "Insert", GREY, 11)
    sh.text(x + 24, y + 48, "Macros", GREY, 11)
    sh.text(x + 189, y + 48, "Actions", GREY, 11)


def _inventory(sh, ox, oy, width):
    """Every image, in manifest order, on tiles with name and pixel size."""
    import make_skin
    x, y, row_h = ox, oy, 0
    for item in make_skin.manifest():
        if item.path.endswith(".svg") or item.kind == "alias":
            continue
        path = os.path.join(sh.root, item.path)
        if item.path.endswith(".bmp"):
            img = read_bmp(path)
            pw, ph = img.width, img.height
        else:
            pw, ph = png_size(path)
        scale = min(1.0, 260 / pw, 200 / ph)
        if pw <= 32 and ph <= 32 and "icon_" not in item.path:
            scale = 2.0
        dw, dh = pw * scale, ph * scale
        name = item.path.split("/", 1)[1]
        tile_w = max(dw, len(name) * 6.6) + 16
        tile_h = dh + 34
        if x + tile_w > ox + width:
            x, y, row_h = ox, y + row_h + 10, 0
        sh.raw(f'<rect x="{x}" y="{y}" width="{tile_w}" height="{tile_h}" rx="4" fill="#16181c" stroke="#24272d"/>')
        sh.image(item.path, x + 8, y + 6, dw, dh, smooth=scale >= 1 and pw > 32)
        sh.text(x + 8, y + dh + 18, name, "#d0d4da", 10)
        sh.text(x + 8, y + dh + 29, f"{pw} x {ph}", "#6d737c", 9)
        x += tile_w + 10
        row_h = max(row_h, tile_h)
    return y + row_h


def write(root, out_path, rsvg):
    sh = Sheet(root)
    margin, gap = 32, 40
    width = 2 * L.WIDTH + gap
    sh.text(margin, 34, "Orvane skin", WHITE, 22, weight="bold")
    sh.text(margin + 170, 34, "main window (left), background with the control rectangles outlined (right): "
            "cyan headers, amber panels, pink controls, green highlight numbers", "#8a9099", 13)
    _main_window(sh, margin, 56)
    _outlined(sh, margin + L.WIDTH + gap, 56)
    y = _dialogs(sh, margin, 56 + L.HEIGHT + gap)
    bottom = _inventory(sh, margin, y + gap, width)
    total_w, total_h = width + 2 * margin, int(bottom + margin)
    svg = (f'<svg xmlns="http://www.w3.org/2000/svg" width="{total_w}" height="{total_h}">'
           f'<rect width="{total_w}" height="{total_h}" fill="#08090b"/>' + "".join(sh.parts) + "</svg>")
    with tempfile.TemporaryDirectory(prefix="orvane-sheet-") as tmp:
        src = os.path.join(tmp, "sheet.svg")
        with open(src, "w", encoding="utf-8") as f:
            f.write(svg)
        subprocess.run([rsvg, "--unlimited", src, "-o", out_path], check=True)
