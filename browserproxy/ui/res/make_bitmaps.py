#!/usr/bin/env python3
"""Writes the popups' bitmaps (24-bit BMP, magenta 0xFF00FF is the key colour):
footer image 237 and the close button in its three states 234, 235, 236.
Run from this folder; the .bmp files are committed beside it."""
import struct

KEY = (255, 0, 255)


def write_bmp(path, pixels):
    height = len(pixels)
    width = len(pixels[0])
    row = (width * 3 + 3) & ~3
    data = b""
    for y in range(height - 1, -1, -1):
        line = b"".join(bytes((b, g, r)) for (r, g, b) in pixels[y])
        data += line + b"\0" * (row - width * 3)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    open(path, "wb").write(header + info + data)


def footer():
    # A gold disc with a white "N" on the key colour, 14 x 14.
    size = 14
    pix = [[KEY] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            dx, dy = x - 6.5, y - 6.5
            if dx * dx + dy * dy <= 42:
                pix[y][x] = (230, 170, 40)
    for y in range(3, 11):
        pix[y][4] = (255, 255, 255)
        pix[y][9] = (255, 255, 255)
        pix[y][4 + (y - 3) * 5 // 7] = (255, 255, 255)
    return pix


def close(colour, back):
    size = 10
    pix = [[back] * size for _ in range(size)]
    for i in range(1, size - 1):
        pix[i][i] = colour
        pix[i][size - 1 - i] = colour
        if i + 1 < size - 1:
            pix[i][i + 1] = colour
            pix[i][size - 2 - i] = colour
    return pix


write_bmp("popup_footer.bmp", footer())
write_bmp("close_normal.bmp", close((90, 90, 90), KEY))
write_bmp("close_hot.bmp", close((200, 30, 30), KEY))
write_bmp("close_pressed.bmp", close((255, 255, 255), (160, 20, 20)))
