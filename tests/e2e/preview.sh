#!/usr/bin/env bash
# Preview: a child window fills its parent, runs the saver's preview, ends
# with the parent, and leaves the data file alone; true for any scene, so the
# flattest one plays.
source "$(dirname "$0")/e2e-lib.sh"
e2e_setup preview "$1" "$2"
e2e_play_scene "$E2E_FLAT_SCENE"
cp "$E2E_WORK/Tessel.dat" "$E2E_WORK/before.dat"

e2e_start saver_probe.exe preview Tessel.scr
probe=$E2E_LAST_PID
for _ in $(seq 300); do
  child=$(tr -d '\r' <"$E2E_WORK/wine.out" | sed -n 's/^child=//p')
  [ -n "$child" ] && break
  sleep 0.1
done
echo "preview: child=$child"
[ "$child" = "1 size=320x240" ] || e2e_fail "no preview window filling the probe's parent: $(tr -d '\r' <"$E2E_WORK/wine.out")"
# This Wine draws a child window of another process nowhere (it finds no X
# drawable for it), so the picture itself is checked by the saver tests,
# in a parent of their own process; here the window, the run and the exit.
sleep 2
kill -0 "$probe" 2>/dev/null || e2e_fail "the probe ended early: $(tr -d '\r' <"$E2E_WORK/wine.out")"
touch "$E2E_WORK/preview.done"

e2e_wait_exit "$probe" 40; code=$E2E_EXIT
tr -d '\r' <"$E2E_WORK/wine.out" | grep -E '^(ended|cannot)' || true
[ "$code" = "0" ] || e2e_fail "preview probe reported '$code'"
cmp -s "$E2E_WORK/Tessel.dat" "$E2E_WORK/before.dat" || e2e_fail "the preview wrote Tessel.dat"
e2e_log_text | grep -q 'fChildPreview : 1' || e2e_fail "the log does not show a preview run"
echo "PASS: preview fills its parent, ends with it, writes no data file"
