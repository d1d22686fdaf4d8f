#!/usr/bin/env bash
# Preview: a child window paints into its parent, ends with it, and leaves
# the data file alone.
source "$(dirname "$0")/e2e-lib.sh"
e2e_setup preview "$1" "$2"

e2e_start saver_probe.exe preview Tessel.scr
code=$(e2e_wait_exit "$E2E_LAST_PID" 40)
cat "$E2E_WORK/wine.out" | tr -d '\r' | grep -E '^(child|ended|cannot)' || true
[ "$code" = "0" ] || e2e_fail "preview probe reported '$code'"
[ ! -e "$E2E_WORK/Tessel.dat" ] || e2e_fail "the preview wrote Tessel.dat"
e2e_log_text | grep -q 'fChildPreview : 1' || e2e_fail "the log does not show a preview run"
echo "PASS: preview paints, ends with its parent, writes no data file"
