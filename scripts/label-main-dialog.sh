#!/usr/bin/env bash
# Numbers the buttons on the main dialog's picture for docs/using.md:
# docs/main-dialog.png in, docs/main-dialog-buttons.png out. Each number sits
# on its button's top left corner: the template's dialog units at the 1.5
# pixels a unit is under Wine at 96 dpi, plus the frame and caption (5, 22).
set -euo pipefail
cd "$(dirname "$0")/.."

# number x y (dialog units), in the order of the table in docs/using.md
buttons=(
  "1 14 28" "2 66 51" "3 177 51" "4 14 92" "5 163 166"
  "6 59 219" "7 165 219" "8 59 249" "9 165 249" "10 59 279" "11 158 279"
  "12 274 20" "13 274 54" "14 274 111" "15 274 156"
  "16 313 220" "17 313 244" "18 266 275" "19 215 332" "20 248 338" "21 298 337"
)
draw=()
for button in "${buttons[@]}"; do
  read -r n x y <<<"$button"
  cx=$((x * 3 / 2 + 5)) cy=$((y * 3 / 2 + 22))
  draw+=(-fill "#FFD800" -stroke black -strokewidth 1 -draw "circle $cx,$cy $((cx + 8)),$cy")
  draw+=(-fill black -stroke none -annotate "+$((cx - (n > 9 ? 7 : 4)))+$((cy + 4))" "$n")
done
convert docs/main-dialog.png -font DejaVu-Sans-Bold -pointsize 11 "${draw[@]}" docs/main-dialog-buttons.png
echo docs/main-dialog-buttons.png
