#!/usr/bin/env python3
"""embed_profile.py IN.jpg PROFILE.icc OUT.jpg : the same JPEG data with the profile embedded as
APP2 pieces right after the start marker (what cameras and editors write), nothing re-encoded."""
import sys

source, profile_path, target = sys.argv[1:4]
jpeg = open(source, 'rb').read()
profile = open(profile_path, 'rb').read()
assert jpeg[:2] == b'\xff\xd8', 'not a JPEG'
piece = 65519
count = (len(profile) + piece - 1) // piece
segments = b''
for i in range(count):
    data = b'ICC_PROFILE\0' + bytes([i + 1, count]) + profile[i * piece:(i + 1) * piece]
    segments += b'\xff\xe2' + (len(data) + 2).to_bytes(2, 'big') + data
open(target, 'wb').write(jpeg[:2] + segments + jpeg[2:])
