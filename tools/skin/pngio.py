"""Minimal PNG and BMP reading/writing with the Python standard library only.

The skin build renders vector sources with rsvg-convert (8-bit RGBA PNG) and
computes the rest as pixel buffers here, so a decoder for non-interlaced 8-bit
PNG and an encoder for PNG and 24-bit BMP are all it needs.
"""

import struct
import zlib


class Image:
    """An RGBA image: `px` is a bytearray of width * height * 4 bytes, rows top down."""

    def __init__(self, width, height, px=None, fill=(0, 0, 0, 0)):
        self.width = width
        self.height = height
        if px is None:
            px = bytearray(bytes(fill) * (width * height))
        if len(px) != width * height * 4:
            raise ValueError("pixel buffer does not match the size")
        self.px = px

    def get(self, x, y):
        i = (y * self.width + x) * 4
        return tuple(self.px[i:i + 4])

    def set(self, x, y, rgba):
        i = (y * self.width + x) * 4
        self.px[i:i + 4] = bytes(rgba)

    def fill_rect(self, x0, y0, x1, y1, rgba):
        """Fills the half-open rectangle [x0, x1) x [y0, y1)."""
        row = bytes(rgba) * (x1 - x0)
        for y in range(y0, y1):
            i = (y * self.width + x0) * 4
            self.px[i:i + len(row)] = row

    def crop(self, x, y, w, h):
        out = Image(w, h)
        for r in range(h):
            s = ((y + r) * self.width + x) * 4
            out.px[r * w * 4:(r + 1) * w * 4] = self.px[s:s + w * 4]
        return out

    def paste(self, src, x, y):
        for r in range(src.height):
            d = ((y + r) * self.width + x) * 4
            self.px[d:d + src.width * 4] = src.px[r * src.width * 4:(r + 1) * src.width * 4]

    def over(self, src, x=0, y=0):
        """Composites `src` (straight alpha) over this image at (x, y)."""
        for r in range(src.height):
            for c in range(src.width):
                s = (r * src.width + c) * 4
                a = src.px[s + 3]
                if a == 0:
                    continue
                d = ((y + r) * self.width + x + c) * 4
                if a == 255:
                    self.px[d:d + 4] = src.px[s:s + 4]
                    continue
                da = self.px[d + 3]
                oa = a + da * (255 - a) // 255
                for k in range(3):
                    num = src.px[s + k] * a * 255 + self.px[d + k] * da * (255 - a)
                    self.px[d + k] = (num // (oa * 255)) if oa else 0
                self.px[d + 3] = oa


def _chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def encode_png(img):
    raw = bytearray()
    stride = img.width * 4
    for y in range(img.height):
        raw.append(0)
        raw += img.px[y * stride:(y + 1) * stride]
    ihdr = struct.pack(">IIBBBBB", img.width, img.height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + _chunk(b"IHDR", ihdr)
            + _chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + _chunk(b"IEND", b""))


def write_png(path, img):
    with open(path, "wb") as f:
        f.write(encode_png(img))


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        raise ValueError(f"{path}: not a PNG file")
    return struct.unpack(">II", head[16:24])


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def decode_png(data):
    """Decodes a non-interlaced 8-bit greyscale, RGB or RGBA PNG into an Image."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG stream")
    pos = 8
    idat = bytearray()
    width = height = None
    channels = None
    plte = None
    while pos < len(data):
        (length,) = struct.unpack(">I", data[pos:pos + 4])
        kind = data[pos + 4:pos + 8]
        body = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            width, height, depth, ctype, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or interlace != 0:
                raise ValueError("only 8-bit non-interlaced PNG is supported")
            channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[ctype]
            palette_mode = ctype == 3
        elif kind == b"PLTE":
            plte = body
        elif kind == b"IDAT":
            idat += body
        elif kind == b"IEND":
            break
    raw = zlib.decompress(bytes(idat))
    stride = width * channels
    out = bytearray(stride * height)
    prev = bytearray(stride)
    i = 0
    for y in range(height):
        ftype = raw[i]
        line = bytearray(raw[i + 1:i + 1 + stride])
        i += 1 + stride
        bpp = channels
        if ftype == 1:
            for x in range(bpp, stride):
                line[x] = (line[x] + line[x - bpp]) & 255
        elif ftype == 2:
            for x in range(stride):
                line[x] = (line[x] + prev[x]) & 255
        elif ftype == 3:
            for x in range(stride):
                left = line[x - bpp] if x >= bpp else 0
                line[x] = (line[x] + ((left + prev[x]) >> 1)) & 255
        elif ftype == 4:
            for x in range(stride):
                left = line[x - bpp] if x >= bpp else 0
                upleft = prev[x - bpp] if x >= bpp else 0
                line[x] = (line[x] + _paeth(left, prev[x], upleft)) & 255
        elif ftype != 0:
            raise ValueError(f"bad PNG filter {ftype}")
        out[y * stride:(y + 1) * stride] = line
        prev = line
    if channels == 4:
        return Image(width, height, out)
    rgba = bytearray(width * height * 4)
    for p in range(width * height):
        if channels == 3:
            rgba[p * 4:p * 4 + 3] = out[p * 3:p * 3 + 3]
            rgba[p * 4 + 3] = 255
        elif channels == 2:
            rgba[p * 4:p * 4 + 3] = bytes([out[p * 2]] * 3)
            rgba[p * 4 + 3] = out[p * 2 + 1]
        elif palette_mode:
            k = out[p] * 3
            rgba[p * 4:p * 4 + 3] = plte[k:k + 3]
            rgba[p * 4 + 3] = 255
        else:
            rgba[p * 4:p * 4 + 3] = bytes([out[p]] * 3)
            rgba[p * 4 + 3] = 255
    return Image(width, height, rgba)


def read_png(path):
    with open(path, "rb") as f:
        return decode_png(f.read())


def encode_bmp24(img, matte=(0, 0, 0)):
    """A bottom-up 24-bit BMP; transparent pixels are composited over `matte`."""
    row_bytes = (img.width * 3 + 3) & ~3
    pad = bytes(row_bytes - img.width * 3)
    body = bytearray()
    for y in range(img.height - 1, -1, -1):
        for x in range(img.width):
            i = (y * img.width + x) * 4
            r, g, b, a = img.px[i:i + 4]
            if a != 255:
                r = (r * a + matte[0] * (255 - a)) // 255
                g = (g * a + matte[1] * (255 - a)) // 255
                b = (b * a + matte[2] * (255 - a)) // 255
            body += bytes((b, g, r))
        body += pad
    header = struct.pack("<2sIHHI", b"BM", 54 + len(body), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, img.width, img.height, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    return header + info + bytes(body)


def write_bmp24(path, img, matte=(0, 0, 0)):
    with open(path, "wb") as f:
        f.write(encode_bmp24(img, matte))


def read_bmp(path):
    """Reads an uncompressed 24-bit BMP (bottom-up or top-down) into an Image."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] != b"BM":
        raise ValueError(f"{path}: not a BMP file")
    (offset,) = struct.unpack("<I", data[10:14])
    _, width, height, _, bits, compression = struct.unpack("<IiiHHI", data[14:34])
    if bits != 24 or compression != 0:
        raise ValueError(f"{path}: not an uncompressed 24-bit BMP")
    top_down = height < 0
    height = abs(height)
    row_bytes = (width * 3 + 3) & ~3
    img = Image(width, height)
    for r in range(height):
        y = r if top_down else height - 1 - r
        s = offset + r * row_bytes
        for x in range(width):
            b, g, rr = data[s + x * 3:s + x * 3 + 3]
            img.set(x, y, (rr, g, b, 255))
    return img
