#!/usr/bin/env bash
# Checks by its pixels that a running slide shows inside the runner's frame,
# on two screenshots taken a moment apart:
#   check-slide-pixels.sh SHOT LATER-SHOT COLOUR STAGE FRAME
# COLOUR is the stage colour (#RRGGBB), STAGE the slide's WIDTHxHEIGHT and
# FRAME the frame's WIDTHxHEIGHT+X+Y in the screenshots. Holds when the
# pixels of the stage colour span exactly STAGE inside FRAME, each edge of
# that area is the stage colour and most of it too, the title's white is
# there, and the two shots differ where the light glides: inside the area
# and nowhere else. Says what it saw; exits 1 when any of that fails.
set -euo pipefail
shot=$1 later=$2 colour=$3 stage=$4 frame=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

seen() { echo "== $*"; }
failed=0
check() {  # CONDITION-HOLDS TEXT
  if [ "$1" = 1 ]; then seen "$2"; else echo "check-slide-pixels: NOT SO: $2" >&2; failed=1; fi
}
fx() { convert "$1" -format "%[fx:$2]" info:; }
holds() { awk "BEGIN { exit !($*) }" && echo 1 || echo 0; }
# WIDTHxHEIGHT+X+Y into "W H X Y".
parts() { echo "$1" | sed -E 's/^([0-9]+)x([0-9]+)\+(-?[0-9]+)\+(-?[0-9]+)$/\1 \2 \3 \4/'; }

# Where the stage colour is: white on black.
convert "$shot" -alpha off -fill black +opaque "$colour" -fill white -opaque "$colour" "$work/mask.png"
count=$(fx "$work/mask.png" 'round(mean*w*h)')
if [ "$count" -eq 0 ]; then
  echo "check-slide-pixels: NOT SO: no pixel of the stage colour $colour anywhere: the frame's client area is empty" >&2
  exit 1
fi
box=$(convert "$work/mask.png" -format '%@' info:)
read -r w h x y <<<"$(parts "$box")"
read -r fw fh fx0 fy0 <<<"$(parts "$frame")"
read -r sw sh <<<"$(echo "$stage" | tr 'x' ' ')"
check "$(holds "$w == $sw && $h == $sh")" "the stage colour $colour spans ${w}x${h} at +$x+$y (the slide's stage is $stage)"
check "$(holds "$x > $fx0 && $y > $fy0 && $x + $w < $fx0 + $fw && $y + $h < $fy0 + $fh")" \
  "that area lies inside the runner's frame $frame, its frame and caption around it"

area() { convert "$work/mask.png" -crop "$1" +repage -format '%[fx:mean]' info:; }
inside=$(area "$box")
check "$(holds "$inside >= 0.7")" "$(awk "BEGIN { printf \"%.0f\", $inside * 100 }") % of the area is the stage colour, the rest title and light"
edges=""
for edge in "1x$h+$x+$y" "1x$h+$((x + w - 1))+$y" "${w}x1+$x+$y" "${w}x1+$x+$((y + h - 1))"; do
  edges+=" $(area "$edge")"
done
read -r left right top bottom <<<"$edges"
check "$(holds "$left >= 0.9 && $right >= 0.9 && $top >= 0.9 && $bottom >= 0.9")" \
  "its edges are the stage colour (left $left, right $right, top $top, bottom $bottom): no strip of anything else"

white=$(convert "$shot" -alpha off -crop "$box" +repage -fill black +opaque white -format '%[fx:round(mean*w*h)]' info:)
check "$(holds "$white >= 200")" "the title's white: $white pixels"

convert "$shot" "$later" -alpha off -compose difference -composite -fill white +opaque black "$work/moved.png"
moved=$(fx "$work/moved.png" 'round(mean*w*h)')
if [ "$moved" -gt 0 ]; then
  moved_box=$(convert "$work/moved.png" -format '%@' info:)
  read -r mw mh mx my <<<"$(parts "$moved_box")"
  check "$(holds "$mx >= $x && $my >= $y && $mx + $mw <= $x + $w && $my + $mh <= $y + $h")" \
    "the light glides: $moved pixels differ between the two shots, all inside the slide ($moved_box)"
else
  check 0 "the two shots are identical: the light does not glide"
fi
exit $failed
