"""The skin build's own PNG and BMP codec: what it writes must read back the same,
including row padding and the filters rsvg-convert uses."""

import os
import struct
import sys
import tempfile
import unittest
import zlib

sys.path.insert(0, os.environ.get("ORVANE_SKIN_TOOLS", os.path.join(os.path.dirname(__file__), "..", "..", "tools", "skin")))
from pngio import Image, decode_png, encode_bmp24, encode_png, read_bmp  # noqa: E402


def pattern(w, h):
    img = Image(w, h)
    for y in range(h):
        for x in range(w):
            img.set(x, y, ((x * 37) & 255, (y * 59) & 255, (x * y) & 255, 255 if (x + y) % 3 else 128))
    return img


def filtered_png(img, ftype):
    """A PNG whose every row uses filter `ftype`, as other encoders write them."""
    bpp, stride = 4, img.width * 4
    prev = bytearray(stride)
    raw = bytearray()
    for y in range(img.height):
        line = img.px[y * stride:(y + 1) * stride]
        out = bytearray(stride)
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b = prev[i]
            c = prev[i - bpp] if i >= bpp else 0
            if ftype == 1:
                pred = a
            elif ftype == 2:
                pred = b
            elif ftype == 3:
                pred = (a + b) >> 1
            else:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pred = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
            out[i] = (line[i] - pred) & 255
        raw += bytes([ftype]) + out
        prev = line

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", img.width, img.height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(raw))) + chunk(b"IEND", b""))


class Codec(unittest.TestCase):
    def test_png_round_trip(self):
        img = pattern(13, 7)
        back = decode_png(encode_png(img))
        self.assertEqual((back.width, back.height, back.px), (13, 7, img.px))

    def test_every_png_filter_decodes(self):
        img = pattern(9, 6)
        for ftype in (1, 2, 3, 4):
            with self.subTest(filter=ftype):
                self.assertEqual(decode_png(filtered_png(img, ftype)).px, img.px)

    def test_bmp_rows_are_padded_and_bottom_up(self):
        img = Image(3, 2)
        img.set(0, 0, (255, 0, 0, 255))
        img.set(2, 1, (0, 0, 255, 255))
        data = encode_bmp24(img)
        self.assertEqual(len(data), 54 + 2 * 12)  # 3 pixels = 9 bytes, padded to 12
        # The first stored row is the bottom one: its last pixel is blue, stored B, G, R.
        self.assertEqual(data[54 + 6:54 + 9], bytes((255, 0, 0)))
        with tempfile.TemporaryDirectory() as tmp:
            path = os.path.join(tmp, "t.bmp")
            with open(path, "wb") as f:
                f.write(data)
            back = read_bmp(path)
        self.assertEqual(back.get(0, 0), (255, 0, 0, 255))
        self.assertEqual(back.get(2, 1), (0, 0, 255, 255))

    def test_bmp_composites_transparency_over_the_matte(self):
        img = Image(1, 1, fill=(200, 100, 0, 0))
        self.assertEqual(encode_bmp24(img, matte=(10, 20, 30))[54:57], bytes((30, 20, 10)))

    def test_over_keeps_opaque_destination_opaque(self):
        dst = Image(2, 1, fill=(0, 0, 0, 255))
        src = Image(2, 1, fill=(255, 255, 255, 100))
        dst.over(src)
        self.assertEqual(dst.get(1, 0)[3], 255)
        self.assertTrue(95 <= dst.get(1, 0)[0] <= 105)


if __name__ == "__main__":
    unittest.main()
