#!/usr/bin/env bash
# Makes the colour harness's seeds in tests/fuzz/corpus/colour: each led by the two bytes that
# choose the job (0 EXIF, 1 APP2 pieces, 2 a picture's profile, 3 the display's profile). Also
# JPEGs with embedded profiles for the JPEG harness (led by its four bytes: fitted to a screen).
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
out=$here/tests/fuzz/corpus/colour
data=$here/tests/win/data
mkdir -p "$out"
python3 - "$out" "$data" /usr/share/color/icc/colord/AdobeRGB1998.icc <<'PY'
import struct, sys
out, data, adobe = sys.argv[1:4]
def write(name, job, body):
    open('%s/%s' % (out, name), 'wb').write(bytes([0, job]) + body)
def exif(colour_space, index, big):
    e = '>' if big else '<'
    u16 = lambda v: struct.pack(e + 'H', v); u32 = lambda v: struct.pack(e + 'I', v)
    t = (b'MM' if big else b'II') + u16(42) + u32(8)
    t += u16(1) + u16(0x8769) + u16(4) + u32(1) + u32(26) + u32(0)
    t += u16(2) + u16(0xA001) + u16(3) + u32(1) + u16(colour_space) + u16(0)
    t += u16(0xA005) + u16(4) + u32(1) + u32(56) + u32(0)
    t += u16(1) + u16(1) + u16(2) + u32(4) + index + b'\0' + u32(0)
    return b'Exif\0\0' + t
write('exif_adobe_intel', 0, exif(0xFFFF, b'R03', False))
write('exif_adobe_motorola', 0, exif(0xFFFF, b'R03', True))
write('exif_srgb', 0, exif(1, b'R98', False))
profiles = {'p3': open(data + '/display_p3.icc', 'rb').read(), 'grey': open(data + '/grey18.icc', 'rb').read(),
            'cmyk': open(data + '/cmyk_simple.icc', 'rb').read(), 'adobe': open(adobe, 'rb').read()}
for name, p in profiles.items():
    write('profile_' + name, 2, p)
    write('display_' + name, 3, p)
# APP2 pieces of at most 255 bytes, each led by its length byte.
p = profiles['grey']
pieces = [p[i:i + 240] for i in range(0, len(p), 240)]
body = b''
for n, piece in enumerate(pieces):
    segment = b'ICC_PROFILE\0' + bytes([n + 1, len(pieces)]) + piece
    body += bytes([len(segment)]) + segment
write('pieces_grey', 1, body)
PY
for f in picture_p3 picture_grey picture_cmyk_profile; do
  { printf '\0\0\0\0'; cat "$data/$f.jpg"; } > "$here/tests/fuzz/corpus/jpeg/colour_$f"
done
ls "$out"
