#!/bin/bash
# Draws the main window's button images and the program icon with ImageMagick.
# The results are committed; run this again only after changing the drawings.
#   assets/make-images.sh
set -euo pipefail
cd "$(dirname "$0")"
convert=/usr/bin/convert
font=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc

# One frame of a picture button: a rounded face with a caption.
#   frame WIDTH HEIGHT FACE EDGE TEXTCOLOUR CAPTION OUT
frame() {
  "$convert" -size "$1x$2" xc:none \
    -fill "$3" -stroke "$4" -strokewidth 1 -draw "roundrectangle 0.5,0.5 $(($1 - 1)).5,$(($2 - 1)).5 4,4" \
    -font "$font" -pointsize 12 -fill "$5" -stroke none -gravity center -annotate +0+0 "$6" \
    "PNG32:$7"
}

# A picture button's image is a vertical strip of its states: normal, hot (pointer over it), pressed.
#   button NAME WIDTH HEIGHT CAPTION
button() {
  local tmp
  tmp=$(mktemp -d)
  frame "$2" "$3" '#12385e' '#2f6a9e' '#dce6ee' "$4" "$tmp/0.png"
  frame "$2" "$3" '#1b4f82' '#5b9bd5' '#ffffff' "$4" "$tmp/1.png"
  frame "$2" "$3" '#0b2540' '#2f6a9e' '#b8c8d8' "$4" "$tmp/2.png"
  "$convert" "$tmp/0.png" "$tmp/1.png" "$tmp/2.png" -append -strip "PNG32:images/$1.png"
  rm -rf "$tmp"
}

button button_locate 48 24 "浏览"
button button_previous 27 26 "◀"
button button_next 27 26 "▶"
button button_minimise 24 26 "—"
button button_close 24 26 "✕"
button button_apply_theme 123 26 "应用主题"
button button_apply_images 107 26 "应用图片"
button button_decoration 48 24 "主题"

# A page button: the states normal, hot, pressed cleared, then the same selected (the
# page shown), with a brighter face and a line under the caption.
#   tab_button NAME WIDTH HEIGHT CAPTION
tab_button() {
  local tmp
  tmp=$(mktemp -d)
  frame "$2" "$3" '#001122' '#001122' '#8aa0b4' "$4" "$tmp/0.png"
  frame "$2" "$3" '#0c243c' '#0c243c' '#dce6ee' "$4" "$tmp/1.png"
  frame "$2" "$3" '#0b2540' '#0b2540' '#b8c8d8' "$4" "$tmp/2.png"
  for n in 3 4 5; do
    frame "$2" "$3" '#12385e' '#5b9bd5' '#ffffff' "$4" "$tmp/$n.png"
  done
  "$convert" "$tmp/0.png" "$tmp/1.png" "$tmp/2.png" "$tmp/3.png" "$tmp/4.png" "$tmp/5.png" -append -strip \
    "PNG32:images/$1.png"
  rm -rf "$tmp"
}

tab_button tab_themes 40 26 "主题"
tab_button tab_custom 48 26 "自定义"

# A badge: a tiny tag with a caption, bright above and dimmed below.
#   badge NAME CAPTION
badge() {
  local tmp
  tmp=$(mktemp -d)
  for face in "0 #2f6a9e #ffffff" "1 #0c243c #4a6680"; do
    set -- "$1" "$2" $face
    "$convert" -size 24x9 xc:none -fill "$4" -draw "roundrectangle 0,0 23,8 2,2" \
      -font DejaVu-Sans-Bold -pointsize 8 -fill "$5" -gravity center -annotate +0+0 "$2" "PNG32:$tmp/$3.png"
  done
  "$convert" "$tmp/0.png" "$tmp/1.png" -append -strip "PNG32:images/$1.png"
  rm -rf "$tmp"
}

badge badge_1x 1X
badge badge_2x 2X
badge badge_text T

# One frame of a two-state switch: a small box at the left, ticked when selected; the
# rest stays transparent, under the switch's caption.
#   switch_frame WIDTH HEIGHT FACE EDGE TICKED OUT
switch_frame() {
  local top=$((($2 - 13) / 2)) tick=()
  if [ "$5" = yes ]; then
    tick=(-fill none -stroke '#dce6ee' -strokewidth 2 -draw "polyline 5,$((top + 6)) 8,$((top + 9)) 13,$((top + 3))")
  fi
  "$convert" -size "$1x$2" xc:none \
    -fill "$3" -stroke "$4" -strokewidth 1 -draw "roundrectangle 2.5,$top.5 14.5,$((top + 12)).5 2,2" \
    "${tick[@]}" "PNG32:$6"
}

# A two-state switch's image: the states normal, hot, pressed cleared, then the same selected.
#   switch_button NAME WIDTH HEIGHT
switch_button() {
  local tmp
  tmp=$(mktemp -d)
  switch_frame "$2" "$3" '#0c243c' '#2f6a9e' no "$tmp/0.png"
  switch_frame "$2" "$3" '#12385e' '#5b9bd5' no "$tmp/1.png"
  switch_frame "$2" "$3" '#0b2540' '#2f6a9e' no "$tmp/2.png"
  switch_frame "$2" "$3" '#1b4f82' '#5b9bd5' yes "$tmp/3.png"
  switch_frame "$2" "$3" '#2a67a5' '#8cc4f0' yes "$tmp/4.png"
  switch_frame "$2" "$3" '#12385e' '#5b9bd5' yes "$tmp/5.png"
  "$convert" "$tmp/0.png" "$tmp/1.png" "$tmp/2.png" "$tmp/3.png" "$tmp/4.png" "$tmp/5.png" -append -strip \
    "PNG32:images/$1.png"
  rm -rf "$tmp"
}

switch_button switch_hide_text 48 19

# The program icon: a light "L" on the window's dark blue, at the sizes Windows asks for.
tmp=$(mktemp -d)
for size in 16 32 48 256; do
  "$convert" -size 256x256 xc:none -fill '#001122' -stroke '#5b9bd5' -strokewidth 12 \
    -draw 'roundrectangle 8,8 247,247 40,40' \
    -stroke none -fill '#dce6ee' -draw 'polygon 78,52 118,52 118,168 186,168 186,204 78,204' \
    -resize "${size}x${size}" -strip "PNG32:$tmp/$size.png"
done
"$convert" "$tmp/16.png" "$tmp/32.png" "$tmp/48.png" "$tmp/256.png" lumivel.ico
rm -rf "$tmp"
