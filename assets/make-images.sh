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
