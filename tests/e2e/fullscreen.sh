#!/usr/bin/env bash
# Full screen: paints a changing picture, closes on input with exit code 0,
# writes the data file beside itself and logs the run.
#   fullscreen.sh SCR PROBE mouse|key
source "$(dirname "$0")/e2e-lib.sh"
how=$3
e2e_setup "fullscreen_$how" "$1" "$2"

e2e_start Tessel.scr /s
saver=$E2E_LAST_PID
e2e_wait_saver_window 40 || e2e_fail "no saver window appeared"
sleep 2
first=$(e2e_screen)
sleep 1
second=$(e2e_screen)
echo "screen: $first"
echo "screen: $second"
# A sparse scene may light only a few thousand pixels at a time.
share1=$(sed -n 's/.*nonblack=\([0-9.]*\).*/\1/p' <<<"$first")
share2=$(sed -n 's/.*nonblack=\([0-9.]*\).*/\1/p' <<<"$second")
python3 -c "import sys; sys.exit(0 if max(float('$share1'), float('$share2')) > 0.001 else 1)" ||
  e2e_fail "the picture is (nearly) black"
[ "${first##*digest=}" != "${second##*digest=}" ] || e2e_fail "the picture did not change"

if [ "$how" = mouse ]; then
  e2e_xdotool mousemove_relative -- 40 30
  sleep 0.2
  e2e_xdotool mousemove_relative -- 40 30
else
  # The key goes to the window with the input focus: the saver's.
  e2e_xdotool search --name '^Screen Saver$' windowfocus --sync key space 2>/dev/null || e2e_xdotool key space
fi
e2e_wait_exit "$saver" 15; code=$E2E_EXIT
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
[ "$last_scene" = "$stored_no" ] || e2e_fail "current_scene No.$stored_no is not the playing scene No.$last_scene"
echo "PASS: $how closes; Tessel.dat $size bytes, version $version, current_scene No.$stored_no"
