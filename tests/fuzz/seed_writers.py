#!/usr/bin/env python3
"""Small writers for the fuzzing seeds: seed_writers.py jpeg|bmp|bitmap|gif|resample WORK OUT [EXIF-OUT]."""
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
            # As large as a fuzzing build believes, at the widest side: the data runs out early.
            write(out, "%s_wide_bound%d" % (name, choice), bound_prefix(choice, 100) + declaring(files[name], 65500, 256))
    write(out, "exif6_huge_actual", bound_prefix(1, 100) + declaring(with_app1(base, exif(6, False)), 65500, 8196))


def info_header(width, height, bits, compression, data_size, header, masks=(), colours=0):
    if header == 12:
        return struct.pack("<IHHHH", 12, width, height, 1, bits)
    info = struct.pack("<IiiHHIIiiII", header, width, height, 1, bits, compression, data_size, 2835, 2835, colours, 0)
    if header >= 52 and header != 64:  # masks inside the header (but OS/2's)
        info += struct.pack("<4I", *(tuple(masks) + (0, 0, 0, 0))[:4])
    return (info + bytes(header))[:header]


def bitmap(width, height, bits, compression, data, palette=b"", header=40, masks=(), colours=0):
    info = info_header(width, height, bits, compression, len(data), header, masks, colours)
    after = struct.pack("<%dI" % len(masks), *masks) if header == 40 else b""
    offset = 14 + len(info) + len(after) + len(palette)
    return b"BM" + struct.pack("<IHHI", offset + len(data), 0, 0, offset) + info + after + palette + data


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


GREY = b"".join(struct.pack("<BBBB", i, i, i, 0) for i in range(256))


def bitmap_files():
    """Files for the bitmap harness beyond ImageMagick's: every header, mask, run and palette case."""
    files = {}
    triples = b"".join(GREY[4 * i:4 * i + 3] for i in range(256))  # the core header's palette entries
    for bits in (1, 4, 8, 24):
        palette = triples[:3 * (1 << bits)] if bits <= 8 else b""
        files["core_bits%d" % bits] = bitmap(13, 7, bits, 0, rows(13, 7, bits), palette, header=12)
    masked = {  # name: bits, compression, header, masks
        "v2_565": (16, 3, 52, (0xF800, 0x07E0, 0x001F)),
        "v3_bgra": (32, 3, 56, (0x0000FF00, 0x00FF0000, 0xFF000000, 0x000000FF)),
        "v4_alpha": (32, 3, 108, (0xFF0000, 0xFF00, 0xFF, 0xFF000000)),
        "v5_4444": (16, 3, 124, (0x0F00, 0x00F0, 0x000F, 0xF000)),
        "alphabitfields_1555": (16, 6, 40, (0x7C00, 0x03E0, 0x001F, 0x8000)),
        "alphabitfields_8888": (32, 6, 40, (0xFF, 0xFF00, 0xFF0000, 0xFF000000)),
        "mask_231": (16, 3, 40, (0x0030, 0x000E, 0x0001)),
        "mask_880": (16, 3, 40, (0xFF00, 0x00FF, 0)),
        "mask_10_10_10_2": (32, 3, 40, (0x3FF00000, 0x000FFC00, 0x000003FF)),
        "mask_wide_red": (32, 3, 40, (0xFFFFF000, 0x00000F00, 0x000000FF)),
        "mask_not_contiguous": (16, 3, 40, (0xF00F, 0x07E0, 0x001F)),
    }
    for name, (bits, compression, header, masks) in masked.items():
        files[name] = bitmap(13, 7, bits, compression, rows(13, 7, bits), header=header, masks=masks)
    files["os2_header_8"] = bitmap(13, 7, 8, 0, rows(13, 7, 8), GREY, header=64)
    files["os2_header_rle8"] = bitmap(16, 2, 8, 1, bytes([16, 1, 0, 0, 16, 2, 0, 1]), GREY, header=64)
    files["short_palette"] = bitmap(13, 7, 8, 0, rows(13, 7, 8), GREY[:12], colours=3)
    files["palette_cut_by_offset"] = bitmap(13, 7, 8, 0, rows(13, 7, 8), GREY[:40], colours=0)
    files["top_down_1"] = bitmap(13, -7, 1, 0, rows(13, 7, 1), GREY[:8])
    # Runs: encoded, absolute (odd length, padded), deltas, end of line, end of bitmap.
    rle8 = bytes([3, 9, 0, 5, 1, 2, 3, 4, 5, 0, 0, 2, 2, 1, 4, 7, 0, 0, 0, 2, 0, 2, 2, 8, 0, 1])
    files["rle8_deltas"] = bitmap(12, 6, 8, 1, rle8, GREY)
    files["rle8_top_down"] = bitmap(12, -6, 8, 1, rle8, GREY)
    files["rle8_no_end"] = bitmap(4, 2, 8, 1, bytes([4, 1, 0, 0, 4, 2]), GREY)
    files["rle8_cut"] = bitmap(4, 3, 8, 1, bytes([4, 1, 0, 0, 4]), GREY)
    files["rle8_run_past_row"] = bitmap(4, 2, 8, 1, bytes([200, 3, 0, 0, 0, 9] + list(range(9)) + [0, 0, 1]), GREY)
    rle4 = bytes([5, 0x12, 0, 3, 0x34, 0x50, 0, 2, 1, 1, 3, 0x77, 0, 0, 0, 1])
    files["rle4_deltas"] = bitmap(9, 3, 4, 2, rle4, GREY[:64])
    return files


def icon(images):
    """An icon file of the given images (bytes), its directory first."""
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset, entries = 6 + 16 * len(images), b""
    for image in images:
        entries += struct.pack("<BBBBHHII", 0, 0, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return directory + entries + b"".join(images)


def icon_image(width, height, bits, pixels, palette=b"", mask=True):
    """An icon's bitmap image: its header counts the mask's rows too."""
    info = info_header(width, height * 2, bits, 0, 0, 40)
    return info + palette + pixels + (rows(width, height, 1) if mask else b"")


def png(width, height):
    import zlib
    raw = b"".join(b"\x00" + bytes(3 * width) for _ in range(height))
    chunk = lambda kind, body: struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def icon_files():
    triples = b"".join(GREY[4 * i:4 * i + 3] for i in range(256))
    alpha = bytes(i % 256 for i in range(16 * 16 * 4))
    no_alpha = b"".join(bytes([i % 256, 40, 200, 0]) for i in range(16 * 16))
    return {
        "icon_4bit_masked": icon([icon_image(16, 16, 4, rows(16, 16, 4), GREY[:64])]),
        "icon_1bit": icon([icon_image(32, 32, 1, rows(32, 32, 1), GREY[:8])]),
        "icon_8bit_and_24bit": icon([icon_image(16, 16, 8, rows(16, 16, 8), GREY), icon_image(16, 16, 24, rows(16, 16, 24))]),
        "icon_32bit_alpha": icon([icon_image(16, 16, 32, alpha)]),
        "icon_32bit_zero_alpha": icon([icon_image(16, 16, 32, no_alpha)]),
        "icon_mask_missing": icon([icon_image(16, 16, 24, rows(16, 16, 24), mask=False)]),
        "icon_png_and_bitmap": icon([png(64, 64), icon_image(16, 16, 8, rows(16, 16, 8), GREY)]),
        "icon_broken_largest": icon([icon_image(64, 64, 24, b"\x00" * 40), icon_image(16, 16, 4, rows(16, 16, 4), GREY[:64])]),
        "icon_core_header": icon([struct.pack("<IHHHH", 12, 8, 16, 1, 8) + triples + rows(8, 8, 8) + rows(8, 8, 1)]),
    }


def bitmap_seeds(work, out):
    """ImageMagick's files in WORK/bitmap and the ones above, each led by the harness's bound."""
    files = {os.path.basename(p): open(p, "rb").read() for p in sorted(glob.glob(os.path.join(work, "bitmap", "*")))}
    files.update(bitmap_files())
    files.update(icon_files())
    for name, data in files.items():
        for choice, scale in ((0, 100), (3, 250)):
            write(out, "%s_bound%d" % (name, choice), bound_prefix(choice, scale) + data)


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


def gif_wide_code(code_size, width, height, clear_every):
    """A GIF whose first code is wider than 9 bits, its pixels coded as literals alone."""
    clear = 1 << code_size
    data = b"GIF89a" + struct.pack("<HHBBB", width, height, 0xF7, 0, 0)
    data += bytes((i * 7) & 0xFF for i in range(3 * 256))
    data += b"\x2c" + struct.pack("<HHHHB", 0, 0, width, height, 0) + bytes([code_size])
    bits, count, coded = 0, 0, bytearray()

    def put(code, bit_width):
        nonlocal bits, count
        bits |= code << count
        count += bit_width
        while count >= 8:
            coded.append(bits & 0xFF)
            bits >>= 8
            count -= 8

    bit_width, next_code, since_clear = code_size + 1, clear + 2, 0
    put(clear, bit_width)
    for i in range(width * height):
        if clear_every and since_clear == clear_every:
            put(clear, bit_width)
            bit_width, next_code, since_clear = code_size + 1, clear + 2, 0
        put(i * 37 % (clear - 1), bit_width)
        if since_clear > 0 and next_code < 4096:
            next_code += 1
            if next_code == 1 << bit_width and bit_width < 12:
                bit_width += 1
        since_clear += 1
    put(clear + 1, bit_width)
    if count:
        coded.append(bits & 0xFF)
    for at in range(0, len(coded), 255):
        data += bytes([len(coded[at:at + 255])]) + coded[at:at + 255]
    return data + b"\x00\x3b"


def gif_seeds(work, out):
    files = {os.path.basename(p)[:-4]: open(p, "rb").read() for p in sorted(glob.glob(os.path.join(work, "*.gif")))}
    files["no_table"] = gif_without_table(files["plain"])
    files["no_table_one_pixel"] = gif_without_table(b"GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff"
                                                    b"\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3b")
    files["huge"] = gif_declaring(files["plain"], 65500, 8196)
    files["huge_interlaced"] = gif_declaring(files["interlaced"], 16000, 12000)
    files["wide_code"] = gif_wide_code(10, 24, 16, 600)
    files["wide_code_full_table"] = gif_wide_code(11, 64, 40, 0)
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
    elif kind == "bitmap":
        bitmap_seeds(work, out)
    elif kind == "gif":
        gif_seeds(work, out)
    else:
        resample_seeds(out)
