#!/usr/bin/env python3
"""Checks the image files that the w32_image tests saved through GDI+ with an
independent decoder (Pillow), so that a writer and reader that agree on the
same mistake cannot pass. The pictures are the ones image_files_test.cpp
draws; their formulas are repeated here."""
import os
import struct
import sys

from PIL import Image

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def pattern_a(x, y):
    return ((x * 37) & 255, (y * 53) & 255, (x * 11 + y * 29) & 255)


QUADRANTS = [(0xC0, 0x20, 0x20), (0x20, 0xC0, 0x20), (0x20, 0x20, 0xC0), (0xE0, 0xE0, 0xE0)]
FLAT = [(0, 0, 0), (255, 255, 255), (255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 0)]


def quadrant(x, y):
    return QUADRANTS[(y >= 16) * 2 + (x >= 16)]


def flat(x, y):
    return FLAT[(x // 2 + y // 2 * 4) % 6]


def pal8_entry(i):
    return (i, 255 - i, (i * 7) & 255)  # red, green, blue


def pal8_index(x, y):
    return (x * 3 + y * 50 + 1) & 255


def bmp_bits(path):
    with open(path, "rb") as f:
        head = f.read(30)
    check(head[:2] == b"BM", f"{path}: not a BMP")
    return struct.unpack("<H", head[28:30])[0]


def expect_rgb(path, fmt, size, colour_of, tolerance=0, skip=lambda x, y: False):
    name = os.path.basename(path)
    if not os.path.exists(path):
        failures.append(f"{name}: missing")
        return
    with Image.open(path) as im:
        check(im.format == fmt, f"{name}: format {im.format}, expected {fmt}")
        check(im.size == size, f"{name}: size {im.size}, expected {size}")
        rgb = im.convert("RGB")
        for y in range(size[1]):
            for x in range(size[0]):
                if skip(x, y):
                    continue
                got = rgb.getpixel((x, y))
                want = colour_of(x, y)
                worst = max(abs(a - b) for a, b in zip(got, want))
                if worst > tolerance:
                    failures.append(f"{name}: pixel ({x},{y}) is {got}, expected {want}")
                    return


def main(folder):
    p = lambda name: os.path.join(folder, name)

    # A 32-bit picture saved as BMP is a 24-bit BMP.
    check(bmp_bits(p("rgb32.bmp")) == 24, "rgb32.bmp: not 24 bits per pixel")
    expect_rgb(p("rgb32.bmp"), "BMP", (7, 5), pattern_a)
    expect_rgb(p("rgb32.png"), "PNG", (7, 5), pattern_a)
    expect_rgb(p("rgb32.tif"), "TIFF", (7, 5), pattern_a)
    expect_rgb(p("upper.PNG"), "PNG", (7, 5), pattern_a)
    check(not os.path.exists(p("upper.PNG.png")), "upper.PNG got a second extension")
    # Chroma subsampling blurs colours across the quadrants' borders.
    near_border = lambda x, y: abs(x - 15.5) < 3 or abs(y - 15.5) < 3
    expect_rgb(p("photo.jpeg.jpg"), "JPEG", (32, 32), quadrant, tolerance=12, skip=near_border)
    expect_rgb(p("flat.gif"), "GIF", (8, 6), flat)

    # An 8-bit picture of width 3: an 8-bit BMP with the picture's palette
    # and its rows where they belong.
    path = p("pal8.bmp")
    check(bmp_bits(path) == 8, "pal8.bmp: not 8 bits per pixel")
    with Image.open(path) as im:
        check(im.mode == "P", f"pal8.bmp: mode {im.mode}, expected P")
        check(im.size == (3, 4), f"pal8.bmp: size {im.size}")
        palette = im.getpalette()
        for i in range(256):
            got = tuple(palette[3 * i:3 * i + 3])
            if got != pal8_entry(i):
                failures.append(f"pal8.bmp: palette entry {i} is {got}, expected {pal8_entry(i)}")
                break
        for y in range(4):
            for x in range(3):
                if im.getpixel((x, y)) != pal8_index(x, y):
                    failures.append(f"pal8.bmp: index at ({x},{y}) is {im.getpixel((x, y))}")

    # Saved through the "Save as" dialog with the PNG filter.
    expect_rgb(p("dialog_saved.png"), "PNG", (6, 6), lambda x, y: (0x33, 0x66, 0xCC))

    return report("all image files check out")


def report(all_good):
    """Prints the failures, or all_good; the exit status."""
    for f in failures:
        print("FAIL:", f)
    print(f"{len(failures)} failure(s)" if failures else all_good)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
