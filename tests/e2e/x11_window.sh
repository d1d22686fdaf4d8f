#!/usr/bin/env bash
# tessel-x11 in a window made by the test: a lit, changing picture,
# drawn at the window's new size after a resize, SIGTERM ending it with exit
# 0 within 1 s and its shared memory gone; a destroyed window ends it as
# well; without shared memory and on the root window it draws too.
#   x11_window.sh TESSEL_X11 WINDOW_PROBE
source "$(dirname "$0")/x11-lib.sh"
saver=$1
probe=$2
x11_setup x11_window
x11_play_scene "$HOME/.config/tessel/Tessel.dat" "$X11_LIVELY_SCENE"

# The probe's window, driven through a pipe.
coproc PROBE { exec "$probe" 320 240; }
X11_PIDS+=("$PROBE_PID")
read -r -t 10 window <&"${PROBE[0]}" || x11_fail "the probe made no window"

x11_start "$saver" -window-id "$window" -seed 11
run=$X11_LAST_PID
x11_wait_lit "$window" 100 || x11_fail "no picture: $X11_SEEN"
x11_wait_changed "$window" 50 || x11_fail "the picture does not change"
[ "$(x11_segments_of "$run")" -ge 1 ] || x11_fail "no shared memory in use on a local display"
echo "window $window: lit and changing"

echo "resize 480 360" >&"${PROBE[1]}"
answer=
read -r -t 5 answer <&"${PROBE[0]}"
[ "$answer" = resized ] || x11_fail "the probe did not resize ('$answer')"
# The part that the old size did not cover.
x11_wait_lit "$window" 100 "330,250,150,110" || x11_fail "the grown part stays dark: $X11_SEEN"
echo "resized window: drawn at 480x360"

kill -TERM "$run"
x11_wait_exit "$run" 1
[ "$X11_EXIT" = 0 ] || x11_fail "SIGTERM: ended with '$X11_EXIT' (0 within 1 s wanted)"
[ "$(x11_segments_of "$run")" = 0 ] || x11_fail "shared memory left behind: $(ipcs -m -p)"
echo "SIGTERM: exit 0, no shared memory left"

# The window goes away under it.
x11_start "$saver" -window-id "$window" -seed 12
run=$X11_LAST_PID
x11_wait_lit "$window" 100 || x11_fail "no picture in the second run: $X11_SEEN"
echo destroy >&"${PROBE[1]}"
answer=
read -r -t 5 answer <&"${PROBE[0]}"
[ "$answer" = destroyed ] || x11_fail "the probe did not destroy its window ('$answer')"
x11_wait_exit "$run" 1
[ "$X11_EXIT" = 0 ] || x11_fail "destroyed window: ended with '$X11_EXIT' (0 within 1 s wanted)"
[ "$(x11_segments_of "$run")" = 0 ] || x11_fail "shared memory left behind after the window went"
echo "destroyed window: exit 0"

# A window that does not exist is refused.
"$saver" -window-id 0x7ffffff >>"$X11_WORK/run.out" 2>&1
[ $? = 1 ] || x11_fail "a missing window was not refused"

# With nothing named (and no XSCREENSAVER_WINDOW) it opens a window of its
# own; destroying that window ends it too.
x11_start "$saver" -seed 14
run=$X11_LAST_PID
own=
for _ in $(seq 40); do
  own=$(timeout -k 1 5 xdotool search --all --pid "$run" --name '^Tessel$' 2>/dev/null | head -n 1)
  [ -n "$own" ] && break
  sleep 0.05
done
[ -n "$own" ] || x11_fail "no window of its own"
x11_wait_lit "$own" 100 || x11_fail "its own window stays dark: $X11_SEEN"
timeout -k 1 5 xdotool windowclose "$own"
x11_wait_exit "$run" 1
[ "$X11_EXIT" = 0 ] || x11_fail "own window destroyed: ended with '$X11_EXIT'"
echo "own window: lit; destroyed: exit 0"

# The root window, once with and once without shared memory.
for shm in "" -no-shm; do
  x11_clear_root
  x11_start "$saver" -root -seed 13 $shm
  run=$X11_LAST_PID
  x11_wait_lit root 100 || x11_fail "root ${shm}: no picture: $X11_SEEN"
  x11_wait_changed root 50 || x11_fail "root ${shm}: the picture does not change"
  [ -n "$shm" ] && { [ "$(x11_segments_of "$run")" = 0 ] || x11_fail "-no-shm used shared memory"; }
  kill -INT "$run"
  x11_wait_exit "$run" 1
  [ "$X11_EXIT" = 0 ] || x11_fail "root ${shm}: SIGINT ended it with '$X11_EXIT'"
  echo "root ${shm:-(MIT-SHM)}: lit, changing, SIGINT exit 0"
done
echo "PASS"
