#!/usr/bin/env python3
"""Small writers for the fuzzing seeds: seed_writers.py jpeg|bmp|gif|resample WORK OUT [EXIF-OUT]."""
import glob
import os
import struct
import sys


def exif(orientation, big_endian):
    order = ">" if big_endian else "<"
    tiff = (b"MM\x00*" if big_endian else b"II*\x00") + struct.pack(order + "I", 8) + struct.pack(order + "H", 1)
    tiff += struct.pack(order + "HHI", 0x0112, 3, 1) + struct.pack(order + "HH", orientation, 0) + struct.pack(order + "I", 0)
    return b"Exif\x00\x00" + tiff


def with_app1(jpeg, app1):
    return jpeg[:2] + b"\xFF\xE1" + struct.pack(">H", len(app1) + 2) + app1 + jpeg[2:]


def declaring(jpeg, width, height):
    data, at = bytearray(jpeg), 2
    while at + 9 < len(data):
        marker, length = data[at + 1], struct.unpack(">H", data[at + 2:at + 4])[0]
        if 0xC0 <= marker <= 0xCF and marker not in (0xC4, 0xC8, 0xCC):
            data[at + 5:at + 9] = struct.pack(">HH", height, width)
            break
        at += 2 + length
    return bytes(data)


def bound_prefix(choice, scale_percent):
    return struct.pack(">HH", choice, scale_percent - 1)


def write(folder, name, data):
    with open(os.path.join(folder, name), "wb") as out:
        out.write(data)


def jpeg_seeds(work, out, exif_out):
    files = {os.path.basename(p)[:-4]: open(p, "rb").read() for p in sorted(glob.glob(os.path.join(work, "*.jpg")))}
    for name, data in files.items():
        for choice in range(4):
            write(out, "%s_bound%d" % (name, choice), bound_prefix(choice, 150) + data)
    base = files["baseline"]
    for orientation in range(1, 9):
        app1 = exif(orientation, orientation % 2 == 0)
        write(exif_out, "orientation%d" % orientation, app1)
        write(out, "orientation%d_actual" % orientation, bound_prefix(1, 100) + with_app1(base, app1))
        write(out, "orientation%d_scaled" % orientation, bound_prefix(3, 250) + with_app1(base, app1))
    write(exif_out, "not_exif", b"http://ns.adobe.com/xap/1.0/\x00<x/>")
    write(exif_out, "cut", exif(6, False)[:17])
    for name in ("baseline", "arithmetic", "grey_progressive", "progressive_arithmetic", "restart"):
        for choice in range(3):
            write(out, "%s_huge_bound%d" % (name, choice), bound_prefix(choice, 100) + declaring(files[name], 65500, 8196))
    write(out, "exif6_huge_actual", bound_prefix(1, 100) + declaring(with_app1(base, exif(6, False)), 65500, 8196))


def bitmap(width, height, bits, compression, data, palette=b"", header=40):
    if header == 12:
        info = struct.pack("<IHHHH", 12, width, height, 1, bits)
    else:
        info = struct.pack("<IiiHHIIiiII", header, width, height, 1, bits, compression, len(data), 2835, 2835, 0, 0)
        info += bytes(header - 40)
    offset = 14 + len(info) + len(palette)
    return b"BM" + struct.pack("<IHHI", offset + len(data), 0, 0, offset) + info + palette + data


def rows(width, height, bits):
    stride = (width * bits + 31) // 32 * 4
    return bytes((i * 37) % 256 for i in range(stride * height))


def bmp_seeds(work, out):
    grey = b"".join(struct.pack("<BBBB", i, i, i, 0) for i in range(256))
    for bits in (1, 4, 8, 16, 24, 32):
        palette = grey[:4 * (1 << bits)] if bits <= 8 else b""
        write(out, "bits%d.bmp" % bits, bitmap(13, 7, bits, 0, rows(13, 7, bits), palette))
    write(out, "top_down.bmp", bitmap(13, -7, 24, 0, rows(13, 7, 24)))
    write(out, "core_header.bmp", bitmap(13, 7, 24, 0, rows(13, 7, 24), header=12))
    write(out, "v5_header.bmp", bitmap(13, 7, 32, 0, rows(13, 7, 32), header=124))
    masks = struct.pack("<III", 0xF800, 0x07E0, 0x001F)
    write(out, "bitfields16.bmp", bitmap(13, 7, 16, 3, rows(13, 7, 16), masks))
    write(out, "rle8.bmp", bitmap(16, 2, 8, 1, bytes([16, 1, 0, 0, 16, 2, 0, 1]), grey))
    write(out, "rle4.bmp", bitmap(8, 2, 4, 2, bytes([8, 0x12, 0, 0, 8, 0x33, 0, 1]), grey[:64]))
    write(out, "rle8_huge_empty.bmp", bitmap(8000, 8000, 8, 1, bytes([0, 1]), grey))
    write(out, "jpeg_coded_header.bmp", bitmap(65500, 8196, 24, 4, b""))
    write(out, "bitcount0_header.bmp", bitmap(65500, 8196, 0, 0, b""))
    write(out, "gif_magic", b"GIF89a\x01\x00\x01\x00\x00\x00\x00")
    write(out, "emf_magic", b"\x01\x00\x00\x00" + bytes(36) + b" EMF")


def gif_image_descriptor(gif):
    """Where the first image descriptor starts, past the global table and any extensions."""
    at = 13 + (3 << (gif[10] & 7) + 1 if gif[10] & 0x80 else 0)
    while gif[at] == 0x21:
        at += 2
        while gif[at]:
            at += 1 + gif[at]
        at += 1
    return at


def gif_without_table(gif):
    """The global table cut out and its flag cleared; the table's size bits stay."""
    table = 3 << (gif[10] & 7) + 1
    return gif[:10] + bytes([gif[10] & 0x7F]) + gif[11:13] + gif[13 + table:]


def gif_declaring(gif, width, height):
    """The screen and the first image declaring width x height over the same few bytes of data."""
    data, at = bytearray(gif), gif_image_descriptor(gif)
    data[6:10] = data[at + 5:at + 9] = struct.pack("<HH", width, height)
    return bytes(data)


def gif_seeds(work, out):
    files = {os.path.basename(p)[:-4]: open(p, "rb").read() for p in sorted(glob.glob(os.path.join(work, "*.gif")))}
    files["no_table"] = gif_without_table(files["plain"])
    files["no_table_one_pixel"] = gif_without_table(b"GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff"
                                                    b"\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3b")
    files["huge"] = gif_declaring(files["plain"], 65500, 8196)
    files["huge_interlaced"] = gif_declaring(files["interlaced"], 16000, 12000)
    for name, data in files.items():
        for choice in range(4):
            write(out, "%s_bound%d" % (name, choice), bound_prefix(choice, 150) + data)


def resample_seeds(out):
    import random
    rng = random.Random(5)
    shapes = [(4000, 3000, 1920, 1080, 0), (16000, 12000, 1920, 1080, 1000), (16000, 12000, 320, 180, 200),
              (1, 1, 400, 300, 65000), (65535, 1, 7, 300, 3), (300, 299, 299, 300, 2500)]
    for i, (w, h, bw, bh, scale) in enumerate(shapes):
        data = struct.pack(">HHHHHH", w - 1, h - 1, bw - 1, bh - 1, scale, i % 8)
        data += bytes(rng.randrange(256) for _ in range(8))
        write(out, "shape%d" % i, data)


if __name__ == "__main__":
    kind, work, out = sys.argv[1:4]
    if kind == "jpeg":
        jpeg_seeds(work, out, sys.argv[4])
    elif kind == "bmp":
        bmp_seeds(work, out)
    elif kind == "gif":
        gif_seeds(work, out)
    else:
        resample_seeds(out)
