#!/usr/bin/env bash
# Screens tessel-x11 cannot draw on are refused with a message and exit 1
# (an 8-bit PseudoColor screen); a window larger than it draws (32767 x
# 32767) gets its top-left part and a message, never an abort; a settings
# preview's command line (-root, then the window id) draws in the window.
#   x11_screens.sh TESSEL_X11 WINDOW_PROBE
source "$(dirname "$0")/x11-lib.sh"
saver=$1
probe=$2
x11_setup x11_screens

# As XScreenSaver's settings preview starts it, with its variable set too.
coproc PROBE { exec "$probe" 160 120; }
X11_PIDS+=("$PROBE_PID")
read -r -t 10 window <&"${PROBE[0]}" || x11_fail "the probe made no window"
XSCREENSAVER_WINDOW=$window x11_start "$saver" -root --window-id "$window" -seed 61 -fps 1
run=$X11_LAST_PID
x11_wait_lit "$window" 10 || x11_fail "no preview in the window: $X11_SEEN $(tail -3 "$X11_WORK/run.out")"
echo "preview line '-root --window-id $window': drawn in the window"

echo "resize 32767 32767" >&"${PROBE[1]}"
answer=
read -r -t 10 answer <&"${PROBE[0]}"
[ "$answer" = resized ] || x11_fail "the probe did not resize ('$answer')"
for _ in $(seq 100); do grep -q "larger than it draws" "$X11_WORK/run.out" && break; sleep 0.1; done
grep -q "drawing its top-left 16384 x 4096" "$X11_WORK/run.out" || x11_fail "no message for the huge window: $(cat "$X11_WORK/run.out")"
sleep 1
kill -TERM "$run"
x11_wait_exit "$run" 15
[ "$X11_EXIT" = 0 ] || x11_fail "the huge window's run ended with '$X11_EXIT'"
echo "32767 x 32767 window: $(grep 'larger than' "$X11_WORK/run.out")"

x11_private_display 320x240x8
timeout -k 1 10 "$saver" -root >"$X11_WORK/pseudo.out" 2>&1
rc=$?
[ $rc = 1 ] || x11_fail "8-bit PseudoColor: exit $rc, not 1"
grep -q "8-bit PseudoColor" "$X11_WORK/pseudo.out" || x11_fail "no clear message: $(cat "$X11_WORK/pseudo.out")"
echo "8-bit PseudoColor: $(cat "$X11_WORK/pseudo.out")"
echo "PASS"
