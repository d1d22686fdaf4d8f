#!/usr/bin/env bash
# SIGTERM, SIGINT and SIGHUP end tessel-x11 at any moment: the running
# program neither blocks nor ignores them (even when started in the
# background, where the shell ignores SIGINT), each ends the loop with exit
# 0, and a program stuck outside its loop on a stopped X server still ends,
# at once before the loop and within a few seconds after it started.
#   x11_signals.sh TESSEL_X11
source "$(dirname "$0")/x11-lib.sh"
saver=$1
x11_setup x11_signals

# Bits of a signal mask line of /proc/PID/status for HUP, INT and TERM.
stop_bits() { echo $((0x$(awk -v key="$2:" '$1 == key { print $2 }' "/proc/$1/status") & 0x4003)); }

for signal in TERM INT HUP; do
  x11_clear_root
  x11_start "$saver" -root -seed 31 -fps 5
  run=$X11_LAST_PID
  x11_wait_lit root 10 || x11_fail "no picture before SIG$signal: $X11_SEEN"
  [ "$(stop_bits "$run" SigBlk)" = 0 ] || x11_fail "a stop signal is blocked: $(grep Sig "/proc/$run/status")"
  [ "$(stop_bits "$run" SigIgn)" = 0 ] || x11_fail "a stop signal is ignored: $(grep Sig "/proc/$run/status")"
  kill -"$signal" "$run"
  x11_wait_exit "$run" 2
  [ "$X11_EXIT" = 0 ] || x11_fail "SIG$signal ended the loop with '$X11_EXIT'"
done
echo "TERM, INT, HUP: neither blocked nor ignored; each ends the loop with exit 0"

# A stopped X server: during the loop, and before it (the connection waits
# for the server's answer).
x11_private_display 320x240x24
x11_start "$saver" -root -seed 32
run=$X11_LAST_PID
sleep 1
kill -0 "$run" 2>/dev/null || x11_fail "no run on the private display: $(tail -3 "$X11_WORK/run.out")"
kill -STOP "$X11_XVFB_PID"
kill -TERM "$run"
x11_wait_exit "$run" 15
kill -CONT "$X11_XVFB_PID"
[ "$X11_EXIT" != timeout ] || x11_fail "SIGTERM did not end a run whose X server stopped"
echo "X server stopped during the loop: SIGTERM ended it (status $X11_EXIT)"

kill -STOP "$X11_XVFB_PID"
x11_start "$saver" -root -seed 33
run=$X11_LAST_PID
sleep 1
kill -TERM "$run"
x11_wait_exit "$run" 2
kill -CONT "$X11_XVFB_PID"
[ "$X11_EXIT" = $((128 + 15)) ] || x11_fail "SIGTERM before the loop: '$X11_EXIT', not killed at once"
echo "X server stopped before the loop: SIGTERM ended it at once"
echo "PASS"
