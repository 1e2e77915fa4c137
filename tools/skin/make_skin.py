#!/usr/bin/env python3
"""Builds the skin: every picture of the skins folder and the pictures the
program carries, from the SVG sources in data/skins/src and the drawings in
this folder.

    make_skin.py --out DIR            write DIR/skins/... and DIR/resources/...

Everything the program draws lands in skins/ (the pictures it carries under
skins/res/, by resource number where it has one); resources/ holds only the
icons for the desktop (icon theme, desktop entry).
    make_skin.py --list               print the relative paths it writes
    make_skin.py --out DIR --sheet F  also write the contact sheet F

Vector pictures go through rsvg-convert; the BMP frames are rendered the same
way and stored as 24-bit BMP; the colour palette is computed.
"""

import argparse
import concurrent.futures
import os
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import pictures  # noqa: E402
import widgets as W  # noqa: E402
from pngio import decode_png, write_bmp24, write_png  # noqa: E402

SRC = os.path.normpath(os.path.join(HERE, "..", "..", "data", "skins", "src"))
ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)


class Item:
    """One output file: `make` returns SVG text, or a path to an SVG source with
    `size` as the pixel size to render it at; `kind` says how it is stored."""

    def __init__(self, path, make, kind="png", size=None):
        self.path, self.make, self.kind, self.size = path, make, kind, size


def _states(prefix, fn, states=("nr", "ov", "dn")):
    return [Item(f"skins/{prefix}_{s}.png", (lambda s=s: fn(s))) for s in states]


def _src(name):
    return os.path.join(SRC, name)


def manifest():
    items = []
    # Headers: section headers (262 x 25) and panel titles (230 x 25); _dn is the open look.
    items += _states("header", lambda s: W.header(262, 25, s, "down" if s == "dn" else "right"))
    items += _states("header2", lambda s: W.header(230, 25, s, None))
    # Push buttons at twice the rectangles they are stretched into.
    for name, (w, h) in {"button1": (230, 25), "button2": (69, 20), "button3": (65, 23),
                         "button4": (260, 45)}.items():
        items += _states(name, lambda s, w=w, h=h: W.button(w, h, s))
    items += _states("add", W.add_button)
    items += _states("macro_record", W.record_button)
    items += _states("combo2", lambda s: W.combo(162, 21, ("nr", "ov", "dn").index(s)))
    items += _states("combo3", lambda s: W.combo(100, 17, ("nr", "ov", "dn").index(s)))
    items += [Item("skins/menu_nr.png", lambda: W.menu_item(161, 22, False, False)),
              Item("skins/menu_ov.png", lambda: W.menu_item(161, 22, True, False)),
              Item("skins/menusub_nr.png", lambda: W.menu_item(161, 22, False, True)),
              Item("skins/menusub_ov.png", lambda: W.menu_item(161, 22, True, True))]
    items += _states("check", W.check_box)
    items += _states("check_button_dpi", W.check_box)
    items += _states("radio", W.radio)
    items += _states("exit", lambda s: W.window_glyph("exit", s), ("nr", "ov"))
    items += _states("min", lambda s: W.window_glyph("min", s), ("nr", "ov"))
    items += _states("profile_slot", W.profile_slot, ("nr", "ov", "nr2", "ov2"))
    items += [Item("skins/dpi_value.png", W.dpi_value_strip),
              Item("skins/Slider_bar.png", W.slider_bar),
              Item("skins/Slider_Circle.png", W.slider_circle)]
    items += [Item(f"skins/battery_{k}.png", (lambda k=k: W.battery(k)))
              for k in ("full", "empty", "charging", "lighting")]
    items += [Item(f"skins/macro_{k}.png", (lambda k=k: _src(f"macro_{k}.svg")), size=(14, 14))
              for k in ("time", "up", "down")]
    # The mouse folder.
    items += [Item("skins/mouse/mouse_nr.png", lambda: _src("mouse.svg"), size=(430, 796)),
              Item("skins/mouse/dpi_bar_1.png", lambda: W.dpi_bar(False)),
              Item("skins/mouse/dpi_bar_2.png", lambda: W.dpi_bar(True))]
    items += [Item(f"skins/mouse/serial_number{n}.png", (lambda n=n: W.digit_badge(n, False)))
              for n in range(1, 7)]
    items += [Item(f"skins/mouse/number{n}.png", (lambda n=n: W.digit_badge(n, True, 22, 22, scale=1)))
              for n in range(1, 6)]
    # Dialog and panel frames: 24-bit BMP at their fixed sizes.
    items += [Item("skins/Frame_Lighting_Setting.bmp", pictures.panel_frame, "bmp"),
              Item("skins/Frame_Macro_Manager.bmp", pictures.macro_manager_frame, "bmp"),
              Item("skins/Frame_warning.bmp", pictures.warning_frame, "bmp"),
              Item("skins/Frame_common.bmp", pictures.common_frame, "bmp"),
              Item("skins/Frame_progress_nr.bmp", lambda: pictures.progress_frame(False), "bmp"),
              Item("skins/Frame_progress_ov.bmp", lambda: pictures.progress_frame(True), "bmp")]
    # Pictures the program carries, by resource number where it has one.
    items += [Item("skins/res/364.png", pictures.main_background),
              Item("skins/res/364@2x.png", lambda: pictures.main_background(2)),
              Item("skins/res/184.png", _combo_strip),
              Item("skins/res/188.png", lambda: W.scroll_arrows("up")),
              Item("skins/res/187.png", lambda: W.scroll_arrows("down")),
              Item("skins/res/128.png", lambda: _src("icon.svg"), size=(256, 256)),
              Item("skins/res/palette.png", None, "palette")]
    items += [Item(f"skins/res/insert_{k}.png", (lambda k=k: W.insert_menu_icon(k)))
              for k in ("left", "right", "middle", "delay", "key")]
    # The desktop's icons: the icon theme and the desktop entry.
    items += [Item("resources/orvane.svg", lambda: _src("icon.svg"), "copy")]
    items += [Item(f"resources/icon_{n}.png", lambda: _src("icon.svg"), size=(n, n)) for n in ICON_SIZES]
    return items


def _combo_strip():
    """Five 162 x 21 frames at twice their size: normal, over or menu open,
    pressed, 'disabled look' at rest, 'disabled look' under the pointer."""
    w, h, s = 162, 21, 2
    frames = "".join(
        f'<svg x="{k * w}" y="0" width="{w}" height="{h}" viewBox="0 0 {w} {h}">'
        + W.combo(w, h, k).split(">", 1)[1].rsplit("</svg>", 1)[0].replace('id="g"', f'id="g{k}"')
        .replace("url(#g)", f"url(#g{k})") + "</svg>"
        for k in range(5))
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{5 * w * s}" height="{h * s}" '
            f'viewBox="0 0 {5 * w} {h}">{frames}</svg>')


def _rsvg(rsvg, svg_path, out_path, size=None):
    cmd = [rsvg, svg_path, "-o", out_path]
    if size:
        cmd[1:1] = ["-w", str(size[0]), "-h", str(size[1])]
    subprocess.run(cmd, check=True)


def build_item(item, out_dir, rsvg, tmp):
    target = os.path.join(out_dir, item.path)
    os.makedirs(os.path.dirname(target), exist_ok=True)
    if item.kind == "palette":
        svg = os.path.join(tmp, "palette_decoration.svg")
        with open(svg, "w", encoding="utf-8") as f:
            f.write(pictures.palette_decoration())
        png = svg + ".png"
        _rsvg(rsvg, svg, png)
        with open(png, "rb") as f:
            write_png(target, pictures.palette(decode_png(f.read())))
        return
    made = item.make()
    if item.kind == "copy":
        shutil.copyfile(made, target)
        return
    if made.lstrip().startswith("<"):
        svg = os.path.join(tmp, item.path.replace("/", "_") + ".svg")
        with open(svg, "w", encoding="utf-8") as f:
            f.write(made)
    else:
        svg = made
    if item.kind == "bmp":
        png = os.path.join(tmp, item.path.replace("/", "_") + ".png")
        _rsvg(rsvg, svg, png, item.size)
        with open(png, "rb") as f:
            write_bmp24(target, decode_png(f.read()))
    else:
        _rsvg(rsvg, svg, target, item.size)


def build(out_dir, rsvg, jobs=2):
    items = manifest()
    with tempfile.TemporaryDirectory(prefix="orvane-skin-") as tmp:
        with concurrent.futures.ThreadPoolExecutor(max_workers=jobs) as pool:
            futures = [pool.submit(build_item, it, out_dir, rsvg, tmp) for it in items]
            for fut in futures:
                fut.result()
    _remove_stale(out_dir, items)
    return items


def _remove_stale(out_dir, items):
    """Pictures an earlier version of the skin wrote and this one does not: a build folder
    must hold exactly what a fresh build would."""
    wanted = {os.path.normpath(os.path.join(out_dir, it.path)) for it in items}
    for top in ("skins", "resources"):
        for folder, _, files in os.walk(os.path.join(out_dir, top)):
            for name in files:
                path = os.path.normpath(os.path.join(folder, name))
                if path not in wanted:
                    os.remove(path)


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--out", help="folder that receives skins/ and resources/")
    ap.add_argument("--list", action="store_true", help="print the relative output paths and stop")
    ap.add_argument("--rsvg", default=shutil.which("rsvg-convert") or "rsvg-convert")
    ap.add_argument("--jobs", type=int, default=2)
    ap.add_argument("--sheet", help="also write the contact sheet to this PNG file")
    ap.add_argument("--stamp", help="touch this file when done (for the build)")
    args = ap.parse_args()
    if args.list:
        print("\n".join(it.path for it in manifest()))
        return 0
    if not args.out:
        ap.error("--out is required")
    try:
        build(args.out, args.rsvg, args.jobs)
    except (OSError, subprocess.CalledProcessError) as e:
        print(f"make_skin: {e}", file=sys.stderr)
        return 1
    if args.sheet:
        import contact_sheet
        contact_sheet.write(args.out, args.sheet, args.rsvg)
    if args.stamp:
        with open(args.stamp, "w", encoding="utf-8"):
            pass
    return 0


if __name__ == "__main__":
    sys.exit(main())
