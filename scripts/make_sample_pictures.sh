#!/usr/bin/env bash
# Draws the pictures of the sample library with ImageMagick (run once; the
# results are committed).
set -euo pipefail
cd "$(dirname "$0")/../library"
font=DejaVu-Sans

planete() {  # file size colour1 colour2 label [ring]
  local fichier=$1 taille=$2 c1=$3 c2=$4 texte=$5 anneau=${6:-}
  local r=$((taille / 3)) cx=$((taille * 2 / 3)) cy=$((taille / 2))
  local cmd=(-size $((taille * 4 / 3))x$taille xc:'#070b24')
  for i in $(seq 1 40); do
    cmd+=(-fill white -draw "point $((RANDOM % (taille * 4 / 3))),$((RANDOM % taille))")
  done
  local d=$((2 * r))
  cmd+=(\( -size ${d}x$d radial-gradient:"$c1"-"$c2"
         \( -size ${d}x$d xc:black -fill white -draw "circle $r,$r $r,2" \)
         -alpha off -compose copy_opacity -composite \)
        -geometry +$((cx - r))+$((cy - r)) -compose over -composite)
  if [ -n "$anneau" ]; then
    cmd+=(-fill none -stroke '#d9c48a' -strokewidth 6 -draw "ellipse $cx,$cy $((r * 17 / 10)),$((r / 3)) 0,360")
  fi
  cmd+=(-stroke none -fill white -font $font -pointsize $((taille / 14)) -gravity southwest -annotate +20+20 "$texte")
  convert "${cmd[@]}" "$fichier"
}

mkdir -p VOLCANS/Images PLANETES/Images CORPS_HUMAIN/Images

# A crater seen from the side, in GIF.
convert -size 640x480 gradient:'#7ec8f0'-'#fdf3d0' \
  -fill '#6b4a2b' -draw "polygon 40,470 260,150 380,150 600,470" \
  -fill '#3b2a1a' -draw "ellipse 320,152 62,16 0,360" \
  -fill '#4f7d2f' -draw "polygon 0,480 0,420 120,400 240,440 400,430 520,400 640,430 640,480" \
  -fill '#b8b8b8' -draw "ellipse 330,100 40,26 0,360" -draw "ellipse 360,70 30,20 0,360" \
  -fill black -font $font -pointsize 26 -gravity north -annotate +0+14 "Cratère d'un puy" \
  VOLCANS/Images/cratere.gif

# A sketch map of the Massif central, in JPEG.
convert -size 800x600 xc:'#e8f1e0' \
  -fill '#cfe3b8' -stroke '#7a9a60' -strokewidth 3 \
  -draw "polygon 180,80 620,60 700,300 600,540 220,560 100,320" \
  -stroke none -fill '#a0522d' \
  -draw "circle 360,190 372,190" -draw "circle 375,250 387,250" -draw "circle 330,420 342,420" \
  -fill black -font $font -pointsize 22 \
  -annotate +385+196 "Puy de Dôme" -annotate +395+256 "Puy de Sancy" -annotate +350+426 "Plomb du Cantal" \
  -pointsize 30 -annotate +240+520 "Massif central" \
  VOLCANS/Images/carte.jpg

planete PLANETES/Images/soleil.jpg 600 '#fff6a0' '#f08a00' "Le Soleil"
planete PLANETES/Images/jupiter.jpg 600 '#f1d9b5' '#a0623a' "Jupiter"
planete PLANETES/Images/mars.jpg 480 '#f0a070' '#8a2e10' "Mars"
planete PLANETES/Images/saturne.gif 480 '#f5e6b0' '#b08a40' "Saturne" anneau
planete PLANETES/Images/lune.gif 420 '#f0f0f0' '#707070' "La Lune"
planete PLANETES/Images/terre.jpg 3000 '#7fd0ff' '#0b3d91' "La Terre"

# Cycling pictures of the human body.
convert -size 600x450 xc:'#fff4f0' -fill '#c0182a' \
  -draw "circle 250,190 250,110" -draw "circle 350,190 350,110" \
  -draw "polygon 176,220 424,220 300,380" \
  -fill black -font $font -pointsize 30 -gravity south -annotate +0+18 "Le cœur" \
  CORPS_HUMAIN/Images/coeur.jpg
convert -size 450x600 xc:'#10203a' -fill '#f2f2e8' -stroke '#f2f2e8' -strokewidth 14 \
  -draw "circle 225,80 225,40" -draw "line 225,120 225,330" \
  -draw "line 150,160 300,160" -draw "line 150,160 110,300" -draw "line 300,160 340,300" \
  -draw "line 225,330 160,520" -draw "line 225,330 290,520" \
  -stroke none -font $font -pointsize 30 -gravity south -annotate +0+14 "Le squelette" \
  CORPS_HUMAIN/Images/squelette.gif
convert -size 600x450 xc:'#eef6ff' -fill '#e07a8a' \
  -draw "ellipse 220,220 80,140 0,360" -draw "ellipse 380,220 80,140 0,360" \
  -fill '#8aa0b8' -draw "rectangle 290,40 310,170" \
  -fill black -font $font -pointsize 30 -gravity south -annotate +0+10 "Les poumons" \
  CORPS_HUMAIN/Images/poumons.jpg
