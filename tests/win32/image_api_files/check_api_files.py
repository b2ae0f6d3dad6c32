#!/usr/bin/env python3
"""Reads the files that w32_image_api_files saved through KBX_SaveImageFile
with an independent decoder (Pillow). The pictures are the ones
files_clipboard_test.cpp draws; their formulas are repeated here."""
import os
import sys

from PIL import Image


def distinct(x, y):
    return ((x * 37) & 255, (y * 53) & 255, (x * 11 + y * 29 + 7) & 255)


def quadrant(x, y):
    return [(0xC0, 0x20, 0x20), (0x20, 0xC0, 0x20), (0x20, 0x20, 0xC0), (0xE0, 0xE0, 0xE0)][(y >= 16) * 2 + (x >= 16)]


def check_pal8(path):
    """An 8-bit BMP with the palette (i, 255 - i, 7i) and its indices in place."""
    if not os.path.exists(path):
        return ["api_pal8.bmp: missing"]
    with Image.open(path) as im:
        if im.mode != "P" or im.size != (3, 4):
            return [f"api_pal8.bmp: mode {im.mode} size {im.size}, expected P (3, 4)"]
        palette = im.getpalette()
        for x in range(3):
            for y in range(4):
                i = (x * 3 + y * 50 + 1) & 255
                if im.getpixel((x, y)) != i or tuple(palette[3 * i:3 * i + 3]) != (i, 255 - i, (i * 7) & 255):
                    return [f"api_pal8.bmp: pixel ({x},{y}) is index {im.getpixel((x, y))}"]
    return []


def check(folder):
    failures = []

    def expect(name, fmt, size, colour_of, tolerance=0, skip=lambda x, y: False):
        path = os.path.join(folder, name)
        if not os.path.exists(path):
            failures.append(f"{name}: missing")
            return
        with Image.open(path) as im:
            if im.format != fmt or im.size != size:
                failures.append(f"{name}: {im.format} {im.size}, expected {fmt} {size}")
                return
            rgb = im.convert("RGB")
            for y in range(size[1]):
                for x in range(size[0]):
                    got, want = rgb.getpixel((x, y)), colour_of(x, y)
                    if not skip(x, y) and max(abs(a - b) for a, b in zip(got, want)) > tolerance:
                        failures.append(f"{name}: pixel ({x},{y}) is {got}, expected {want}")
                        return

    for name, fmt in [("api.bmp", "BMP"), ("api.PNG", "PNG"), ("api.tif", "TIFF"), ("api.Tiff", "TIFF"),
                      ("api.gif", "GIF")]:
        expect(name, fmt, (7, 5), distinct)
    near_border = lambda x, y: abs(x - 15.5) < 3 or abs(y - 15.5) < 3
    expect("api.jpeg", "JPEG", (32, 32), quadrant, tolerance=12, skip=near_border)

    failures += check_pal8(os.path.join(folder, "api_pal8.bmp"))
    for f in failures:
        print("FAIL:", f)
    print(f"{len(failures)} failure(s)" if failures else "all files written by the image API check out")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(check(sys.argv[1]))
