#!/bin/bash
# Draws the four built-in pictures of the splash preview and its backdrop with ImageMagick
# (and the WenQuanYi Micro Hei font for the Chinese texts). The results in preview/ are
# committed and built into the programs; run this again only after changing a drawing.
#   assets/make-preview-images.sh
set -euo pipefail
cd "$(dirname "$0")"
convert=/usr/bin/convert
font=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
out=preview
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# ---- Placeholder splash, 838 x 506 -------------------------------------------------------
# Shown until the first look is chosen: a translucent light-grey panel with fine diagonal
# stripes and a thin border, the program's logo and name in the upper middle.
stripes=
for ((x = -506; x < 838; x += 7)); do
  stripes+="line $x,505 $((x + 505)),0 "
done
"$convert" -size 256x256 xc:none -fill '#001122' -stroke '#5b9bd5' -strokewidth 12 \
  -draw 'roundrectangle 8,8 247,247 40,40' \
  -stroke none -fill '#dce6ee' -draw 'polygon 78,52 118,52 118,168 186,168 186,204 78,204' \
  -resize 96x96 "PNG32:$tmp/logo.png"
"$convert" -size 838x506 xc:'rgba(196,201,208,0.62)' \
  -stroke 'rgba(255,255,255,0.22)' -strokewidth 1 -draw "$stripes" \
  -fill none -stroke 'rgba(255,255,255,0.85)' -draw 'rectangle 0.5,0.5 837.5,505.5' \
  "$tmp/logo.png" -geometry +371+104 -composite \
  -stroke none -font "$font" -fill '#0b2540' -pointsize 40 -gravity north -annotate +0+214 'Lumivel' \
  -fill '#2a4a6a' -pointsize 16 -annotate +0+268 '选择一个主题，在这里预览 Photoshop 的启动画面' \
  -strip "PNG32:$out/placeholder_splash.png"

# ---- Empty overlay, 838 x 506 --------------------------------------------------------------
# Transparent but for two nearly invisible corner pixels, so the picture spans the window.
"$convert" -size 838x506 xc:none \
  -fill '#FFFFFF47' -draw 'color 0,0 point' -fill '#FFFFFF4A' -draw 'color 837,505 point' \
  -strip "PNG32:$out/empty_overlay.png"

# ---- Default-text overlay, 832 x 500 -------------------------------------------------------
# Where Photoshop's splash screen shows its startup text: the status line, the two-line
# legal notice under it, the block of credits on the right and the edition mark at the
# lower left. The words are placeholders of the program's own; only the layout matters.
text_colour='rgb(57,197,251)'
# The credits: a role on the left, who fills it on the right.
credits=(
  '启动画面' '本主题的作者'
  '应用程序栏图标' '本主题的作者'
  '界面与版式' '主题的设计者'
  '启动文字' '主题的 word.txt'
  '插图' '主题作者的画作'
  '配色' '主题作者的选择'
  '预览' 'Lumivel'
  '鸣谢' '每一位制作主题的人'
)
draw_credits=()
y=301
for ((k = 0; k < ${#credits[@]}; k += 2)); do
  draw_credits+=(-annotate "+502+$y" "${credits[k]}" -annotate "+652+$y" "${credits[k + 1]}")
  y=$((y + 17))
done
"$convert" -size 832x500 xc:none -font "$font" -fill "$text_colour" -stroke none \
  -pointsize 11 -annotate +252+292 '正在载入启动画面……' \
  -pointsize 10 -annotate +252+310 '启动文字预览：Photoshop 启动时在这里显示' \
  -annotate +252+323 '它的状态与版权声明。' \
  -pointsize 10 "${draw_credits[@]}" \
  -pointsize 14 -annotate +41+437 'CC 2015' \
  -strip "PNG32:$out/default_text.png"

# ---- Backdrop frame, 842 x 195 ---------------------------------------------------------------
# A 4-pixel light-blue outline whose transparent inside, 824 pixels wide from x 9 and y 5,
# lies over the main window; outside it a soft black shadow, 5 pixels at the sides, 1 at
# the top and 9 at the bottom, fading outwards.
shadow='dl=max(5-i,0); dr=max(i-836,0); dt=max(1-j,0); db=max(j-185,0);
  nx=max(dl-0.5,0)/5 + max(dr-0.5,0)/5; ny=max(dt-0.5,0)/1 + max(db-0.5,0)/9;
  far=max(nx,ny); (far>0)*0.5*(1-far)'
"$convert" -size 842x195 xc:black -alpha set -channel A -fx "$shadow" +channel \
  +antialias -fill 'rgb(60,200,255)' -stroke none \
  -draw 'rectangle 5,1 836,4' -draw 'rectangle 5,182 836,185' \
  -draw 'rectangle 5,5 8,181' -draw 'rectangle 833,5 836,181' \
  -strip "PNG32:$out/backdrop_frame.png"
