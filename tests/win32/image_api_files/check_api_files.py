#!/usr/bin/env python3
"""Reads the files that w32_image_api_files saved through KBX_SaveImageFile
with an independent decoder (Pillow), with the checks of image/check_files.py.
The pictures are the ones files_clipboard_test.cpp draws; their formulas are
repeated here."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "image"))
import check_files as files  # noqa: E402

from PIL import Image  # noqa: E402


def distinct(x, y):
    return ((x * 37) & 255, (y * 53) & 255, (x * 11 + y * 29 + 7) & 255)


def main(folder):
    p = lambda name: os.path.join(folder, name)
    # Each at exactly the name given: the extension chose the format.
    for name, fmt in [("api.bmp", "BMP"), ("api.PNG", "PNG"), ("api.tif", "TIFF"), ("api.Tiff", "TIFF"),
                      ("api.gif", "GIF")]:
        files.expect_rgb(p(name), fmt, (7, 5), distinct)
    near_border = lambda x, y: abs(x - 15.5) < 3 or abs(y - 15.5) < 3
    files.expect_rgb(p("api.jpeg"), "JPEG", (32, 32), files.quadrant, tolerance=12, skip=near_border)

    # An 8-bit BMP with the palette (i, 255 - i, 7i) and its indices in place.
    path = p("api_pal8.bmp")
    files.check(os.path.exists(path) and files.bmp_bits(path) == 8, "api_pal8.bmp: missing or not 8 bits")
    if os.path.exists(path):
        with Image.open(path) as im:
            palette = im.getpalette() or []
            for x in range(3):
                for y in range(4):
                    i = (x * 3 + y * 50 + 1) & 255
                    files.check(im.getpixel((x, y)) == i and tuple(palette[3 * i:3 * i + 3]) == files.pal8_entry(i),
                                f"api_pal8.bmp: pixel ({x},{y})")
    return files.report("all files written by the image API check out")


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
