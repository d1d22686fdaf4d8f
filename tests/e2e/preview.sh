#!/usr/bin/env bash
# Preview: a child window paints a changing picture into its parent, ends
# with it, and leaves the data file alone.
source "$(dirname "$0")/e2e-lib.sh"
e2e_setup preview "$1" "$2"

e2e_start saver_probe.exe preview Tessel.scr
probe=$E2E_LAST_PID
area=""
for _ in $(seq 100); do
  area=$(tr -d '\r' <"$E2E_WORK/wine.out" | sed -n 's/^child=1 area=//p')
  [ -n "$area" ] && break
  sleep 0.1
done
[ -n "$area" ] || e2e_fail "no preview window in the probe's parent: $(tr -d '\r' <"$E2E_WORK/wine.out")"
first=$(e2e_screen --crop "$area")
sleep 1
second=$(e2e_screen --crop "$area")
# Kept for a look when the test fails.
e2e_screen --png "$E2E_WORK/screen.png" >/dev/null
echo "preview: $first"
echo "preview: $second"
# The parent's own background is white and the saver class's black: a frame
# shows as a picture that is neither, or as one that changes. (A small preview
# of a sparse scene may show only its dead-cell colour for a while.)
share=$(sed -n 's/.*nonblack=\([0-9.]*\).*/\1/p' <<<"$second")
white=$(sed -n 's/.*white=\([0-9.]*\).*/\1/p' <<<"$second")
if [ "${first##*digest=}" = "${second##*digest=}" ]; then
  python3 -c "import sys; sys.exit(0 if float('$share') > 0.005 and float('$white') < 0.99 else 1)" ||
    e2e_fail "the preview shows no frame"
fi

e2e_wait_exit "$probe" 40; code=$E2E_EXIT
tr -d '\r' <"$E2E_WORK/wine.out" | grep -E '^(ended|cannot)' || true
[ "$code" = "0" ] || e2e_fail "preview probe reported '$code'"
[ ! -e "$E2E_WORK/Tessel.dat" ] || e2e_fail "the preview wrote Tessel.dat"
e2e_log_text | grep -q 'fChildPreview : 1' || e2e_fail "the log does not show a preview run"
echo "PASS: preview paints, ends with its parent, writes no data file"
