#!/usr/bin/env python3
"""Writes the ICC profiles the colour tests and benchmarks need that Debian ships none of:
   display_p3.icc  the wide gamut of phone photographs (P3 primaries, D65, sRGB tone curve)
   grey18.icc      greyscale with a gamma of 1.8 (so it visibly differs from sRGB's curve)
   cmyk_simple.icc a four-colour printer profile by lookup table (naive inks on sRGB paper)
Usage: make_profiles.py FOLDER"""
import math
import struct
import sys

D50 = (0.9642, 1.0, 0.8249)


def s15(v):
    return struct.pack('>i', int(round(v * 65536)))


def xyz_tag(xyz):
    return b'XYZ ' + b'\0' * 4 + b''.join(s15(v) for v in xyz)


def desc_tag(text):
    ascii_text = text.encode('ascii') + b'\0'
    return (b'desc' + b'\0' * 4 + struct.pack('>I', len(ascii_text)) + ascii_text +
            b'\0' * 8 + b'\0' * 3 + b'\0' * 67)


def text_tag(text):
    return b'text' + b'\0' * 4 + text.encode('ascii') + b'\0'


def curve_tag(function, entries=1024):
    values = [int(round(function(i / (entries - 1)) * 65535)) for i in range(entries)]
    return b'curv' + b'\0' * 4 + struct.pack('>I', entries) + struct.pack('>%dH' % entries, *values)


def gamma_tag(gamma):
    return b'curv' + b'\0' * 4 + struct.pack('>IH', 1, int(round(gamma * 256)))


def srgb_decode(v):
    return v / 12.92 if v <= 0.04045 else ((v + 0.055) / 1.055) ** 2.4


def profile(device_class, space, pcs, tags):
    """tags: list of (signature, bytes)."""
    table_size = 4 + 12 * len(tags)
    offset = 128 + table_size
    table = struct.pack('>I', len(tags))
    body = b''
    for signature, data in tags:
        while (offset + len(body)) % 4:
            body += b'\0'
        table += signature + struct.pack('>II', offset + len(body), len(data))
        body += data
    while len(body) % 4:
        body += b'\0'
    size = 128 + table_size + len(body)
    header = (struct.pack('>I', size) + b'\0' * 4 + struct.pack('>I', 0x02100000) + device_class + space + pcs +
              struct.pack('>6H', 2026, 1, 1, 0, 0, 0) + b'acsp' + b'\0' * 4 + b'\0' * 4 + b'\0' * 8 + b'\0' * 8 +
              struct.pack('>I', 0) + b''.join(s15(v) for v in D50) + b'\0' * 4 + b'\0' * 16 + b'\0' * 28)
    assert len(header) == 128
    return header + table + body


def mat_mul(a, b):
    return [[sum(a[i][k] * b[k][j] for k in range(3)) for j in range(3)] for i in range(3)]


def mat_vec(a, v):
    return [sum(a[i][k] * v[k] for k in range(3)) for i in range(3)]


def mat_inv(m):
    (a, b, c), (d, e, f), (g, h, i) = m
    det = a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g)
    return [[(e * i - f * h) / det, (c * h - b * i) / det, (b * f - c * e) / det],
            [(f * g - d * i) / det, (a * i - c * g) / det, (c * d - a * f) / det],
            [(d * h - e * g) / det, (b * g - a * h) / det, (a * e - b * d) / det]]


def xy_to_xyz(x, y):
    return [x / y, 1.0, (1 - x - y) / y]


BRADFORD = [[0.8951, 0.2664, -0.1614], [-0.7502, 1.7135, 0.0367], [0.0389, -0.0685, 1.0296]]


def adapt_to_d50(white_xyz):
    source, target = mat_vec(BRADFORD, white_xyz), mat_vec(BRADFORD, D50)
    scale = [[target[i] / source[i] if i == j else 0 for j in range(3)] for i in range(3)]
    return mat_mul(mat_inv(BRADFORD), mat_mul(scale, BRADFORD))


def rgb_to_xyz_d50(primaries, white):
    columns = [xy_to_xyz(*p) for p in primaries]
    m = [[columns[j][i] for j in range(3)] for i in range(3)]
    white_xyz = xy_to_xyz(*white)
    s = mat_vec(mat_inv(m), white_xyz)
    m = [[m[i][j] * s[j] for j in range(3)] for i in range(3)]
    return mat_mul(adapt_to_d50(white_xyz), m)


def display_p3():
    m = rgb_to_xyz_d50([(0.680, 0.320), (0.265, 0.690), (0.150, 0.060)], (0.3127, 0.3290))
    trc = curve_tag(srgb_decode)
    return profile(b'mntr', b'RGB ', b'XYZ ', [
        (b'desc', desc_tag('Display P3')), (b'cprt', text_tag('No copyright')), (b'wtpt', xyz_tag(D50)),
        (b'rXYZ', xyz_tag([m[i][0] for i in range(3)])), (b'gXYZ', xyz_tag([m[i][1] for i in range(3)])),
        (b'bXYZ', xyz_tag([m[i][2] for i in range(3)])), (b'rTRC', trc), (b'gTRC', trc), (b'bTRC', trc)])


def grey18():
    return profile(b'mntr', b'GRAY', b'XYZ ', [
        (b'desc', desc_tag('Grey gamma 1.8')), (b'cprt', text_tag('No copyright')), (b'wtpt', xyz_tag(D50)),
        (b'kTRC', gamma_tag(1.8))])


SRGB_TO_XYZ_D50 = rgb_to_xyz_d50([(0.64, 0.33), (0.30, 0.60), (0.15, 0.06)], (0.3127, 0.3290))


def lab_d50(xyz):
    def f(t):
        return t ** (1 / 3) if t > (6 / 29) ** 3 else t / (3 * (6 / 29) ** 2) + 4 / 29
    fx, fy, fz = (f(xyz[i] / D50[i]) for i in range(3))
    return 116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)


def cmyk_simple(grid=9):
    clut = []
    steps = [i / (grid - 1) for i in range(grid)]
    for c in steps:
        for m in steps:
            for y in steps:
                for k in steps:
                    rgb = [srgb_decode((1 - v) * (1 - k)) for v in (c, m, y)]
                    lab = lab_d50(mat_vec(SRGB_TO_XYZ_D50, rgb))
                    # The version 2 encoding of Lab in 16 bits: L 0..100 to 0..0xFF00, a and b +128 times 256.
                    clut += [min(65535, max(0, int(round(lab[0] * 652.80)))),
                             min(65535, max(0, int(round((lab[1] + 128) * 256)))),
                             min(65535, max(0, int(round((lab[2] + 128) * 256))))]
    identity = [1, 0, 0, 0, 1, 0, 0, 0, 1]
    lut = (b'mft2' + b'\0' * 4 + struct.pack('>BBBB', 4, 3, grid, 0) + b''.join(s15(v) for v in identity) +
           struct.pack('>HH', 2, 2) + struct.pack('>8H', *([0, 65535] * 4)) +
           struct.pack('>%dH' % len(clut), *clut) + struct.pack('>6H', *([0, 65535] * 3)))
    return profile(b'prtr', b'CMYK', b'Lab ', [
        (b'desc', desc_tag('Simple CMYK')), (b'cprt', text_tag('No copyright')), (b'wtpt', xyz_tag(D50)),
        (b'A2B0', lut)])


if __name__ == '__main__':
    folder = sys.argv[1]
    for name, make in (('display_p3.icc', display_p3), ('grey18.icc', grey18), ('cmyk_simple.icc', cmyk_simple)):
        with open('%s/%s' % (folder, name), 'wb') as out:
            out.write(make())
