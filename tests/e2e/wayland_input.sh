#!/usr/bin/env bash
# The overlay ends on a key (sent by a virtual keyboard) and on SIGTERM,
# SIGINT and SIGHUP, with exit 0 and within a second of the signal, keeping
# no memory file open; the background takes no input and keeps running.
#   wayland_input.sh TESSEL_WAYLAND
source "$(dirname "$0")/wayland-lib.sh"
saver=$1
wl_setup wayland_input
wl_play_scene "$X11_LIVELY_SCENE"

# A virtual keyboard's first key may come before the program has the new
# keyboard: each try types a few keys apart.
type_keys() { "${WL_AS_USER[@]}" timeout -k 2 10 wtype -d 300 abc; }

wl_start "$saver" --seed 42 --fps 10
run=$X11_LAST_PID
wl_wait_lit HEADLESS-1 50 || x11_fail "no picture before the key: $WL_SEEN; $(tail -3 "$X11_WORK/run.out")"
for _ in 1 2 3; do
  type_keys
  x11_wait_exit "$run" 1
  [ "$X11_EXIT" = timeout ] || break
done
[ "$X11_EXIT" = 0 ] || x11_fail "a key ended it with '$X11_EXIT'"
wl_log | grep -q "pressed : ending" || x11_fail "no key in the log"
echo "a key ends the overlay with exit 0"

for signal in TERM INT HUP; do
  wl_start "$saver" --seed 43 --fps 10
  run=$X11_LAST_PID
  wl_wait_lit HEADLESS-2 50 || x11_fail "no picture before SIG$signal: $WL_SEEN"
  grep -q memfd:tessel-wayland "/proc/$run/maps" || x11_fail "no shared buffers mapped"
  if find "/proc/$run/fd" -lname '/memfd:*' | grep -q .; then x11_fail "memory files left open"; fi
  kill -"$signal" "$run"
  x11_wait_exit "$run" 1
  [ "$X11_EXIT" = 0 ] || x11_fail "SIG$signal ended it with '$X11_EXIT' (within 1 s)"
done
echo "TERM, INT, HUP: each ends it with exit 0 within a second; no memory file held open"

wl_start "$saver" --background --seed 44 --fps 10
run=$X11_LAST_PID
wl_wait_lit HEADLESS-1 50 || x11_fail "no background picture: $WL_SEEN"
type_keys
type_keys
sleep 0.5
kill -0 "$run" 2>/dev/null || x11_fail "input ended the background"
kill -TERM "$run"
x11_wait_exit "$run" 1
[ "$X11_EXIT" = 0 ] || x11_fail "SIGTERM ended the background with '$X11_EXIT'"
echo "the background keeps running through keys"
echo "PASS"
