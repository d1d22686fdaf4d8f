#!/usr/bin/env bash
# A second full-screen start while one runs exits 0 and leaves one saver;
# true for any scene, so the flattest one plays.
source "$(dirname "$0")/e2e-lib.sh"
e2e_setup second_instance "$1" "$2"
e2e_play_scene "$E2E_FLAT_SCENE"

e2e_start Tessel.scr /s
first=$E2E_LAST_PID
e2e_wait_saver_window 60 || e2e_fail "no saver window appeared"
e2e_start Tessel.scr /s
e2e_wait_exit "$E2E_LAST_PID" 15; code=$E2E_EXIT
[ "$code" = "0" ] || e2e_fail "second start ended with '$code'"
kill -0 "$first" 2>/dev/null || e2e_fail "the first saver ended"
count=$(e2e_saver_count)
[ "$count" = "1" ] || e2e_fail "$count saver windows"
# The pointer is always over the full-screen window, whichever has the focus.
e2e_xdotool mousemove_relative -- 40 30
sleep 0.2
e2e_xdotool mousemove_relative -- 40 30
e2e_wait_exit "$first" 30; code=$E2E_EXIT
[ "$code" = "0" ] || e2e_fail "first saver ended with '$code'"
echo "PASS: second start exits 0, one saver window"
