#!/usr/bin/env bash
# tessel-wayland covers every output of the compositor, each at its own size
# with a picture of its own that changes and is centred on it, follows an
# output added while it runs, and draws a scale-2 output at its physical
# pixels (not a picture of half the size doubled).
#   wayland_outputs.sh TESSEL_WAYLAND
source "$(dirname "$0")/wayland-lib.sh"
saver=$1
wl_setup wayland_outputs
wl_play_scene "$X11_LIVELY_SCENE"

before=$(wl_msg -t get_outputs -r | sed -n 's/.*"name": "\(HEADLESS-[0-9]*\)".*/\1/p' | sort)
wl_start "$saver" --seed 41 --fps 10
run=$X11_LAST_PID
for expected in "HEADLESS-1 640 480" "HEADLESS-2 800 600"; do
  read -r output width height <<<"$expected"
  wl_wait_lit "$output" 50 || x11_fail "$output not lit: $WL_SEEN; $(tail -3 "$X11_WORK/run.out")"
  [ "$(cut -d' ' -f1-2 <<<"$WL_SEEN")" = "$width $height" ] || x11_fail "$output captured at $WL_SEEN"
  wl_wait_changed "$output" 30 || x11_fail "$output does not change: $WL_SEEN"
  echo "$output: lit and changing at $width x $height"
done

# Each output shows the picture a screen of its size would: the tiling is
# centred on the output, so both centres show the same part of the one
# picture, while their top-left corners show different parts. One capture of
# both outputs may catch a frame between their two commits: a few tries.
# HEADLESS-1 is 640x480 at 0,0 and HEADLESS-2 800x600 at 640,0.
patch() { convert "$X11_WORK/both.png" -crop "64x64+$1+$2" +repage -format '%#' info:; }
centred=no
for ((i = 0; i < 20; i++)); do
  "${WL_AS_USER[@]}" grim "$X11_WORK/both.png" || x11_fail "grim could not capture the layout"
  if [ "$(patch $((320 - 32)) $((240 - 32)))" = "$(patch $((640 + 400 - 32)) $((300 - 32)))" ] &&
    [ "$(patch 0 0)" != "$(patch 640 0)" ]; then
    centred=yes
    break
  fi
  sleep 0.2
done
[ "$centred" = yes ] || x11_fail "the pictures are not centred on their outputs (see $X11_WORK/both.png)"
echo "each picture centred on its own output"

# A third output, scale 2, while the program runs.
wl_msg -q create_output
added=$(comm -13 <(echo "$before") <(wl_msg -t get_outputs -r | sed -n 's/.*"name": "\(HEADLESS-[0-9]*\)".*/\1/p' | sort))
[ -n "$added" ] || x11_fail "no output added"
wl_msg -q output "$added" mode 320x240 scale 2
wl_wait_lit "$added" 50 || x11_fail "added output $added not lit: $WL_SEEN"
wl_wait_changed "$added" 30 || x11_fail "added output $added does not change"
[ "$(cut -d' ' -f1-2 <<<"$WL_SEEN")" = "320 240" ] || x11_fail "$added captured at $WL_SEEN"
# A picture drawn at half size and doubled by the compositor is made of 2x2
# blocks of one colour; a lively field drawn at full size is not.
convert "$X11_WORK/shot.png" -depth 8 rgb:"$X11_WORK/shot.rgb"
python3 - "$X11_WORK/shot.rgb" 320 240 <<'PY' || x11_fail "$added drawn at half its pixels, doubled"
import sys
data, w, h = open(sys.argv[1], "rb").read(), int(sys.argv[2]), int(sys.argv[3])
px = lambda x, y: data[(y * w + x) * 3:(y * w + x) * 3 + 3]
odd = sum(1 for y in range(0, h, 2) for x in range(0, w, 2)
          if not (px(x, y) == px(x + 1, y) == px(x, y + 1) == px(x + 1, y + 1)))
print(f"2x2 blocks not of one colour: {odd}")
sys.exit(0 if odd > 0 else 1)
PY
# Side by side at their physical widths; a run before this one on the same
# compositor (ctest --repeat) left scale-2 outputs of 320 x 240 of its own.
outputs=$(wl_msg -t get_outputs -r | grep -c '"name": "HEADLESS-')
layout="outputs shown : $outputs, $((640 + 800 + 320 * (outputs - 2))) x 600"
wl_log | grep -q "$layout" || x11_fail "the scale-2 output is not laid out at 320 x 240 ('$layout'): $(wl_log | grep 'outputs shown')"
echo "$added (scale 2) added while running: lit at its physical 320 x 240"

kill -TERM "$run"
x11_wait_exit "$run" 2
[ "$X11_EXIT" = 0 ] || x11_fail "SIGTERM ended it with '$X11_EXIT'"
echo "PASS"
