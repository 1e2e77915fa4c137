"""Checks the built skin: every picture the windows name is there, with the size
its control needs, and the colour palette follows the rules the colour dialog
relies on when it picks the colour under the pointer."""

import colorsys
import os
import struct
import sys
import unittest

RUNTIME = os.environ.get("ORVANE_RUNTIME_DIR", "")
sys.path.insert(0, os.environ.get("ORVANE_SKIN_TOOLS", os.path.join(os.path.dirname(__file__), "..", "..", "tools", "skin")))
from pngio import png_size, read_bmp, read_png  # noqa: E402

SKINS = os.path.join(RUNTIME, "skins")
RES = os.path.join(SKINS, "res")
RESOURCES = os.path.join(RUNTIME, "resources")

# Images stretched over a control rectangle: drawn at twice the design size so
# that a display scale of 2 stays sharp. Name -> (design width, height, states).
STRETCHED = {
    "header": (262, 25, ("nr", "ov")),
    "header2": (230, 25, ("nr", "ov")),
    "button1": (230, 25, ("nr", "ov")),
    "button2": (69, 20, ("nr", "ov")),
    "button3": (65, 23, ("nr", "ov")),
    "button4": (260, 45, ("nr",)),
    "combo2": (162, 21, ("nr", "ov")),
    "combo3": (100, 17, ("nr", "ov")),
    "menu": (161, 22, ("nr", "ov")),
    "menusub": (161, 22, ("nr", "ov")),
    "check": (11, 11, ("nr", "ov", "dn")),
    "check_button_dpi": (11, 11, ("nr", "ov", "dn")),
    "radio": (15, 15, ("nr", "ov", "dn")),
    "exit": (15, 15, ("nr", "ov")),
    "min": (15, 15, ("nr", "ov")),
    "add": (46, 20, ("nr", "ov")),
    "profile_slot": (162, 21, ("nr", "ov", "nr2", "ov2")),
    "macro_record": (90, 18, ("nr", "dn")),
}

FRAMES = {
    "Frame_Lighting_Setting.bmp": (230, 82),
    "Frame_Macro_Manager.bmp": (528, 365),
    "Frame_warning.bmp": (319, 102),
    "Frame_common.bmp": (429, 140),
    "Frame_progress_nr.bmp": (429, 140),
    "Frame_progress_ov.bmp": (429, 140),
}

SWATCHES = [
    "FF8080 FFFF80 80FF80 00FF80 80FFFF 0080FF FF80C0 FF80FF",
    "FF0000 FFFF00 80FF00 00FF40 00FFFF 0080C0 8080C0 FF00FF",
    "804040 FF8040 00FF00 008080 004080 8080FF 800040 FF0080",
    "800000 FF8000 008000 008040 0000FF 0000A0 800080 8000FF",
    "400000 804000 004000 004040 000080 000040 400040 400080",
    "000000 808000 808040 808080 408080 C0C0C0 400040 FFFFFF",
]
BACKGROUND = (0x0F, 0x0F, 0x0F)


def skin(*parts):
    return os.path.join(SKINS, *parts)


@unittest.skipUnless(RUNTIME, "ORVANE_RUNTIME_DIR is not set")
class SkinFolder(unittest.TestCase):
    def test_stretched_controls_are_twice_their_rectangle_in_every_state(self):
        for name, (w, h, states) in STRETCHED.items():
            for state in states:
                with self.subTest(image=f"{name}_{state}.png"):
                    self.assertEqual(png_size(skin(f"{name}_{state}.png")), (2 * w, 2 * h))

    def test_mouse_folder(self):
        self.assertEqual(png_size(skin("mouse", "mouse_nr.png")), (430, 796))
        for n in range(1, 7):
            self.assertEqual(png_size(skin("mouse", f"serial_number{n}.png")), (42, 38))
        # Highlight numbers are drawn at their natural size, so they share one.
        sizes = {png_size(skin("mouse", f"number{n}.png")) for n in range(1, 6)}
        self.assertEqual(len(sizes), 1)
        # The level gauge draws both images at their natural size over a 7 x 132 control.
        self.assertEqual(png_size(skin("mouse", "dpi_bar_1.png")), (7, 132))
        self.assertEqual(png_size(skin("mouse", "dpi_bar_2.png")), (7, 132))

    def test_natural_size_images(self):
        # The slider places its thumb by pixel size: 6 left and 7 right of the step, 13 high.
        self.assertEqual(png_size(skin("Slider_Circle.png")), (13, 13))
        self.assertEqual(png_size(skin("Slider_bar.png")), (290, 6))
        # The battery gauge computes its fill from the size of the image loaded last,
        # so all four must match the 61 x 30 control.
        for kind in ("full", "empty", "charging", "lighting"):
            self.assertEqual(png_size(skin(f"battery_{kind}.png")), (61, 30), kind)
        # The action list sizes all three icons by the one loaded last.
        sizes = {png_size(skin(f"macro_{k}.png")) for k in ("time", "up", "down")}
        self.assertEqual(len(sizes), 1)
        (iw, ih), = sizes
        self.assertLessEqual(ih + 3, 20, "icon must fit a 20-pixel row below its 3-pixel offset")
        # dpi_value.png is a strip of three 26 x 11 frames at twice the size.
        self.assertEqual(png_size(skin("dpi_value.png")), (3 * 52, 22))

    def test_dpi_values_read_on_every_look_of_their_label(self):
        # The active level's value is pure red, the others grey B4B4B4; each must keep a
        # contrast of at least 4.5 : 1 with the fill behind it, lit labels included.
        def luminance(rgb):
            def lin(c):
                c /= 255
                return c / 12.92 if c <= 0.03928 else ((c + 0.055) / 1.055) ** 2.4
            r, g, b = (lin(c) for c in rgb)
            return 0.2126 * r + 0.7152 * g + 0.0722 * b

        def contrast(a, b):
            la, lb = sorted((luminance(a), luminance(b)), reverse=True)
            return (la + 0.05) / (lb + 0.05)

        strip = read_png(skin("dpi_value.png"))
        for frame, look in enumerate(("normal", "over", "lit")):
            fill = strip.get(frame * 52 + 26, 11)[:3]
            for text in ((255, 0, 0), (0xB4, 0xB4, 0xB4)):
                self.assertGreaterEqual(contrast(fill, text), 4.5, f"{text} on the {look} label ({fill})")

    def test_frames_are_24_bit_bmp_of_their_fixed_size(self):
        for name, (w, h) in FRAMES.items():
            with self.subTest(frame=name), open(skin(name), "rb") as f:
                head = f.read(54)
                self.assertEqual(head[:2], b"BM")
                width, height, planes, bits, compression = struct.unpack("<iiHHI", head[18:34])
                self.assertEqual((width, abs(height), bits, compression), (w, h, 24, 0))

    def test_progress_frames_differ_only_in_the_fill_band(self):
        empty, full = read_bmp(skin("Frame_progress_nr.bmp")), read_bmp(skin("Frame_progress_ov.bmp"))
        for y in range(140):
            row = slice(y * 429 * 4, (y + 1) * 429 * 4)
            same = empty.px[row] == full.px[row]
            if 66 <= y <= 77:
                self.assertFalse(same, f"row {y} of the band shows no fill")
            else:
                self.assertTrue(same, f"row {y} outside the band differs")

    def test_battery_outline_matches_so_partial_fills_join_up(self):
        images = [read_png(skin(f"battery_{k}.png")) for k in ("full", "empty", "charging")]
        # Columns 0-3 (left wall) and 54-60 (right wall and cap) never change with the level.
        for x in list(range(0, 4)) + list(range(54, 61)):
            for y in range(30):
                self.assertEqual(len({img.get(x, y) for img in images}), 1, (x, y))


    def test_every_png_decodes(self):
        # A truncated or corrupt file would only show up as a missing picture at run time.
        for folder, _, files in os.walk(SKINS):
            for name in files:
                if name.endswith(".png"):
                    with self.subTest(image=name):
                        img = read_png(os.path.join(folder, name))
                        self.assertGreater(img.width * img.height, 0)

    def test_mouse_buttons_lie_under_the_highlight_numbers(self):
        mouse = read_png(skin("mouse", "mouse_nr.png"))
        w, h = png_size(skin("mouse", "number1.png"))
        # Window positions of the numbers, relative to the picture at (457, 171), at twice the size.
        for n, (x, y) in enumerate([(496, 247), (607, 247), (552, 247), (478, 367), (478, 317)], 1):
            cx, cy = 2 * (x - 457) + w, 2 * (y - 171) + h
            self.assertEqual(mouse.get(cx, cy)[3], 255, f"number {n} is not over the mouse")
        # Outside the body the picture is transparent, so the background shows.
        for corner in [(0, 0), (429, 0), (0, 795), (429, 795)]:
            self.assertEqual(mouse.get(*corner)[3], 0, corner)


@unittest.skipUnless(RUNTIME, "ORVANE_RUNTIME_DIR is not set")
class CarriedPictures(unittest.TestCase):
    def test_sizes(self):
        # The program finds what it carries in skins/res, by resource number where it has one.
        for name, size in {"364": (1127, 740), "364@2x": (2254, 1480), "128": (256, 256), "184": (1620, 42),
                           "187": (54, 20), "188": (54, 20), "palette": (500, 291)}.items():
            self.assertEqual(png_size(os.path.join(RES, f"{name}.png")), size, name)
        w, h = png_size(os.path.join(RES, "184.png"))
        self.assertEqual((w % 5, w // 5, h), (0, 2 * 162, 2 * 21))
        for k in ("left", "right", "middle", "delay", "key"):
            self.assertEqual(png_size(os.path.join(RES, f"insert_{k}.png")), (16, 16), k)
        # The desktop's icons.
        for n in (16, 32, 48, 128, 256):
            self.assertEqual(png_size(os.path.join(RESOURCES, f"icon_{n}.png")), (n, n))
        self.assertTrue(os.path.isfile(os.path.join(RESOURCES, "orvane.svg")))

    def test_everything_drawn_lives_in_the_skins_folder(self):
        # An application folder holding config/ and skins/ is complete: resources/ has only what
        # the desktop shows (icon theme, desktop entry), nothing the windows draw.
        for name in os.listdir(RESOURCES):
            self.assertTrue(name == "orvane.svg" or (name.startswith("icon_") and name.endswith(".png")), name)

    def test_combo_strip_frames_match_the_separate_images(self):
        # The assignment boxes may be drawn from either; both must look the same.
        strip = read_png(os.path.join(RES, "184.png"))
        for k, state in enumerate(("nr", "ov", "dn")):
            frame = strip.crop(k * 324, 0, 324, 42)
            self.assertEqual(frame.px, read_png(skin(f"combo2_{state}.png")).px, state)


@unittest.skipUnless(RUNTIME, "ORVANE_RUNTIME_DIR is not set")
class Palette(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.img = read_png(os.path.join(RES, "palette.png"))

    def rgb(self, x, y):
        return self.img.get(x, y)[:3]

    def test_size(self):
        self.assertEqual((self.img.width, self.img.height), (500, 291))

    def test_swatches_are_solid_and_the_gaps_pick_nothing(self):
        inside = set()
        for r, row in enumerate(SWATCHES):
            for c, hexa in enumerate(row.split()):
                want = tuple(int(hexa[i:i + 2], 16) for i in (0, 2, 4))
                left, top = 244 + 30 * c, 26 + 29 * r
                for y in range(top, top + 20):
                    for x in range(left, left + 20):
                        inside.add((x, y))
                        if self.rgb(x, y) != want:
                            self.fail(f"swatch row {r} column {c} at ({x}, {y}) is {self.rgb(x, y)}, not {hexa}")
        for y in range(26, 190):
            for x in range(244, 474):
                if (x, y) not in inside:
                    self.assertEqual(self.rgb(x, y), BACKGROUND, (x, y))

    def test_cyan_swatch(self):
        self.assertEqual(self.rgb(244 + 30 * 4 + 10, 26 + 29 + 10), (0, 255, 255))

    def test_spectrum_corners_and_hues(self):
        self.assertEqual(self.rgb(18, 26), (255, 0, 0))
        # Pure hues along the top row: green a third of the way, blue two thirds.
        for x, want in [(18 + 68, (0, 255, 0)), (18 + 136, (0, 0, 255)), (18 + 34, (255, 255, 0))]:
            got = self.rgb(x, 26)
            self.assertTrue(all(abs(a - b) <= 2 for a, b in zip(got, want)), (x, got, want))
        # The bottom row is almost a middle grey, whatever the hue.
        for x in range(18, 222, 17):
            r, g, b = self.rgb(x, 269)
            self.assertLessEqual(max(r, g, b) - min(r, g, b), 10, (x, (r, g, b)))
            self.assertTrue(115 <= (r + g + b) / 3 <= 140)

    def test_spectrum_follows_hue_saturation_lightness(self):
        for x in (18, 60, 121, 180, 221):
            for y in (26, 100, 200, 269):
                r, g, b = (v / 255 for v in self.rgb(x, y))
                h, l, s = colorsys.rgb_to_hls(r, g, b)
                self.assertAlmostEqual(l, 0.5, delta=0.01)
                want_s = 1 - 0.97 * (y - 26) / 243
                self.assertAlmostEqual(s, want_s, delta=0.02, msg=(x, y))
                if s > 0.2:
                    want_h = (x - 18) / 204
                    self.assertAlmostEqual(min(abs(h - want_h), 1 - abs(h - want_h)), 0, delta=0.01, msg=(x, y))

    def test_no_pickable_pixel_looks_like_the_background(self):
        for y in range(26, 270):
            for x in range(18, 222):
                self.assertNotEqual(self.rgb(x, y), BACKGROUND)


if __name__ == "__main__":
    unittest.main()
