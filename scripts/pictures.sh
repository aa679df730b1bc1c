#!/usr/bin/env bash
# Draws the built-in pictures of the quiz screen once, with ImageMagick:
# 101, 102, 103 the verdict traffic lights (green, red, amber lamp lit) and
# 104 the default thumbnail (a classroom blackboard). The PNGs are committed
# under resources/pictures/; run this again only to redraw them.
set -euo pipefail
cd "$(dirname "$0")/../resources/pictures"
police=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf

# One traffic light, 87 x 199, with the lamp $1 (rouge, orange, vert) lit.
feu() {
  local allume=$1 sortie=$2
  local rouge="#4a1410" orange="#4a3510" vert="#123a18"
  local halo="none" hx=0 hy=0
  case $allume in
    rouge)  rouge="#ff3b30"; halo="#ff3b3055"; hy=40 ;;
    orange) orange="#ffb000"; halo="#ffb00055"; hy=100 ;;
    vert)   vert="#34d058"; halo="#34d05855"; hy=160 ;;
  esac
  hx=43
  convert -size 87x199 xc:none \
    -fill "#2b2b2b" -stroke "#111111" -strokewidth 2 -draw "roundrectangle 9,5 77,193 14,14" \
    -fill "#3a3a3a" -stroke none -draw "roundrectangle 13,9 73,189 11,11" \
    -fill "$halo" -draw "circle $hx,$hy $((hx + 28)),$hy" \
    -fill "#151515" -draw "circle 43,40 67,40" -draw "circle 43,100 67,100" -draw "circle 43,160 67,160" \
    -fill "$rouge" -draw "circle 43,40 64,40" \
    -fill "$orange" -draw "circle 43,100 64,100" \
    -fill "$vert" -draw "circle 43,160 64,160" \
    -fill "#ffffff70" -draw "ellipse 36,$((hy - 8)) 7,4 0,360" \
    -fill "#222222" -draw "rectangle 2,34 9,46" -draw "rectangle 2,94 9,106" -draw "rectangle 2,154 9,166" \
    -draw "rectangle 77,34 84,46" -draw "rectangle 77,94 84,106" -draw "rectangle 77,154 84,166" \
    -strip -depth 8 "$sortie"
}
feu vert 101.png
feu rouge 102.png
feu orange 103.png

# 104: a blackboard in a wooden frame, chalk writing, a tray with chalk.
convert -size 256x192 gradient:"#f3e7c9"-"#e2cfa3" \
  -fill "#8a5a2b" -stroke "#5e3b17" -strokewidth 2 -draw "roundrectangle 14,12 242,152 6,6" \
  -fill "#2f5d3a" -stroke "#1f3f27" -strokewidth 1 -draw "rectangle 24,22 232,142" \
  -fill "#3a6b46" -stroke none -draw "rectangle 26,24 230,60" \
  -font "$police" -pointsize 26 -fill "#f4f4ec" -stroke none -draw "text 36,55 'Q. C. M.'" \
  -fill none -stroke "#f4f4ec" -strokewidth 2 \
  -draw "rectangle 40,74 54,88" -draw "rectangle 40,98 54,112" -draw "rectangle 40,122 54,136" \
  -draw "polyline 42,104 47,110 57,94" \
  -draw "line 64,81 150,81" -draw "line 64,105 176,105" -draw "line 64,129 132,129" \
  -stroke "#f6d34a" -strokewidth 3 -fill none -draw "ellipse 198,104 24,24 0,360" \
  -stroke "#f6d34a" -strokewidth 3 -draw "line 198,92 198,104" -draw "line 198,104 207,110" \
  -stroke none -fill "#6f4520" -draw "rectangle 18,152 238,160" \
  -fill "#ffffff" -draw "roundrectangle 60,146 82,152 2,2" \
  -fill "#f7c6d9" -draw "roundrectangle 92,147 108,152 2,2" \
  -fill "#c63b3b" -draw "circle 214,172 214,160" \
  -fill "#5b8f2a" -draw "ellipse 218,159 5,3 0,360" \
  -fill "#7a4a21" -draw "rectangle 213,157 215,161" \
  -fill "#3f6fb0" -draw "rectangle 28,166 86,184" -fill "#e8e2d0" -draw "rectangle 32,168 84,182" \
  -fill "#b53a2f" -draw "rectangle 96,170 150,184" -fill "#e8e2d0" -draw "rectangle 100,172 148,182" \
  -strip -depth 8 104.png
