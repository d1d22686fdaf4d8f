#!/usr/bin/env bash
# Full screen: paints the screen, closes on input with exit code 0, writes
# the data file beside itself and logs the run. Painting, closing and the
# file hold for any scene: the key case plays the flattest one. The mouse
# case plays a lively scene and sees its picture change as well.
#   fullscreen.sh SCR PROBE mouse|key
source "$(dirname "$0")/e2e-lib.sh"
how=$3
e2e_setup "fullscreen_$how" "$1" "$2"
if [ "$how" = mouse ]; then scene=$E2E_LIVELY_SCENE; else scene=$E2E_FLAT_SCENE; fi
e2e_play_scene "$scene"

e2e_start Tessel.scr /s
saver=$E2E_LAST_PID
e2e_wait_saver_window 60 || e2e_fail "no saver window appeared"
e2e_wait_painted 60 || e2e_fail "the picture stays (nearly) black: $E2E_SEEN"
echo "screen: $E2E_SEEN"
if [ "$scene" = "$E2E_LIVELY_SCENE" ]; then
  e2e_wait_changed 60 || e2e_fail "the picture did not change: $E2E_SEEN"
  echo "screen: $E2E_SEEN"
fi

if [ "$how" = mouse ]; then
  e2e_xdotool mousemove_relative -- 40 30
  sleep 0.2
  e2e_xdotool mousemove_relative -- 40 30
else
  # The key goes to the window with the input focus: the saver's.
  e2e_xdotool search --name '^Screen Saver$' windowfocus --sync key space 2>/dev/null || e2e_xdotool key space
fi
e2e_wait_exit "$saver" 30; code=$E2E_EXIT
[ "$code" = "0" ] || e2e_fail "saver ended with '$code' after the $how input"

data="$E2E_WORK/Tessel.dat"
[ -f "$data" ] || e2e_fail "no Tessel.dat beside the program"
size=$(stat -c %s "$data")
[ "$size" = "4032" ] || e2e_fail "Tessel.dat is $size bytes"
version=$(od -An -tu2 -j16 -N8 "$data" | xargs | tr ' ' .)
[ "$version" = "1.2.0.0" ] || e2e_fail "Tessel.dat version $version"
stored_no=$(od -An -td2 -j96 -N2 "$data" | xargs)

log=$(e2e_log_text)
grep -q '\*\*\*\*\*\*\*\*\*\* スクリーンセーバー開始 \*\*\*\*\*\*\*\*\*\*' <<<"$log" || e2e_fail "no start line in the log"
grep -q '\*\*\*\*\*\*\*\*\*\* スクリーンセーバー終了 \*\*\*\*\*\*\*\*\*\*' <<<"$log" || e2e_fail "no end line in the log"
grep -q 'Timer : elapse = ' <<<"$log" || e2e_fail "no timer line in the log"
last_scene=$(grep -o 'scene setting \[[0-9-]*:' <<<"$log" | tail -1 | tr -dc '0-9-')
[ -n "$last_scene" ] || e2e_fail "no scene line in the log"
[ "$last_scene" = "$scene" ] || e2e_fail "played scene No.$last_scene, not the chosen No.$scene"
[ "$last_scene" = "$stored_no" ] || e2e_fail "current_scene No.$stored_no is not the playing scene No.$last_scene"
echo "PASS: $how closes; Tessel.dat $size bytes, version $version, current_scene No.$stored_no"
