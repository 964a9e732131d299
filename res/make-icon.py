# Draws Zandry's icon, a white paw print on a teal disc, into res/zandry.ico: one group of a
# 32x32 and a 16x16 image, 16 colours each. Run it again after changing the artwork.
import struct
import sys
from pathlib import Path

# Windows' standard 16-colour palette, so the icon looks the same on any display depth.
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
TRANSPARENT, RIM, DISC, SHINE, PAW = None, 4, 6, 14, 15

# Shapes in a unit square, y downwards: the paw's main pad and its four toes.
PAD = (0.50, 0.65, 0.20, 0.15)  # centre x, centre y, radius x, radius y
TOES = [(0.24, 0.43, 0.075), (0.39, 0.28, 0.075), (0.61, 0.28, 0.075), (0.76, 0.43, 0.075)]


def colour_at(u, v, size):
    """The palette index at a pixel centre (u, v), or TRANSPARENT outside the disc."""
    pixel = 1.0 / size
    du, dv = u - 0.5, v - 0.5
    distance2 = du * du + dv * dv
    outer = 0.5 - pixel * 0.1
    if distance2 > outer * outer:
        return TRANSPARENT
    rim = outer - pixel * (1.0 if size <= 16 else 1.5)
    if distance2 > rim * rim:
        return RIM
    cx, cy, rx, ry = PAD
    if ((u - cx) / rx) ** 2 + ((v - cy) / ry) ** 2 <= 1.0:
        return PAW
    for tx, ty, r in TOES:
        if (u - tx) ** 2 + (v - ty) ** 2 <= r * r:
            return PAW
    # A crescent of light along the upper left gives the disc some roundness.
    if size > 16 and du + dv < 0 and (du - 0.05) ** 2 + (dv - 0.05) ** 2 > 0.43 * 0.43:
        return SHINE
    return DISC


def image(size):
    """One icon image: BITMAPINFOHEADER, palette, 4-bit colour rows and the AND mask."""
    rows = [[colour_at((x + 0.5) / size, (y + 0.5) / size, size) for x in range(size)]
            for y in range(size)]
    colour_row_bytes = (size * 4 + 31) // 32 * 4
    mask_row_bytes = (size + 31) // 32 * 4
    colour, mask = bytearray(), bytearray()
    for row in reversed(rows):  # DIBs are stored bottom-up
        line = bytearray(colour_row_bytes)
        bits = bytearray(mask_row_bytes)
        for x, index in enumerate(row):
            if index is TRANSPARENT:
                bits[x // 8] |= 0x80 >> (x % 8)
                index = 0
            line[x // 2] |= index << (4 if x % 2 == 0 else 0)
        colour += line
        mask += bits
    # The height counts the colour and the mask halves together.
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0,
                         len(colour) + len(mask), 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    return header + palette + bytes(colour) + bytes(mask)


def icon(sizes):
    images = [image(size) for size in sizes]
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    return bytes(out)


def main():
    target = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).with_name('zandry.ico')
    target.write_bytes(icon([32, 16]))


if __name__ == '__main__':
    main()
