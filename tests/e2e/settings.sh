#!/usr/bin/env bash
# /c opens the settings dialog from Tessel.scr itself: Cancel leaves no data
# file, OK writes the defaults (4,032 bytes) beside the program. The title
# is the one of the locale's language (Japanese, or English for any other).
source "$(dirname "$0")/e2e-lib.sh"
e2e_setup settings "$1" "$2"
case "${LC_ALL:-${LANG:-}}" in
  ja*) title='^Tessel の設定$' ;;
  *) title='^Tessel Settings$' ;;
esac

# Waits up to $1 seconds for the dialog and gives it the input focus.
wait_dialog() {
  local deadline=$((SECONDS + $1))
  while ((SECONDS < deadline)); do
    if timeout -k 1 3 xdotool search --name "$title" windowfocus --sync 2>/dev/null; then
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
e2e_xdotool key Escape
e2e_wait_exit "$dialog" 15; code=$E2E_EXIT
[ "$code" = "1" ] || e2e_fail "Cancel ended the dialog with '$code'"
[ ! -e "$E2E_WORK/Tessel.dat" ] || e2e_fail "Cancel wrote Tessel.dat"

e2e_start Tessel.scr
dialog=$E2E_LAST_PID
wait_dialog 40 || e2e_fail "no settings dialog appeared for an empty command line"
e2e_xdotool key Return
e2e_wait_exit "$dialog" 15; code=$E2E_EXIT
[ "$code" = "0" ] || e2e_fail "OK ended the dialog with '$code'"
size=$(stat -c %s "$E2E_WORK/Tessel.dat" 2>/dev/null || echo none)
[ "$size" = "4032" ] || e2e_fail "OK left Tessel.dat of size '$size'"
echo "PASS: /c and an empty command line open the dialog; Cancel writes nothing, OK writes the defaults"
