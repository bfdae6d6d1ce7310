#!/usr/bin/env python3
"""bench/make_hostile_files.py DIR : writes the hostile-file benchmark's inputs into DIR, once.

Small files that declare huge pictures (a few blocks of real JPEG data from cjpeg, the frame
header then rewritten), BMP headers that declare huge pictures with codings the format does not
define, the hostile files the loader tests make, a complete 16000 x 12000 JPEG streamed through
cjpeg, and good.jpg: the ordinary photograph that must follow each of them on time.
"""
import math
import os
import struct
import subprocess
import sys


def ppm(width, height, pixel_row):
    rows = b"".join(pixel_row(y) for y in range(height))
    return b"P6\n%d %d\n255\n" % (width, height) + rows


def detailed_row(width):
    def row(y):
        return bytes(((x * 7 + y * 13) % 256, (x * 3 + y * 5) % 256, (x ^ y) % 256)[c]
                     for x in range(width) for c in range(3))
    return row


def cjpeg(image, *options):
    return subprocess.run(["cjpeg", *options], input=image, stdout=subprocess.PIPE, check=True).stdout


def declaring(jpeg, width, height):
    """The JPEG with its frame header (SOFn) rewritten to declare width x height."""
    data = bytearray(jpeg)
    at = 2
    while at + 9 < len(data):
        marker, length = data[at + 1], struct.unpack(">H", data[at + 2:at + 4])[0]
        if 0xC0 <= marker <= 0xCF and marker not in (0xC4, 0xC8, 0xCC):
            data[at + 5:at + 9] = struct.pack(">HH", height, width)
            return bytes(data)
        at += 2 + length
    raise ValueError("no frame header")


def with_orientation(jpeg, orientation):
    tiff = b"II*\x00" + struct.pack("<I", 8) + struct.pack("<H", 1) + \
        struct.pack("<HHIHH", 0x0112, 3, 1, orientation, 0) + struct.pack("<I", 0)
    app1 = b"Exif\x00\x00" + tiff
    return jpeg[:2] + b"\xFF\xE1" + struct.pack(">H", len(app1) + 2) + app1 + jpeg[2:]


def bitmap(width, height, bits, compression, data, palette=b""):
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression, len(data), 0, 0, 0, 0)
    offset = 54 + len(palette)
    return b"BM" + struct.pack("<IHHI", offset + len(data), 0, 0, offset) + info + palette + data


def gif_declaring(width, height):
    return b"GIF89a" + struct.pack("<HH", width, height) + b"\x80\x00\x00\x00\x00\x00\xff\xff\xff" + \
        b"\x2c" + struct.pack("<HHHH", 0, 0, width, height) + b"\x00\x02\x02\x44\x01\x00\x3b"


def icon_declaring(width, height):
    image = struct.pack("<IiiHH", 40, width, height * 2, 1, 32) + bytes(24 + 64)
    return struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", 0, 0, 0, 0, 1, 32, len(image), 22) + image


def large_photo(path, width, height):
    """A complete photograph-sized JPEG, streamed so that no picture is held whole."""
    base = bytes(int(120 + 90 * math.sin(x / 97.0) + (x * 7) % 13) for x in range(width * 3 + 4096))
    with open(path, "wb") as out:
        encoder = subprocess.Popen(["cjpeg", "-quality", "80"], stdin=subprocess.PIPE, stdout=out)
        encoder.stdin.write(b"P6\n%d %d\n255\n" % (width, height))
        for y in range(height):
            shift = (y * 5 + (y // 64) * 131) % 4096
            encoder.stdin.write(base[shift:shift + width * 3])
        encoder.stdin.close()
        if encoder.wait() != 0:
            raise RuntimeError("cjpeg failed")


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    small = ppm(64, 48, detailed_row(64))
    files = {
        "baseline_65500x8196.jpg": declaring(cjpeg(small), 65500, 8196),
        "exif6_65500x8196.jpg": with_orientation(declaring(cjpeg(small), 65500, 8196), 6),
        "arithmetic_65500x8196.jpg": declaring(cjpeg(small, "-arithmetic"), 65500, 8196),
        "grey_progressive_65500x8196.jpg": declaring(cjpeg(small, "-grayscale", "-progressive"), 65500, 8196),
        "bmp_jpeg_coded_65500x8196.bmp": bitmap(65500, 8196, 24, 4, b""),
        "bmp_bitcount0_65500x8196.bmp": bitmap(65500, 8196, 0, 0, b""),
        "truncated.jpg": cjpeg(ppm(512, 512, detailed_row(512)))[:20000],
        "declaring_65000x65000.jpg": declaring(cjpeg(small), 65000, 65000),
        "rle8_8000x8000_empty.bmp": bitmap(8000, 8000, 8, 1, b"\x00\x01", bytes(1024)),
        "gif_declaring_8000x8000.gif": gif_declaring(8000, 8000),
        "ico_declaring_8000x8000.ico": icon_declaring(8000, 8000),
        "good.jpg": cjpeg(ppm(1600, 1200, detailed_row(1600))),
    }
    for name, data in files.items():
        path = os.path.join(folder, name)
        if not os.path.exists(path):
            with open(path, "wb") as out:
                out.write(data)
    large = os.path.join(folder, "complete_16000x12000.jpg")
    if not os.path.exists(large):
        large_photo(large, 16000, 12000)


if __name__ == "__main__":
    main()
