#!/usr/bin/env bash
# make_assets.sh - regenerates every picture Lumiroll ships (see README.md).
#
# Needs: bash, ImageMagick 6 (`convert`), python3 (standard library only),
# DejaVu fonts (Debian package fonts-dejavu-core).
# Everything is drawn here; nothing is taken from another product.
# All randomness uses fixed seeds, so the output is the same on every run.
#
# Usage: assets/make_assets.sh [NAME...]   (writes into the folder of this script;
#        NAMEs: thankyou icon logo monitor arrow context_menu harbor meadow lantern tulips)
set -euo pipefail

OUT="$(cd "$(dirname "$0")" && pwd)"
TMP="$(mktemp -d)"
trap 'rm -rf "$TMP"' EXIT
cd "$TMP"   # intermediate pictures are kept here as MIFF (fast to read and write)
mkdir -p "$OUT/photos"

FACE='rgb(240,240,240)'          # Windows dialog face colour
SANS=DejaVu-Sans
SANSB=DejaVu-Sans-Bold
SERIF=DejaVu-Serif
SERIFI=DejaVu-Serif-Italic
SERIFBI=DejaVu-Serif-Bold-Italic

# Common output options.
JPEG_OPTS=(-strip -interlace none -sampling-factor 2x2,1x1,1x1 -quality 85)
bmp3() { # bmp3 IN OUT : 24-bit BMP with classic BITMAPINFOHEADER, no alpha
  convert "$1" -background "$FACE" -alpha remove -alpha off -type TrueColor BMP3:"$2"
}

# Render an MVG drawing file onto a transparent canvas: layer W H FILE.mvg OUT.png
# (the mvg: reader is used because Debian's ImageMagick policy forbids -draw @file)
layer() {
  { echo "viewbox 0 0 $1 $2"; cat "$3"; } > "$3.v"
  convert -size "$1x$2" -background none mvg:"$3.v" "$4"
}

# A soft glow: ellipse blurred by SIGMA on a transparent WxH canvas. Drawn and
# blurred at 1/8 size, then enlarged (large blurs at full size are slow).
# soft_ellipse W H COLOUR CX CY RX RY SIGMA OUT
soft_ellipse() {
  local w=$1 h=$2 c=$3 cx=$4 cy=$5 rx=$6 ry=$7 sg=$8
  convert -size $((w / 8))x$((h / 8)) xc:none -fill "$c" \
    -draw "ellipse $((cx / 8)),$((cy / 8)) $((rx / 8)),$((ry / 8)) 0,360" \
    -channel RGBA -blur 0x$((sg / 8)) -filter Triangle -resize "${w}x${h}!" "$9"
}

# Artwork the dialogs show is made at 1x, 1.5x and 2x (for 96, 144 and 192 DPI), drawn at each
# size rather than enlarged. px N S: N pixels at scale S, rounded as the programs round;
# mul N S: N times S; suffix S: the file name's "", "@1.5x" or "@2x".
px() { python3 -c "import sys; print(int(float(sys.argv[1]) * float(sys.argv[2]) + 0.5))" "$1" "$2"; }
mul() { python3 -c "import sys; print('%g' % (float(sys.argv[1]) * float(sys.argv[2])))" "$1" "$2"; }
suffix() { case "$1" in 1) echo "" ;; *) echo "@${1}x" ;; esac; }
SCALES=(1 1.5 2)

# Python helper: prints ImageMagick MVG drawing commands. $1 = program text.
py() { python3 -c "$1"; }

# Film grain + slight softness shared by the photographs. $1 in, $2 out, $3 seed.
photo_finish() {
  convert "$1" -blur 0x0.7 \
    \( -size 1600x1200 xc:gray50 -seed "$3" -attenuate 0.35 +noise Gaussian \
       -colorspace Gray \) -compose Overlay -composite \
    \( -size 1600x1200 radial-gradient:white-gray55 -gravity center -crop 1600x1200+0+0 +repage \
       -level 0,100%,1.0 \) -compose Multiply -composite \
    "${JPEG_OPTS[@]}" "$2"
}

# Soft cloud mask (white = cloud) of size WxH. args: W H seed stretch-x OUT
cloud_mask() {
  local w=$1 h=$2 seed=$3 sx=$4 out=$5
  # two octaves of smoothed noise: big cloud shapes plus finer, fluffy edges
  convert \( -size $((w / (28 * sx)))x$((h / 28)) xc:gray50 -seed "$seed" +noise Random \
         -channel G -separate +channel -blur 0x1 -auto-level -filter Gaussian -resize "${w}x${h}!" \) \
    \( -size $((w / (7 * sx)))x$((h / 7)) xc:gray50 -seed $((seed + 1)) +noise Random \
         -channel G -separate +channel -blur 0x1 -auto-level -filter Gaussian -resize "${w}x${h}!" \) \
    -define compose:args=30 -compose Blend -composite \
    -level 52%,78% -blur 0x4 "$out"
}

###########################################################################
# 1. Sample photographs (1600 x 1200)
###########################################################################

# ---------------------------------------------------------------- harbor
make_harbor() {
  local W=1600 H=1200 HZ=640
  # Sky: deep blue above, warm haze at the horizon.
  soft_ellipse $W $HZ '#fff1cf' 620 560 420 200 120 sunglow.miff
  convert -size ${W}x${HZ} gradient:'#3f78c2'-'#f6dfc2' sunglow.miff -compose Over -composite sky.miff
  cloud_mask $W $HZ 11 3 cloud.miff
  convert sky.miff \( -size ${W}x${HZ} xc:'#fffaf2' \) \
    \( cloud.miff \( -size ${W}x${HZ} gradient:white-gray20 \) -compose Multiply -composite \) \
    -compose Over -composite sky2.miff

  # Hills, lighthouse, town, boats as MVG drawn by python (fixed seed).
  py "
import random, math
r = random.Random(7)
W,H,HZ = $W,$H,$HZ
out = []
# far hills
pts = []
for x in range(0, W+41, 40):
    y = HZ - 60 - 45*math.sin(x/260.0) - 25*math.sin(x/97.0+1) - r.uniform(0,8)
    pts.append((x,y))
out.append('fill \"#8a9bb3\" polygon ' + ' '.join('%d,%d'%p for p in [(0,HZ)]+pts+[(W,HZ)]))
# near headland on the left
pts = []
for x in range(0, 761, 20):
    y = HZ - 130 + (x/760.0)**2*130 - 12*math.sin(x/50.0) - r.uniform(0,6)
    pts.append((x,y))
out.append('fill \"#4d6a4f\" polygon ' + ' '.join('%d,%d'%p for p in [(0,HZ)]+pts+[(760,HZ)]))
# town houses along the quay
x = 20
cols = ['#e8d3b0','#d98c6a','#f2efe6','#c9b48a','#e6b85c','#b7c7d6','#e7a17f']
while x < 640:
    w = r.randint(38,70); h = r.randint(40,85)
    base = HZ - 6
    c = r.choice(cols)
    out.append('fill \"%s\" rectangle %d,%d %d,%d' % (c, x, base-h, x+w, base))
    out.append('fill \"#8c3b2a\" polygon %d,%d %d,%d %d,%d' % (x-3, base-h, x+w/2, base-h-r.randint(14,26), x+w+3, base-h))
    for wx in range(x+7, x+w-8, 14):
        for wy in range(base-h+10, base-12, 18):
            out.append('fill \"#3b4a5a\" rectangle %d,%d %d,%d' % (wx, wy, wx+6, wy+9))
    x += w + r.randint(2,8)
# quay wall
out.append('fill \"#6e6a62\" rectangle 0,%d 700,%d' % (HZ-8, HZ+6))
# lighthouse on the headland
lx = 170
ly = int(HZ - 130 + (lx/760.0)**2*130 - 12*math.sin(lx/50.0)) + 4
out.append('fill \"#f4f1ea\" polygon %d,%d %d,%d %d,%d %d,%d' % (lx-18,ly, lx+18,ly, lx+11,ly-120, lx-11,ly-120))
for k in range(2):
    y0 = ly-30-45*k
    out.append('fill \"#c0392b\" polygon %d,%d %d,%d %d,%d %d,%d' % (lx-16+k*3,y0, lx+16-k*3,y0, lx+15-k*3,y0-20, lx-15+k*3,y0-20))
out.append('fill \"#333333\" rectangle %d,%d %d,%d' % (lx-14, ly-140, lx+14, ly-120))
out.append('fill \"#ffe9a0\" rectangle %d,%d %d,%d' % (lx-9, ly-137, lx+9, ly-123))
out.append('fill \"#c0392b\" polygon %d,%d %d,%d %d,%d' % (lx-16, ly-140, lx, ly-158, lx+16, ly-140))
print('\n'.join(out))
" > land.mvg

  for mode in boats refl; do
    python3 - "$mode" > "$mode.mvg" <<'PYEOF'
import sys
boats = [(1010, 700, 1.0, '#f5f5f2', True), (1330, 665, 0.55, '#c0392b', True),
         (760, 668, 0.45, '#f5f5f2', True), (880, 655, 0.3, '#f5f5f2', True),
         (470, 770, 1.5, '#1f4e79', False), (1250, 880, 1.9, '#f2f0ea', False)]
mirror = sys.argv[1] == 'refl'
out = []
for cx, wy, s, hull, sail in boats:
    sg = 1 if mirror else -1
    def P(x, y):
        return '%d,%d' % (cx + x*s, wy + sg*y*s)
    def R(x0, y0, x1, y1, col):
        out.append('fill "%s" polygon %s %s %s %s' % (col, P(x0,y0), P(x1,y0), P(x1,y1), P(x0,y1)))
    out.append('stroke "#2a2a2a" stroke-width %.1f fill "%s" polygon %s %s %s %s' % (
        1.2*s, hull, P(-120, 24), P(132, 28), P(100, -8), P(-95, -8)))
    out.append('stroke none')
    R(-112, 9, 116, 3, '#2a2a2a')
    if sail:
        R(-40, 24, 30, 40, '#d9d4c7')
        out.append('stroke "#3a3a3a" stroke-width %.1f line %s %s' % (2.5*s, P(0,24), P(0,300)))
        out.append('stroke none fill "#fbfaf6" polygon %s %s %s' % (P(5,40), P(5,292), P(122,42)))
        out.append('fill "#ece8dc" polygon %s %s %s' % (P(-5,52), P(-5,250), P(-88,52)))
    else:
        out.append('stroke "#2a2a2a" stroke-width %.1f fill "#f7f3e8" polygon %s %s %s %s' % (
            1.0*s, P(-20,24), P(55,24), P(50,78), P(-15,78)))
        out.append('stroke none')
        R(-8, 48, 18, 66, '#41566b')
        R(26, 48, 44, 66, '#41566b')
        out.append('stroke "#3a3a3a" stroke-width %.1f line %s %s' % (2.0*s, P(-60,24), P(-60,135)))
        out.append('line %s %s' % (P(-60,125), P(112,26)))
        out.append('stroke none')
        R(-112, 28, -88, 20, '#e74c3c')
        R(-40, 24, -25, 34, '#f39c12')
    out.append('stroke none')
print('\n'.join(out))
PYEOF
  done

  # Water: gradient + sky reflection + horizontal ripples.
  local WH=$((H - HZ))
  convert -size ${W}x${WH} gradient:'#6f95b3'-'#1d3e5c' water.miff
  convert sky2.miff -flip -resize ${W}x${WH}! -blur 0x6 water.miff +swap \
    -compose Blend -define compose:args=35 -composite water.miff
  convert -size 60x$((WH / 3)) xc:gray50 -seed 5 +noise Random -channel G -separate +channel \
    -blur 0x0.6 -filter Gaussian -resize ${W}x${WH}! -level -25%,125% ripple.miff
  convert water.miff ripple.miff -compose Overlay -composite water.miff
  # Sun glitter path on the water.
  convert -size ${W}x${WH} xc:none \
    \( -size 300x${WH} gradient:'rgba(255,240,200,0.55)'-none \) -geometry +380+0 -compose Over -composite \
    -blur 0x40 glow.miff
  convert water.miff glow.miff -compose Screen -composite water.miff

  # Assemble.
  layer $W $H land.mvg land.miff
  layer $W $H refl.mvg refl.miff
  layer $W $H boats.mvg boats.miff
  convert -size ${W}x${H} xc:black sky2.miff -geometry +0+0 -compose Over -composite \
    \( land.miff -blur 0x1.2 \) -compose Over -composite \
    water.miff -geometry +0+${HZ} -compose Over -composite \
    \( refl.miff -blur 0x3 -channel A -evaluate Multiply 0.45 +channel \
       -background none -wave 3x40 -crop ${W}x${H}+0+0 +repage \) -compose Over -composite \
    \( boats.miff -blur 0x0.8 \) -compose Over -composite \
    harbor_raw.miff
  photo_finish harbor_raw.miff "$OUT/photos/harbor.jpg" 101
}

# ---------------------------------------------------------------- meadow
make_meadow() {
  local W=1600 H=1200 HZ=560
  convert -size ${W}x${HZ} gradient:'#2f6fc4'-'#d8ebf7' sky.miff
  cloud_mask $W $HZ 23 1 cloud.miff
  convert sky.miff \( -size ${W}x${HZ} xc:white \) \
    \( cloud.miff \( -size ${W}x${HZ} gradient:white-gray40 \) -compose Multiply -composite \) \
    -compose Over -composite sky2.miff

  # Far hills and a tree line on the horizon.
  python3 - > hills.mvg <<'PYEOF'
import random, math
r = random.Random(3)
W, HZ = 1600, 560
pts = [(x, HZ - 70 - 40*math.sin(x/300.0 + 0.5) - 20*math.sin(x/120.0)) for x in range(0, W+1, 20)]
print('fill "#8fb0a0" polygon 0,%d %s %d,%d' % (HZ+5, ' '.join('%d,%d' % p for p in pts), W, HZ+5))
# tree line: many overlapping round crowns
for i in range(260):
    x = r.uniform(-20, W+20)
    if 560 < x < 900 and r.random() < 0.8:   # a gap in the trees
        continue
    rad = r.uniform(14, 34)
    g = r.randint(0, 30)
    cy = HZ - rad*0.6
    print('fill "rgb(%d,%d,%d)" circle %d,%d %d,%d' % (30+g, 70+g, 38+g//2, x, cy, x + rad, cy))
    print('fill "rgb(%d,%d,%d)" circle %d,%d %d,%d' % (55+g, 100+g, 55+g//2, x - rad*0.25, cy - rad*0.25, x + rad*0.45, cy - rad*0.25))
# one big tree on the right
print('fill "#3b2a1c" polygon 1292,%d 1318,%d 1312,%d 1298,%d' % (HZ+20, HZ+20, HZ-120, HZ-120))
for i in range(40):
    a = r.uniform(0, 2*math.pi); d = r.uniform(0, 95)
    x = 1305 + d*math.cos(a)*1.2; y = HZ - 200 + d*math.sin(a)*0.8
    rad = r.uniform(28, 50); g = r.randint(0, 35)
    print('fill "rgb(%d,%d,%d)" circle %d,%d %d,%d' % (30+g, 72+g, 34+g//2, x, y, x+rad, y))
    print('fill "rgb(%d,%d,%d)" circle %d,%d %d,%d' % (60+g, 110+g, 50+g//2, x - rad*0.3, y - rad*0.3, x + rad*0.35, y - rad*0.3))
PYEOF
  layer $W $H hills.mvg hills.miff

  # Meadow ground: lighter far away, richer green near; vertical grass texture.
  local GH=$((H - HZ))
  convert -size ${W}x${GH} gradient:'#a8c95e'-'#3c7424' ground.miff
  convert -size 800x160 xc:gray50 -seed 8 +noise Random -channel G -separate +channel \
    -filter Gaussian -resize ${W}x${GH}! -level -5%,105% grass.miff
  convert ground.miff \( grass.miff +level 30%,70% \) -compose Overlay -composite ground.miff

  # Flowers and blades of grass, bigger towards the viewer.
  python3 - > flowers.mvg <<'PYEOF'
import random, math
r = random.Random(42)
W, H, HZ = 1600, 1200, 560
out = []
items = []
for i in range(420):                        # blades of grass in the foreground
    items.append((0, r.uniform(H-300, H+40), r.uniform(-10, W+10), 'g', r.random()))
for i in range(5200):                       # flowers, denser far away
    t = r.random() ** 1.15
    if r.random() < t * 0.55:               # big near flowers would crowd out the grass
        continue
    items.append((1, HZ + 6 + t * (H - HZ), r.uniform(-10, W+10), 'f', r.random()))
items.sort()   # all grass first, then flowers from far to near
for _, y, x, kind, k in items:
    t = (y - HZ) / (H - HZ)
    if kind == 'g':
        h = (30 + 110*t) * r.uniform(0.6, 1.2)
        lean = r.uniform(-25, 25); g = r.randint(0, 60)
        out.append('stroke "rgb(%d,%d,%d)" stroke-width %.1f fill none path "M %.1f,%.1f Q %.1f,%.1f %.1f,%.1f"' % (
            40+g//2, 95+g, 30+g//3, 1.2 + 1.8*t, x, y, x + lean*0.3, y - h*0.6, x + lean, y - h))
        out.append('stroke none')
        continue
    s = 1.2 + t * t * 17
    if k < 0.45:    col, ctr = '#fdfdf8', '#f2c218'   # daisy
    elif k < 0.72:  col, ctr = '#f7d42a', '#e0a800'   # buttercup
    elif k < 0.88:  col, ctr = '#d8322a', '#2a1a12'   # poppy
    else:           col, ctr = '#9a6bd0', '#f0e070'   # cornflower-ish
    if s > 5:
        out.append('stroke "#3f7a2a" stroke-width %.1f line %d,%d %d,%d' % (max(1, s/6), x, y, x + r.uniform(-3, 3), y + s*3))
        out.append('stroke none')
        n = 5 if k >= 0.45 else 9
        for p in range(n):
            a = p * 2*math.pi/n + r.random()*0.3
            px, py = x + math.cos(a)*s*0.55, y + math.sin(a)*s*0.35
            out.append('fill "%s" ellipse %.1f,%.1f %.1f,%.1f %d,%d' % (col, px, py, s*0.5, s*0.28, 0, 360))
        out.append('fill "%s" circle %.1f,%.1f %.1f,%.1f' % (ctr, x, y, x + s*0.22, y))
    else:
        out.append('fill "%s" ellipse %.1f,%.1f %.1f,%.1f 0,360' % (col, x, y, s*0.6, s*0.4))
print('\n'.join(out))
PYEOF
  layer $W $H flowers.mvg flowers.miff

  convert -size ${W}x${H} xc:black sky2.miff -compose Over -composite \
    \( hills.miff -blur 0x1.5 \) -compose Over -composite \
    ground.miff -geometry +0+${HZ} -compose Over -composite \
    \( flowers.miff -blur 0x0.6 \) -compose Over -composite \
    meadow_raw.miff
  photo_finish meadow_raw.miff "$OUT/photos/meadow.jpg" 102
}

# ---------------------------------------------------------------- lantern
make_lantern() {
  local W=1600 H=1200
  # Dusk sky: deep blue above, a last warm glow low down.
  soft_ellipse $W $H 'rgba(255,140,60,0.55)' 800 1250 1100 380 160 dusk.miff
  convert -size ${W}x${H} gradient:'#0a1030'-'#6a3a48' dusk.miff -compose Over -composite bg.miff

  python3 - > scene.mvg <<'PYEOF'
import random, math
r = random.Random(9)
out = []
# out-of-focus distant lights (bokeh)
for i in range(70):
    x = r.uniform(0, 1600); y = r.uniform(650, 1150); rad = r.uniform(12, 45)
    c = r.choice(['255,190,90', '255,220,140', '255,150,70', '250,240,200', '120,170,255'])
    out.append('fill "rgba(%s,%.2f)" circle %d,%d %d,%d' % (c, r.uniform(0.15, 0.45), x, y, x + rad, y))
# two more lanterns further away, out of focus
for x, y, rx, ry in ((250, 470, 70, 82), (1360, 420, 58, 68), (1530, 760, 40, 47)):
    out.append('fill "rgba(255,150,70,0.9)" ellipse %d,%d %d,%d 0,360' % (x, y, rx, ry))
    out.append('fill "rgba(255,235,170,0.8)" ellipse %d,%d %d,%d 0,360' % (x, y, rx*0.55, ry*0.6))
    out.append('fill "rgba(30,20,20,0.9)" rectangle %d,%d %d,%d' % (x - rx*0.35, y - ry - 10, x + rx*0.35, y - ry + 4))
    out.append('stroke "rgba(30,20,20,0.9)" stroke-width 3 line %d,%d %d,0 stroke none' % (x, y - ry - 10, x))
print('\n'.join(out))
PYEOF
  layer $W $H scene.mvg bokeh.miff

  # Branch silhouette across the top, lantern hanging from it.
  python3 - > lantern.mvg <<'PYEOF'
import math, random
r = random.Random(4)
out = []
cx, cy, rx, ry = 800, 600, 230, 270     # paper lantern body
# branch
out.append('stroke "#0c0a10" stroke-linecap round fill none stroke-width 44 path "M -40,160 C 300,120 600,210 1000,150 S 1500,90 1660,40"')
out.append('stroke-width 18 path "M 1000,150 C 1100,220 1180,240 1300,260"')
out.append('stroke-width 12 path "M 420,165 C 380,100 330,70 260,40"')
out.append('stroke none')
for i in range(60):   # leaves
    t = r.random()
    x = -40 + t*1700; y = 150 - 60*t + 40*math.sin(t*6) + r.uniform(-60, 60)
    a = r.uniform(0, 180)
    out.append('fill "#0d1014" push graphic-context translate %d,%d rotate %d ellipse 0,0 46,14 0,360 pop graphic-context' % (x, y, a))
# cord
out.append('stroke "#1a1410" stroke-width 5 line %d,160 %d,%d' % (cx, cx, cy - ry - 40))
out.append('stroke none')
# top and bottom caps
out.append('fill "#1b1512" roundrectangle %d,%d %d,%d 10,10' % (cx-85, cy-ry-45, cx+85, cy-ry+12))
out.append('fill "#1b1512" roundrectangle %d,%d %d,%d 10,10' % (cx-75, cy+ry-12, cx+75, cy+ry+35))
# tassel
for k in range(-12, 13, 3):
    out.append('stroke "#8c1d16" stroke-width 3 line %d,%d %d,%d' % (cx, cy+ry+35, cx + k*2, cy+ry+170))
out.append('stroke none')
print('\n'.join(out))
PYEOF
  layer $W $H lantern.mvg frame.miff

  # Glowing body: radial gradient clipped to an ellipse, with ribs.
  local cx=800 cy=600 rx=230 ry=270
  convert -size $((2*rx))x$((2*ry)) radial-gradient:'#fff6c8'-'#e0401c' \
    -sigmoidal-contrast 3,40% glowbody.miff
  convert -size $((2*rx))x$((2*ry)) xc:black -fill white -draw "ellipse $rx,$ry $((rx-1)),$((ry-1)) 0,360" bodymask.miff
  python3 - > ribs.mvg <<PYEOF
import math
rx, ry = $rx, $ry
out = ['fill none stroke "rgba(120,30,10,0.55)" stroke-width 4']
for k in range(-9, 10):
    dy = k * ry / 10.0
    w = rx * math.sqrt(max(0.0, 1 - (dy/ry)**2))
    out.append('ellipse %d,%d %.1f,%.1f 0,180' % (rx, ry + dy, w, w*0.12))
for f in (0.35, 0.7):
    out.append('stroke "rgba(140,40,10,0.30)" stroke-width 3 ellipse %d,%d %.1f,%.1f 0,360' % (rx, ry, rx*f, ry))
out.append('line %d,0 %d,%d' % (rx, rx, 2*ry))
print('\n'.join(out))
PYEOF
  layer $((2*rx)) $((2*ry)) ribs.mvg ribs.miff
  convert glowbody.miff ribs.miff -compose Over -composite bodymask.miff -alpha off -compose CopyOpacity -composite body.miff

  # Halo around the lantern and its light on the scene.
  soft_ellipse $W $H 'rgba(255,170,80,0.9)' $cx $cy $((rx + 120)) $((ry + 120)) 140 halo.miff
  soft_ellipse $W $H 'rgba(255,230,160,0.5)' $cx $cy $((rx - 40)) $((ry - 40)) 60 inner.miff
  convert bg.miff \( bokeh.miff -blur 0x14 \) -compose Over -composite \
    halo.miff -compose Screen -composite \
    frame.miff -compose Over -composite \
    body.miff -geometry +$((cx-rx))+$((cy-ry)) -compose Over -composite \
    inner.miff -compose Screen -composite \
    lantern_raw.miff
  photo_finish lantern_raw.miff "$OUT/photos/lantern.jpg" 103
}

# ---------------------------------------------------------------- tulips
make_tulips() {
  local W=1600 H=1200 HZ=430
  convert -size ${W}x${HZ} gradient:'#3d7fd0'-'#e3f0fa' sky.miff
  cloud_mask $W $HZ 31 2 cloud.miff
  convert sky.miff \( -size ${W}x${HZ} xc:white \) \
    \( cloud.miff \( -size ${W}x${HZ} gradient:white-gray30 \) -compose Multiply -composite \) \
    -compose Over -composite sky2.miff

  # Field in perspective: coloured stripes running to a vanishing point,
  # a windmill and trees on the horizon.
  python3 - > field.mvg <<'PYEOF'
import random, math
r = random.Random(12)
W, H, HZ = 1600, 1200, 430
VX = 1000
out = []
out.append('fill "#5c8a3a" rectangle 0,%d %d,%d' % (HZ, W, H))
cols = ['#d3202a', '#f5c400', '#d3202a', '#f07c1a', '#e8405a', '#f5c400', '#c81830', '#f8e04a']
n = 44
for i in range(n):
    # stripe edges at the bottom, spread far beyond the frame
    x0 = -5200 + i * 11600.0 / n
    x1 = x0 + 11600.0 / n * 0.78
    c = cols[i % len(cols)]
    out.append('fill "%s" polygon %d,%d %d,%d %d,%d %d,%d' % (c, VX + (x0-VX)*0.004, HZ+2, VX + (x1-VX)*0.004, HZ+2, x1, H, x0, H))
# distant tree belt and a windmill
for i in range(180):
    x = r.uniform(-20, W+20); rad = r.uniform(10, 24); g = r.randint(0, 25)
    out.append('fill "rgb(%d,%d,%d)" circle %d,%d %d,%d' % (50+g, 80+g, 55+g, x, HZ - rad*0.5, x+rad, HZ - rad*0.5))
mx, my = 420, HZ - 30
out.append('fill "#4a3b34" polygon %d,%d %d,%d %d,%d %d,%d' % (mx-36, my+28, mx+36, my+28, mx+20, my-130, mx-20, my-130))
out.append('fill "#3a2e28" polygon %d,%d %d,%d %d,%d' % (mx-26, my-128, mx, my-165, mx+26, my-128))
hx, hy = mx, my - 140
for a in (25, 115, 205, 295):
    out.append('push graphic-context translate %d,%d rotate %d' % (hx, hy, a))
    out.append('stroke "#3a2e28" stroke-width 5 line 0,0 150,0 stroke none')
    out.append('fill "#e9e2d2" rectangle 30,4 150,26')
    out.append('pop graphic-context')
out.append('fill "#2a2220" circle %d,%d %d,%d' % (hx, hy, hx+7, hy))
print('\n'.join(out))
PYEOF
  layer $W $H field.mvg field.miff
  # Flower-head texture on the stripes (speckle), stronger near the viewer.
  convert -size 1600x770 xc:gray50 -seed 14 +noise Random -channel G -separate +channel \
    -blur 0x1 -level 20%,80% speckle.miff
  convert field.miff -crop ${W}x$((H-HZ))+0+${HZ} +repage speckle.miff -compose Overlay -composite fieldlow.miff

  # Big tulips in the foreground.
  python3 - > tulips.mvg <<'PYEOF'
import random, math
r = random.Random(77)
out = []
W, H = 1600, 1200
flowers = []
for i in range(34):
    x = r.uniform(-40, W+40); base = H + 40
    top = r.uniform(700, 1050)
    flowers.append((top, x, base))
flowers.sort()
for top, x, base in flowers:
    s = 0.6 + (top - 700) / 350.0 * 0.9        # lower heads are nearer -> bigger
    lean = r.uniform(-60, 60)
    hx, hy = x + lean, top
    # leaf
    lc = '#4f8f3a' if r.random() < 0.5 else '#3f7d34'
    side = r.choice([-1, 1])
    out.append('fill "%s" path "M %d,%d Q %d,%d %d,%d Q %d,%d %d,%d Z"' % (
        lc, x, base, x + side*90*s, base - 200*s, x + side*40*s, base - 320*s,
        x + side*10*s, base - 200*s, x + 8*side, base))
    # stem
    out.append('stroke "#4c8a34" stroke-width %.1f fill none path "M %d,%d Q %d,%d %d,%d"' % (
        14*s, x, base, x + lean*0.2, (base + hy)/2, hx, hy + 50*s))
    out.append('stroke none')
    c = r.choice([('#d71f27', '#ff6a55', '#8e0f16'), ('#f6c300', '#ffe978', '#b88a00'),
                  ('#e8323c', '#ff8070', '#9a121c'), ('#ffd21f', '#fff29a', '#c49000')])
    w, h = 60*s, 105*s
    def p(u, v): return '%.1f,%.1f' % (hx + u*w, hy + v*h)
    # back petals (dark) showing between the front tips
    out.append('fill "%s" path "M %s L %s L %s L %s L %s C %s %s %s Z"' % (
        c[2], p(-0.8,-0.3), p(-0.45,-0.68), p(0,-0.35), p(0.45,-0.68), p(0.8,-0.3), p(0.9,0.3), p(-0.9,0.3), p(-0.8,-0.3)))
    # cup: rounded bottom, three pointed tips on top
    out.append('fill "%s" path "M %s C %s %s %s C %s %s %s L %s L %s L %s Z"' % (
        c[0], p(-0.88,-0.52), p(-1.08,0.25), p(-0.6,0.55), p(0,0.55), p(0.6,0.55), p(1.08,0.25), p(0.88,-0.52),
        p(0.42,-0.12), p(0,-0.45), p(-0.42,-0.12)))
    # front petal, a little lighter, with a soft highlight
    out.append('fill "%s" fill-opacity 0.6 path "M %s C %s %s %s C %s %s %s Z" fill-opacity 1' % (
        c[1], p(-0.5,0.5), p(-0.75,-0.1), p(-0.25,-0.55), p(0,-0.72), p(0.25,-0.55), p(0.75,-0.1), p(0.5,0.5)))
    out.append('fill "#ffffff" fill-opacity 0.25 ellipse %.1f,%.1f %.1f,%.1f 0,360 fill-opacity 1' % (
        hx - w*0.28, hy - h*0.05, w*0.12, h*0.3))
    out.append('stroke "%s" stroke-opacity 0.5 stroke-width %.1f fill none path "M %s Q %s %s" stroke none stroke-opacity 1' % (
        c[2], 1.5*s, p(0,0.5), p(0.08,0), p(0,-0.68)))
print('\n'.join(out))
PYEOF
  layer $W $H tulips.mvg tulipfg.miff

  convert -size ${W}x${H} xc:black sky2.miff -compose Over -composite \
    \( field.miff -blur 0x1 \) -compose Over -composite \
    \( fieldlow.miff -blur 0x1.2 \) -geometry +0+${HZ} -compose Over -composite \
    \( tulipfg.miff -blur 0x1 \) -compose Over -composite \
    tulips_raw.miff
  photo_finish tulips_raw.miff "$OUT/photos/tulips.jpg" 104
}

###########################################################################
# 2. Thank-you picture (400 x 300, greyscale JPEG, shown with the E key)
###########################################################################
make_thankyou() {
  # A soft vignetted card with a little photo-frame motif and the thanks.
  convert -size 400x300 radial-gradient:'gray96'-'gray70' \
    -fill none -stroke gray45 -strokewidth 2 -draw "roundrectangle 12,12 387,287 14,14" \
    -stroke gray75 -strokewidth 1 -draw "roundrectangle 18,18 381,281 10,10" \
    -stroke none \
    -fill gray35 -draw "roundrectangle 176,30 224,68 4,4" \
    -fill gray88 -draw "rectangle 180,34 220,64" \
    -fill gray60 -draw "circle 210,42 214,42" \
    -fill gray45 -draw "polygon 180,64 193,48 203,58 210,52 220,64" \
    -font "$SERIFBI" -pointsize 50 -fill gray20 -gravity north -annotate +0+82 'Thank you' \
    -font "$SERIFI" -pointsize 22 -fill gray30 -annotate +0+152 'for using Lumiroll' \
    -stroke gray55 -strokewidth 1 -draw "line 120,196 280,196" -stroke none \
    -font "$SANS" -pointsize 13 -fill gray40 -annotate +0+212 'May your pictures bring you joy.' \
    -font "$SANS" -pointsize 11 -fill gray50 -annotate +0+256 'Quorvane Software' \
    -colorspace Gray -type Grayscale "${JPEG_OPTS[@]}" -quality 90 "$OUT/thankyou.jpg"
}

###########################################################################
# 3. Program icon: a framed photo (sun, hills) on a film strip, 256/48/32/16
###########################################################################
icon_png() { # icon_png SIZE OUT : draw on a 256 grid, scale down
  local s=$1
  local sw=$(( s <= 16 ? 14 : (s <= 32 ? 10 : 6) ))   # thicker outline for small sizes
  local holes="point -1,-1" x                         # film-strip perforations (big sizes)
  if [ "$s" -ge 48 ]; then
    for x in 40 80 120 160 200; do
      holes+=" roundrectangle $x,44 $((x+16)),52 2,2 roundrectangle $x,204 $((x+16)),212 2,2"
    done
  fi
  convert -size 256x256 xc:none \
    -fill '#303846' -draw "roundrectangle 8,40 248,216 22,22" \
    -fill '#f4f1e8' -draw "roundrectangle 24,56 232,200 10,10" \
    \( -size 192x128 gradient:'#3b86e0'-'#bfe3ff' \) -geometry +32+64 -compose Over -composite \
    -fill '#ffd23a' -draw "circle 182,100 182,80" \
    -fill '#5aa843' -draw "path 'M 32,192 L 32,150 Q 90,105 150,150 Q 190,125 224,140 L 224,192 Z'" \
    -fill '#3d7f30' -draw "path 'M 32,192 L 32,175 Q 110,140 224,180 L 224,192 Z'" \
    -fill none -stroke '#303846' -strokewidth $sw -draw "roundrectangle 8,40 248,216 22,22" \
    -stroke none -fill '#e8e4d8' \
    -draw "$holes" \
    -filter Lanczos -resize ${s}x${s} -depth 8 "$2"
}
make_icon() {
  for s in 256 48 32 16; do icon_png $s icon$s.png; done
  convert icon256.png icon48.png icon32.png icon16.png "$OUT/lumiroll.ico"   # PNG input: the 256 entry is stored PNG-compressed
}

###########################################################################
# 4. Maker's logo, 140 x 178, 24-bit BMP (About box, installer welcome)
###########################################################################
make_logo() {
  local S=${1:-1} A
  A="affine $S,0,0,$S,0,0"
  convert -size "$(px 140 "$S")x$(px 178 "$S")" gradient:'#1d3f7a'-'#0b1a36' \
    \( -size "$(px 140 "$S")x$(px 178 "$S")" xc:none -fill 'rgba(120,180,255,0.35)' -draw "$A ellipse 70,64 60,60 0,360" -blur 0x"$(mul 14 "$S")" \) -compose Over -composite \
    -fill none -stroke '#f2c94c' -strokewidth 9 -draw "$A ellipse 70,62 34,34 0,360" \
    -stroke '#f2c94c' -strokewidth 9 -draw "$A line 86,80 106,102" \
    -stroke none -fill '#ffffff' -draw "$A circle 70,62 70,50" \
    -fill '#7fc6ff' -draw "$A path 'M 46,74 Q 60,58 74,70 Q 84,62 94,72 Q 86,92 70,96 Q 52,92 46,74 Z'" \
    -font "$SANSB" -pointsize "$(mul 17 "$S")" -fill white -gravity north -annotate +0+"$(px 112 "$S")" 'QUORVANE' \
    -font "$SANS" -pointsize "$(mul 11 "$S")" -fill '#a9c4ef' -annotate +0+"$(px 133 "$S")" 'S O F T W A R E' \
    -stroke '#f2c94c' -strokewidth 1 -draw "$A line 30,152 110,152" -stroke none \
    -font "$SERIFI" -pointsize "$(mul 12 "$S")" -fill '#f2c94c' -annotate +0+"$(px 157 "$S")" 'Lumiroll' \
    logo.miff
  bmp3 logo.miff "$OUT/logo$(suffix "$S").bmp"
}

###########################################################################
# 5. Monitor drawing, 184 x 169 (settings dialog; preview 154x115 at 15,15)
###########################################################################
make_monitor() {
  local S=${1:-1} A
  A="affine $S,0,0,$S,0,0"
  convert -size "$(px 184 "$S")x$(px 169 "$S")" xc:"$FACE" \
    -fill '#2b2f36' -draw "$A polygon 76,141 108,141 112,156 72,156" \
    -fill '#c9ccd2' -stroke '#6d7178' -draw "$A roundrectangle 30,154 154,165 6,6" -stroke none \
    -fill '#e6e8ec' -draw "$A line 36,156 148,156" \
    -fill '#3a3f47' -stroke '#1f2227' -draw "$A roundrectangle 3,3 180,143 9,9" -stroke none \
    -fill '#4b515b' -draw "$A roundrectangle 5,5 178,141 8,8" \
    -fill '#3a3f47' -draw "$A rectangle 9,9 174,137" \
    -fill '#7fd67f' -draw "$A circle 168,137 169,138" \
    -fill '#15181c' -draw "$A rectangle 13,13 170,131" \
    -fill black -draw "$A rectangle 15,15 168,129" \
    monitor.miff
  bmp3 monitor.miff "$OUT/monitor$(suffix "$S").bmp"
}

###########################################################################
# 6. Bent arrow, 132 x 121 (installer final dialog; points to the picture)
###########################################################################
make_arrow() {
  local S=${1:-1}
  # Outline computed in python: down from the top left, a quarter-circle
  # bend, then right into a broad head (drawn 4x, scaled down for smoothness).
  python3 - > arrow.mvg <<'PYEOF'
import math
S = 4
x0, y0 = 22, 8            # start of the shaft (top)
r = 34                    # bend radius of the centre line
yb = 80                   # where the bend ends (centre line y of the horizontal part)
xh = 92                   # where the head starts
w = 8                     # half thickness of the shaft
cx, cy = x0 + r, yb - r   # centre of the bend
def arc(rad, a0, a1, n=24):
    return [(cx + rad*math.cos(a0 + (a1-a0)*i/n), cy + rad*math.sin(a0 + (a1-a0)*i/n)) for i in range(n+1)]
outer = [(x0 - w, y0)] + arc(r + w, math.pi, math.pi/2) + [(xh, yb + w), (xh, yb + 24), (128, yb), (xh, yb - 24), (xh, yb - w)]
inner = arc(r - w, math.pi/2, math.pi) + [(x0 + w, y0)]
pts = outer + inner
def P(p): return '%.1f,%.1f' % (p[0]*S, p[1]*S)
print('fill "#2166c4" stroke "#123f80" stroke-width %d stroke-linejoin round polygon %s' % (S*1.5, ' '.join(P(p) for p in pts)))
# light stripe along the shaft for a little depth
hl = [(x0 - w/2, y0 + 2)] + arc(r + w/2, math.pi, math.pi/2) + [(xh - 2, yb + w/2)]
print('fill none stroke "#78aef0" stroke-width %d stroke-linecap round polyline %s' % (S*2, ' '.join(P(p) for p in hl)))
PYEOF
  { echo "viewbox 0 0 528 484"; cat arrow.mvg; } > arrow.v.mvg
  convert -size 528x484 -background "$FACE" mvg:arrow.v.mvg -filter Lanczos \
    -resize "$(px 132 "$S")x$(px 121 "$S")!" arrow.miff
  bmp3 arrow.miff "$OUT/arrow$(suffix "$S").bmp"
}

###########################################################################
# 7. File manager with the context menu of Lumiroll.scr, 230 x 230
###########################################################################
make_context_menu() {
  local S=${1:-1}
  python3 - > cm.mvg <<'PYEOF'
out = []
def rect(x0, y0, x1, y1, c): out.append('fill "%s" rectangle %d,%d %d,%d' % (c, x0, y0, x1, y1))
def text(x, y, s, c='#000000', font='DejaVu-Sans', size=10):
    out.append('font "%s" font-size %d fill "%s" text %d,%d "%s"' % (font, size, c, x, y, s))
# window frame and title bar
rect(0, 0, 229, 229, '#f0f0f0')
rect(0, 0, 229, 18, '#1f5fbf')
text(22, 13, 'Lumiroll', '#ffffff', 'DejaVu-Sans-Bold', 10)
rect(5, 4, 16, 14, '#f3d36b'); rect(5, 4, 10, 6, '#e0b84a')          # folder glyph
for i, g in enumerate(['_', 'o', 'x']): pass
rect(208, 3, 225, 15, '#d9534f'); out.append('stroke "#ffffff" stroke-width 1.5 line 213,6 220,12 line 220,6 213,12 stroke none')
# menu bar
text(6, 31, 'File   Edit   View   Help', '#000000', 'DejaVu-Sans', 10)
rect(2, 36, 227, 227, '#ffffff')
out.append('fill none stroke "#a0a0a0" rectangle 2,36 227,227 stroke none')
# file list (alphabetical, as the file manager shows it)
files = [('harbor.jpg', 'jpg'), ('lantern.jpg', 'jpg'), ('Lumiroll.scr', 'scr'), ('meadow.jpg', 'jpg'),
         ('Setup.exe', 'exe'), ('tulips.jpg', 'jpg'), ('Uninstal.exe', 'exe')]
y = 41
for name, kind in files:
    if kind == 'jpg':
        rect(8, y+1, 21, y+13, '#ffffff'); out.append('fill none stroke "#7a7a7a" rectangle 8,%d 21,%d stroke none' % (y+1, y+13))
        rect(10, y+3, 19, y+11, '#8cc4f0'); out.append('fill "#4f9a3a" polygon 10,%d 14,%d 19,%d 19,%d 10,%d' % (y+11, y+7, y+10, y+11, y+11))
        out.append('fill "#ffd23a" circle 17,%d 18,%d' % (y+5, y+5))
    elif kind == 'exe':
        rect(8, y+2, 21, y+13, '#dfe6f0'); rect(8, y+2, 21, y+4, '#2a62c9')
        out.append('fill none stroke "#5a6470" rectangle 8,%d 21,%d stroke none' % (y+2, y+13))
    else:
        rect(8, y+2, 21, y+12, '#303846'); rect(10, y+4, 19, y+10, '#6cb2f0')
        out.append('fill "#4f9a3a" polygon 10,%d 14,%d 19,%d 19,%d 10,%d' % (y+10, y+7, y+9, y+10, y+10))
    if name == 'Lumiroll.scr':
        rect(24, y, 88, y+14, '#cce4f7')
        out.append('fill none stroke "#7ab0e0" rectangle 24,%d 88,%d stroke none' % (y, y+14))
    text(27, y+11, name)
    y += 17
# context menu opened on Lumiroll.scr
mx, my = 60, 84
items = ['Install', 'Test', 'Configure', '-', 'Open', '-', 'Copy', 'Delete', '-', 'Properties']
h = 4 + sum(7 if i == '-' else 16 for i in items)
rect(mx+3, my+3, mx+118+3, my+h+3, '#9a9a9a')                         # shadow
rect(mx, my, mx+118, my+h, '#f2f2f2')
out.append('fill none stroke "#8a8a8a" rectangle %d,%d %d,%d stroke none' % (mx, my, mx+118, my+h))
yy = my + 2
for i in items:
    if i == '-':
        out.append('stroke "#c8c8c8" line %d,%d %d,%d stroke none' % (mx+4, yy+3, mx+114, yy+3))
        yy += 7; continue
    if i == 'Install':
        rect(mx+2, yy, mx+116, yy+15, '#1c6ad6')
        text(mx+20, yy+12, i, '#ffffff', 'DejaVu-Sans-Bold', 11)
    else:
        text(mx+20, yy+12, i, '#000000', 'DejaVu-Sans', 11)
    yy += 16
# mouse pointer near the click point
px, py = 58, 82
out.append('fill "#ffffff" stroke "#000000" stroke-width 1 polygon %d,%d %d,%d %d,%d %d,%d %d,%d %d,%d %d,%d stroke none' % (
    px, py, px, py+14, px+3, py+11, px+6, py+17, px+8, py+16, px+5, py+10, px+10, py+10))
print('\n'.join(out))
PYEOF
  { echo "affine $S,0,0,$S,0,0"; cat cm.mvg; } > cm.s.mvg
  layer "$(px 230 "$S")" "$(px 230 "$S")" cm.s.mvg cm.miff
  bmp3 cm.miff "$OUT/context_menu$(suffix "$S").bmp"
}

###########################################################################
# With no arguments make everything; otherwise only the named pictures,
# e.g. `make_assets.sh logo monitor`.
ALL=(thankyou icon logo monitor arrow context_menu harbor meadow lantern tulips)
ARTWORK=" logo monitor arrow context_menu "
for job in "${@:-${ALL[@]}}"; do
  echo "making $job"
  if [[ "$ARTWORK" == *" $job "* ]]; then
    for scale in "${SCALES[@]}"; do "make_$job" "$scale"; done
  else
    "make_$job"
  fi
done
