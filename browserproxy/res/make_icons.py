#!/usr/bin/env python3
"""Writes the icon groups of the browser rows (208 Chrome, 209 Firefox, 210
Internet Explorer, 211 Opera): the product's "N" in white on a rounded badge
of the browser's colour, with a light band along its top, drawn for 16 and 32
pixels (32-bit images with alpha and an AND mask). Run from this folder; the
.ico files are committed beside it."""
import struct

BROWSERS = {
    "chrome": (46, 125, 50),
    "firefox": (230, 96, 0),
    "ie": (21, 101, 192),
    "opera": (198, 40, 40),
}


def inside_rounded(x, y, size, radius):
    # Pixel centres inside a square with rounded corners.
    cx, cy = x + 0.5, y + 0.5
    r = radius
    nx = min(max(cx, r), size - r)
    ny = min(max(cy, r), size - r)
    return (cx - nx) ** 2 + (cy - ny) ** 2 <= r * r


def letter_n(x, y, size):
    # A bold "N": two stems and the diagonal between them.
    margin = size // 4
    stroke = max(2, size // 8)
    top, bottom = margin, size - margin
    left, right = margin, size - margin
    if not (top <= y < bottom):
        return False
    if left <= x < left + stroke or right - stroke <= x < right:
        return True
    # The diagonal from the top of the left stem to the bottom of the right one.
    t = (y - top + 0.5) / (bottom - top)
    centre = left + stroke / 2 + t * (right - left - stroke)
    return abs(x + 0.5 - centre) <= stroke * 0.6


def image(size, colour):
    radius = max(2, size // 5)
    light = tuple(min(255, c + 60) for c in colour)
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            if not inside_rounded(x, y, size, radius):
                row.append((0, 0, 0, 0))
            elif letter_n(x, y, size):
                row.append((255, 255, 255, 255))
            elif y < size // 3:
                row.append(light + (255,))
            else:
                row.append(colour + (255,))
        rows.append(row)
    return rows


def dib(rows):
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b""
    for y in range(size - 1, -1, -1):
        pixels += b"".join(bytes((b, g, r, a)) for (r, g, b, a) in rows[y])
    mask_row = ((size + 31) // 32) * 4
    mask = b""
    for y in range(size - 1, -1, -1):
        line = bytearray(mask_row)
        for x in range(size):
            if rows[y][x][3] == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(line)
    return header + pixels + mask


def write_ico(path, colour):
    images = [dib(image(size, colour)) for size in (16, 32)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((16, 32), images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    open(path, "wb").write(out + b"".join(images))


if __name__ == "__main__":
    for name, colour in BROWSERS.items():
        write_ico("browser_%s.ico" % name, colour)
