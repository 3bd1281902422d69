"""Thumbnails of every icon, cursor and animated cursor of the sample folder, made by Pelorin's
thumbnailer and by gdk-pixbuf's (the one GNOME and Xfce have for these types), side by side.

    compare-with-gdk-pixbuf.py <pelorin-thumbnailer> <sample folder> [sizes, default 32 48 128 256]

For each file and size, each thumbnailer's result: made or not, its size, the share of fully
transparent pixels, and where the sample folder has a reference rendering of the icon (another
decoder's picture of its largest image, reference/): the share of pixels whose transparency
(alpha at least 128 or not) differs from the reference, and the mean difference of the
alpha-weighted colours (0 to 255). The reference is scaled to the thumbnail's size first: a
larger reference by averaging its pixels, a smaller one pixel for pixel ("nearest"); "exact"
is then the share of the thumbnail's pixels equal to that pixel-for-pixel enlargement, which is
100% for a crisp enlargement and falls as enlarging blurs.
"""

import os
import struct
import subprocess
import sys
import tempfile
import zlib

THUMBNAILER, DATA = sys.argv[1], sys.argv[2]
SIZES = [int(s) for s in sys.argv[3:]] or [32, 48, 128, 256]
REFERENCES = {
    "ico/mozilla-reftest/ico-bmp-1bpp/ico-size-32x32-1bpp.ico": "mozilla-reftest/ico-bmp-1bpp/ico-size-32x32-1bpp.png",
    "ico/mozilla-reftest/ico-bmp-4bpp/ico-size-32x32-4bpp.ico": "mozilla-reftest/ico-bmp-4bpp/ico-size-32x32-4bpp.png",
    "ico/mozilla-reftest/ico-bmp-8bpp/ico-size-32x32-8bpp.ico": "mozilla-reftest/ico-bmp-8bpp/ico-size-32x32-8bpp.png",
    "ico/mozilla-reftest/ico-bmp-8bpp/ico-not-square-transparent-8bpp.ico": "mozilla-reftest/ico-bmp-8bpp/ico-not-square-transparent-8bpp.png",
    "ico/mozilla-reftest/ico-bmp-24bpp/ico-size-32x32-24bpp.ico": "mozilla-reftest/ico-bmp-24bpp/ico-size-32x32-24bpp.png",
    "ico/mozilla-reftest/ico-bmp-32bpp/ico-size-32x32-32bpp.ico": "mozilla-reftest/ico-bmp-32bpp/ico-size-32x32-32bpp.png",
    "ico/image-rs/png-32bpp-alpha.ico": "image-rs/png-32bpp-alpha.ico.png",
    "ico/image-rs/multiple_entries_with_different_bit_depth.ico": "image-rs/multiple_entries_with_different_bit_depth.ico.png",
}


def read_png(path):
    """Width, height and RGBA rows of an 8-bit, non-interlaced PNG (grey, RGB, RGBA)."""
    data = open(path, "rb").read()
    at, idat, header = 8, b"", None
    while at < len(data):
        (length,) = struct.unpack(">I", data[at : at + 4])
        kind, body = data[at + 4 : at + 8], data[at + 8 : at + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    width, height, depth, colour, _, _, interlace = header
    channels = {0: 1, 2: 3, 4: 2, 6: 4}[colour]
    assert depth == 8 and interlace == 0, path
    raw, stride, rows, previous = zlib.decompress(idat), width * channels, [], bytearray(width * channels)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1 : (y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b, c = previous[i], previous[i - channels] if i >= channels else 0
            p = a + b - c
            pred = [0, a, b, (a + b) // 2, a if abs(p - a) <= abs(p - b) and abs(p - a) <= abs(p - c) else b if abs(p - b) <= abs(p - c) else c][kind]
            line[i] = (line[i] + pred) & 0xFF
        rows.append([expand(line[x * channels : (x + 1) * channels]) for x in range(width)])
        previous = line
    return width, height, rows


def expand(p):
    if len(p) == 1:
        return (p[0], p[0], p[0], 255)
    if len(p) == 2:
        return (p[0], p[0], p[0], p[1])
    if len(p) == 3:
        return (p[0], p[1], p[2], 255)
    return tuple(p)


def weighted(p):
    return (p[0] * p[3] / 255, p[1] * p[3] / 255, p[2] * p[3] / 255, p[3])


def scaled(ref, width, height):
    """The reference at width x height: averaged down, or enlarged pixel for pixel."""
    rw, rh, rows = ref
    out = []
    for y in range(height):
        line = []
        for x in range(width):
            if width >= rw:
                line.append(weighted(rows[y * rh // height][x * rw // width]))
                continue
            x0, x1 = x * rw // width, max(x * rw // width + 1, (x + 1) * rw // width)
            y0, y1 = y * rh // height, max(y * rh // height + 1, (y + 1) * rh // height)
            block = [weighted(rows[j][i]) for j in range(y0, y1) for i in range(x0, x1)]
            line.append(tuple(sum(p[c] for p in block) / len(block) for c in range(4)))
        out.append(line)
    return out


def measure(command, out):
    if os.path.exists(out):
        os.remove(out)
    made = subprocess.run(command, capture_output=True).returncode == 0 and os.path.exists(out)
    return read_png(out) if made else None


def describe(thumb, ref):
    if thumb is None:
        return "none"
    width, height, rows = thumb
    pixels = [p for row in rows for p in row]
    clear = sum(p[3] == 0 for p in pixels) / len(pixels)
    text = f"{width}x{height} clear {clear:4.0%}"
    if ref is not None:
        expect = scaled(ref, width, height)
        got = [weighted(p) for p in pixels]
        want = [p for row in expect for p in row]
        alpha = sum((g[3] >= 128) != (w[3] >= 128) for g, w in zip(got, want)) / len(got)
        diff = sum(abs(g[c] - w[c]) for g, w in zip(got, want) for c in range(4)) / (4 * len(got))
        text += f" alpha-wrong {alpha:4.0%} diff {diff:5.1f}"
        if width > ref[0]:
            exact = sum(all(abs(g[c] - w[c]) < 1 for c in range(4)) for g, w in zip(got, want))
            text += f" exact {exact / len(got):4.0%}"
    return text


with tempfile.TemporaryDirectory() as folder:
    out = os.path.join(folder, "t.png")
    for top, _, names in sorted(os.walk(DATA)):
        for name in sorted(names):
            if not name.lower().endswith((".ico", ".cur", ".ani")):
                continue
            path = os.path.join(top, name)
            relative = os.path.relpath(path, DATA)
            ref = REFERENCES.get(relative)
            ref = read_png(os.path.join(DATA, "reference", ref)) if ref else None
            for size in SIZES:
                gdk = measure(["gdk-pixbuf-thumbnailer", "-s", str(size), path, out], out)
                ours = measure([THUMBNAILER, "-s", str(size), path, out], out)
                print(f"{relative} @{size}\n  gdk-pixbuf: {describe(gdk, ref)}\n  Pelorin:    {describe(ours, ref)}")
