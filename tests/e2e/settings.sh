#!/usr/bin/env bash
# /c opens the settings dialog from Tessel.scr itself: Cancel leaves no data
# file, OK writes the defaults (4,032 bytes) beside the program.
source "$(dirname "$0")/e2e-lib.sh"
e2e_setup settings "$1" "$2"
title='^Tessel の設定$'

# Waits up to $1 seconds for the dialog and gives it the input focus.
wait_dialog() {
  local i
  for ((i = 0; i < $1 * 2; i++)); do
    if xdotool search --name "$title" windowfocus --sync 2>/dev/null; then
      return 0
    fi
    sleep 0.5
  done
  return 1
}

e2e_start Tessel.scr /c
dialog=$E2E_LAST_PID
wait_dialog 40 || e2e_fail "no settings dialog appeared for /c"
e2e_screen --png "$E2E_WORK/settings.png" >/dev/null
xdotool key Escape
e2e_wait_exit "$dialog" 15; code=$E2E_EXIT
[ "$code" = "1" ] || e2e_fail "Cancel ended the dialog with '$code'"
[ ! -e "$E2E_WORK/Tessel.dat" ] || e2e_fail "Cancel wrote Tessel.dat"

e2e_start Tessel.scr
dialog=$E2E_LAST_PID
wait_dialog 40 || e2e_fail "no settings dialog appeared for an empty command line"
xdotool key Return
e2e_wait_exit "$dialog" 15; code=$E2E_EXIT
[ "$code" = "0" ] || e2e_fail "OK ended the dialog with '$code'"
size=$(stat -c %s "$E2E_WORK/Tessel.dat" 2>/dev/null || echo none)
[ "$size" = "4032" ] || e2e_fail "OK left Tessel.dat of size '$size'"
echo "PASS: /c and an empty command line open the dialog; Cancel writes nothing, OK writes the defaults"
