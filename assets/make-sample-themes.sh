#!/bin/bash
# Draws the three sample themes in themes/ with ImageMagick: their splash images (838 x 506
# and 1676 x 1012), their application-bar icons (32 and 64 pixels, the sizes of Photoshop's
# own), their info.ini and, for 星夜, its own startup text. The results are committed; run
# this again only after changing the drawings.
#   assets/make-sample-themes.sh
#
#   星夜  every image, its own word.txt, loadtext=no (the theme's text replaces Photoshop's); info.ini in GBK
#   晨光  both splash sizes and the icons, loadtext=no without a text (the startup text is hidden); info.ini in UTF-16LE
#   墨竹  only the 1x splash; Photoshop's startup text stays; info.ini in UTF-8
set -euo pipefail
cd "$(dirname "$0")"
convert=/usr/bin/convert
font=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
W=1676
H=1012

# Deterministic scatter: COUNT "circle" primitives inside WIDTH x HEIGHT, radius up to MAXR.
#   scatter SEED COUNT WIDTH HEIGHT MAXR
scatter() {
  awk -v seed="$1" -v n="$2" -v w="$3" -v h="$4" -v maxr="$5" 'BEGIN {
    srand(seed)
    for (i = 0; i < n; i++) {
      x = int(rand() * w); y = int(rand() * h); r = 0.6 + rand() * rand() * maxr
      printf "circle %d,%d %.1f,%d ", x, y, x + r, y
    }
  }'
}

# The 1x splash is the 2x drawing made half as large, so the two always agree.
#   splashes THEME_FOLDER DRAWN_2X_PNG [only-low]
splashes() {
  mkdir -p "themes/$1"
  if [ "${3:-}" != only-low ]; then
    "$convert" "$2" -strip "PNG24:themes/$1/loading_high.png"
  fi
  "$convert" "$2" -resize 838x506! -strip "PNG24:themes/$1/loading_low.png"
}

# A 64-pixel drawing becomes ico_VARIANT_high.png, and at 32 pixels ico_VARIANT_low.png.
#   icons THEME_FOLDER VARIANT DRAWN_64_PNG
icons() {
  "$convert" "$3" -strip "PNG32:themes/$1/ico_$2_high.png"
  "$convert" "$3" -resize 32x32 -strip "PNG32:themes/$1/ico_$2_low.png"
}

# info.ini in the encoding a theme author's editor may have used.
#   info THEME_FOLDER ENCODING TEXT
info() {
  case "$2" in
    GBK) printf '%s' "$3" | iconv -f UTF-8 -t GBK > "themes/$1/info.ini" ;;
    UTF-16LE) { printf '\xff\xfe'; printf '%s' "$3" | iconv -f UTF-8 -t UTF-16LE; } > "themes/$1/info.ini" ;;
    UTF-8) printf '%s' "$3" > "themes/$1/info.ini" ;;
  esac
}

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# ---- 星夜: a deep blue night, a crescent moon over dark hills, stars everywhere.
"$convert" -size ${W}x${H} gradient:'#050b1f-#1c3566' \
  -fill 'rgba(255,255,255,0.85)' -draw "$(scatter 7 260 $W 760 3.2)" \
  -fill 'rgba(160,190,255,0.55)' -draw "$(scatter 11 140 $W 820 2.0)" \
  -fill '#f3ecc8' -draw 'circle 1290,250 1290,140' \
  -fill '#0a1430' -draw 'circle 1340,215 1340,110' \
  -fill '#081026' -draw "polygon 0,$H 0,820 260,700 520,790 760,660 1040,780 1320,690 $W,800 $W,$H" \
  -fill '#0d1a3a' -draw "polygon 0,$H 0,900 380,830 700,910 1100,840 1450,920 $W,880 $W,$H" \
  -font "$font" -pointsize 120 -fill '#e8eefc' -annotate +130+560 '星夜' \
  -pointsize 40 -fill '#8fa6d6' -annotate +136+640 'Lumivel 示例主题' \
  "$tmp/night.png"
splashes 星夜 "$tmp/night.png"
for variant in dark light; do
  if [ $variant = dark ]; then face='#1c3566'; moon='#f3ecc8'; cut='#1c3566'; else face='#dfe7f7'; moon='#1c3566'; cut='#dfe7f7'; fi
  "$convert" -size 64x64 xc:none -fill "$face" -draw 'roundrectangle 2,2 61,61 12,12' \
    -fill "$moon" -draw 'circle 30,33 30,13' -fill "$cut" -draw 'circle 40,26 40,9' \
    -fill "$moon" -draw 'circle 48,46 49,46' -draw 'circle 15,16 16,16' "$tmp/night-$variant.png"
  icons 星夜 $variant "$tmp/night-$variant.png"
done
info 星夜 GBK $'[Lumivel_theme]\r\ninfo=深蓝夜空与点点繁星，启动时换上星夜的文字\r\nby=Lumivel\r\nbyurl=\r\nre=\r\nreurl=\r\nloadtext=no\r\n'
printf '%s' $'"$$$/Splash/Initializing=星夜正在升起..."\r\n"$$$/Splash/ScanningForPlugIns=正在点亮星星..."\r\n"$$$/Splash/ReadingPrefs=正在读取夜空..."\r\n"$$$/private/Credits/Legal/CopyrightTwoLine=星夜主题 · Lumivel"\r\n"$$$/About/ReleaseX=星夜"\r\n' |
  iconv -f UTF-8 -t UTF-16LE > themes/星夜/word.txt

# ---- 晨光: a warm sky at sunrise, the sun rising behind soft clouds.
"$convert" -size ${W}x${H} gradient:'#ffd9a0-#ff8a65' \
  -fill 'rgba(255,250,225,0.18)' -draw 'circle 1180,700 1180,330' \
  -fill 'rgba(255,250,225,0.25)' -draw 'circle 1180,700 1180,440' \
  -fill '#fff6d8' -draw 'circle 1180,700 1180,560' \
  -fill 'rgba(255,255,255,0.55)' -draw 'ellipse 420,300 260,46 0,360' -draw 'ellipse 600,270 180,40 0,360' \
  -draw 'ellipse 1450,420 220,36 0,360' -draw 'ellipse 300,520 200,30 0,360' \
  -fill '#c8553d' -draw "rectangle 0,760 $W,$H" \
  -fill 'rgba(255,240,210,0.35)' -draw "rectangle 0,760 $W,772" \
  -font "$font" -pointsize 120 -fill '#7a2e1f' -annotate +130+560 '晨光' \
  -pointsize 40 -fill '#9c4a33' -annotate +136+640 'Lumivel 示例主题' \
  "$tmp/morning.png"
splashes 晨光 "$tmp/morning.png"
for variant in dark light; do
  if [ $variant = dark ]; then face='#3a1f1a'; sun='#ffb36b'; else face='#fff1dc'; sun='#d8643f'; fi
  "$convert" -size 64x64 xc:none -fill "$face" -draw 'roundrectangle 2,2 61,61 12,12' \
    -fill "$sun" -draw 'circle 32,40 32,24' -fill "$face" -draw 'rectangle 6,42 57,59' \
    -fill "$sun" -draw 'rectangle 10,46 53,48' -draw 'rectangle 18,52 45,54' "$tmp/morning-$variant.png"
  icons 晨光 $variant "$tmp/morning-$variant.png"
done
info 晨光 UTF-16LE $'[Lumivel_theme]\r\ninfo=温暖的晨光与朝阳，启动时不显示文字\r\nby=Lumivel\r\nbyurl=\r\nre=\r\nreurl=\r\nloadtext=no\r\n'

# ---- 墨竹: ink bamboo on rice paper; only the 1x splash.
# One bamboo stalk: six segments with a gap at each joint, leaning as it grows.
#   stalk X LEAN WIDTH GREY  (adds its arguments to the array "args")
stalk() {
  local x=$1 lean=$2 w=$3 prims="" y x0 x1
  for y in 0 180 360 540 720 900; do
    x0=$((x + lean * y / H)) x1=$((x + lean * (y + 170) / H))
    prims+="polygon $x0,$y $((x0 + w)),$y $((x1 + w)),$((y + 170)) $x1,$((y + 170)) "
  done
  args+=(-fill "$4" -draw "$prims")
}
args=(-size ${W}x${H} gradient:'#f7f3ea-#e9e1cf')
stalk 1080 -60 34 '#3b3b36'
stalk 1250 40 26 '#5a5a52'
stalk 1420 -30 20 '#7d7c72'
args+=(-fill '#2f302b' -draw 'polygon 1110,300 1300,250 1150,320' -draw 'polygon 1110,320 1260,360 1140,335'
  -draw 'polygon 1270,520 1460,470 1300,540' -draw 'polygon 1270,545 1420,600 1295,560'
  -draw 'polygon 1060,700 880,650 1030,720' -draw 'polygon 1440,200 1600,160 1460,215'
  -fill '#b23a2e' -draw 'roundrectangle 150,700 214,764 6,6'
  -font "$font" -pointsize 120 -fill '#2b2b27' -annotate +130+560 '墨竹'
  -pointsize 40 -fill '#6d6a5f' -annotate +136+640 'Lumivel 示例主题'
  "$tmp/bamboo.png")
"$convert" "${args[@]}"
splashes 墨竹 "$tmp/bamboo.png" only-low
info 墨竹 UTF-8 $'[Lumivel_theme]\r\ninfo=宣纸上的水墨竹子，只有 1x 启动图\r\nby=Lumivel\r\nbyurl=\r\nre=\r\nreurl=\r\n'

echo "sample themes written to $(pwd)/themes"
