#!/usr/bin/env python3
"""Writes demo.ico, the demo's own icon (vnxpack build --icon): a screen
with a play mark, in 16, 32 and 48 pixels, 32-bit with alpha.

    python3 make_icon.py [OUT]
"""
import struct
import sys

SIZES = (16, 32, 48)
FRAME = (0x30, 0x30, 0x40)    # the screen's bezel, BGR
SCREEN = (0xA0, 0x50, 0x10)   # a blue stage
MARK = (0x30, 0xD0, 0xFF)     # a yellow play mark


def pixel(side, x, y):
    """BGRA of a pixel, y from the top."""
    border = max(1, side // 16)
    if x < border or y < border or x >= side - border or y >= side - border:
        return FRAME + (0xFF,)
    # The play mark: a triangle pointing right in the middle of the screen.
    left, right = side * 3 // 8, side * 11 // 16
    middle, half = side / 2, (right - left) * 0.6
    if left <= x < right and abs(y + 0.5 - middle) <= half * (right - x) / (right - left):
        return MARK + (0xFF,)
    return SCREEN + (0xFF,)


def image(side):
    header = struct.pack("<IiiHHIIiiII", 40, side, 2 * side, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = [b"".join(bytes(pixel(side, x, y)) for x in range(side)) for y in range(side)]
    pixels = b"".join(reversed(rows))  # bottom row first
    mask = bytes((side + 31) // 32 * 4 * side)  # all opaque: the alpha decides
    return header + pixels + mask


def icon():
    images = [image(side) for side in SIZES]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for side, data in zip(SIZES, images):
        directory += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return directory + b"".join(images)


if __name__ == "__main__":
    with open(sys.argv[1] if len(sys.argv) > 1 else "demo.ico", "wb") as out:
        out.write(icon())
