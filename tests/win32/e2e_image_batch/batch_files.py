#!/usr/bin/env python3
"""The pictures the image batch test works on, made and checked with an
independent encoder and decoder (Pillow).

  batch_files.py make DIR    writes DIR/in: 20 pictures in mixed formats and
                             one corrupt file, and an empty DIR/out
  batch_files.py check DIR   checks that DIR/out holds each picture turned a
                             quarter right in its own format, and nothing else
"""
import os
import shutil
import sys

from PIL import Image

# name, Pillow format; twenty pictures.
PICTURES = ([(f"bmp{i}.bmp", "BMP") for i in range(4)] + [(f"png{i}.png", "PNG") for i in range(4)] +
            [(f"gif{i}.gif", "GIF") for i in range(4)] + [(f"tif{i}.tif", "TIFF") for i in range(3)] +
            [("big.TIFF", "TIFF")] + [(f"jpg{i}.jpg", "JPEG") for i in range(3)] + [("photo.jpeg", "JPEG")])
CORRUPT = "broken.png"


def picture(index, fmt):
    w, h = 24 + 3 * index, 12 + 2 * index
    im = Image.new("RGB", (w, h))
    for y in range(h):
        for x in range(w):
            if fmt == "JPEG":   # smooth, so that the lossy round trip stays close
                im.putpixel((x, y), (x * 255 // w, y * 255 // h, 128))
            else:
                im.putpixel((x, y), ((x * 37 + index) & 255, (y * 53) & 255, (x * 11 + y * 29) & 255))
    if fmt == "GIF":
        im = im.quantize(colors=200)   # GIF holds palette indices only
    return im


def make(folder):
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(os.path.join(folder, "in"))
    os.makedirs(os.path.join(folder, "out"))
    for index, (name, fmt) in enumerate(PICTURES):
        picture(index, fmt).save(os.path.join(folder, "in", name), fmt, **({"quality": 95} if fmt == "JPEG" else {}))
    with open(os.path.join(folder, "in", CORRUPT), "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + bytes(range(256)) * 4)
    return 0


def check(folder):
    failures = []
    for name, fmt in PICTURES:
        out = os.path.join(folder, "out", name)
        if not os.path.exists(out):
            failures.append(f"{name}: no output")
            continue
        with Image.open(os.path.join(folder, "in", name)) as src, Image.open(out) as got:
            want = src.convert("RGB").transpose(Image.ROTATE_270)   # a quarter turn clockwise
            if got.format != fmt or got.size != want.size:
                failures.append(f"{name}: {got.format} {got.size}, expected {fmt} {want.size}")
                continue
            got = got.convert("RGB")
            diffs = [max(abs(a - b) for a, b in zip(got.getpixel((x, y)), want.getpixel((x, y))))
                     for y in range(want.size[1]) for x in range(want.size[0])]
            if fmt == "JPEG":
                if sum(diffs) / len(diffs) > 3 or max(diffs) > 40:
                    failures.append(f"{name}: mean difference {sum(diffs) / len(diffs):.1f}, max {max(diffs)}")
            elif max(diffs) != 0:
                failures.append(f"{name}: {sum(d != 0 for d in diffs)} pixels differ")
    extra = set(os.listdir(os.path.join(folder, "out"))) - {name for name, _ in PICTURES}
    if extra:
        failures.append(f"unexpected outputs: {sorted(extra)}")
    for f in failures:
        print("FAIL:", f)
    print(f"{len(failures)} failure(s)" if failures else "all 20 batch outputs check out")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit({"make": make, "check": check}[sys.argv[1]](sys.argv[2]))
