#!/usr/bin/env bash
# The README's swayidle line, as written but for an idle time of 1 s, starts
# tessel-wayland when the seat is idle; a key ends it, and the next idle
# starts it again.
#   wayland_idle.sh TESSEL_WAYLAND README
source "$(dirname "$0")/wayland-lib.sh"
saver=$1
readme=$2
wl_setup wayland_idle
wl_play_scene "$X11_LIVELY_SCENE"

line=$(sed -n 's/^    exec \(swayidle .* timeout 300 .*\)$/\1/p' "$readme" | head -n 1)
[ -n "$line" ] || x11_fail "no swayidle line with 'timeout 300' in the README"
# The program is found on the PATH, as an installed one would be.
"${WL_AS_USER[@]}" PATH="$(dirname "$saver"):/usr/bin:/bin" sh -c "exec ${line/timeout 300/timeout 1}" \
  >>"$X11_WORK/run.out" 2>&1 &
idle=$!
# swayidle leaves the program it started running: both go, swayidle first
# so that it starts no other.
stop_idle() {
  local started
  started=$(pgrep -P "$idle"; for p in $(pgrep -P "$idle"); do pgrep -P "$p"; done)
  kill "$idle" 2>/dev/null
  # shellcheck disable=SC2086
  [ -z "$started" ] || kill $started 2>/dev/null
  x11_cleanup
}
trap stop_idle EXIT
echo "running: ${line/timeout 300/timeout 1}"

wl_wait_lit HEADLESS-1 100 || x11_fail "not started on idle: $WL_SEEN; $(tail -3 "$X11_WORK/run.out")"
for _ in 1 2 3; do
  "${WL_AS_USER[@]}" timeout -k 2 10 wtype -d 300 abc
  wl_wait_log "pressed : ending" 10 && break
done
wl_wait_log "pressed : ending" 1 || x11_fail "a key did not end it"
echo "started on idle, ended by a key"

# A new run rotates the first one's log.
for ((i = 0; i < 100; i++)); do
  [ "$(find "$X11_WORK/home/.local/state/tessel" -name 'Tessel_*.log' | wc -l)" -ge 2 ] && break
  sleep 0.1
done
[ "$i" -lt 100 ] || x11_fail "not started again at the next idle"
echo "started again at the next idle"
echo "PASS"
