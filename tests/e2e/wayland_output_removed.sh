#!/usr/bin/env bash
# tessel-wayland follows an output taken away while it runs: it lets go of
# that output's layer, keeps drawing the others and keeps running. The
# outputs are a nested sway's (wl_nested), whose output goes when the
# fixture's compositor closes its window.
#   wayland_output_removed.sh TESSEL_WAYLAND
source "$(dirname "$0")/wayland-lib.sh"
saver=$1
wl_setup wayland_output_removed
wl_play_scene "$X11_LIVELY_SCENE"
wl_nested

wl_start "$saver" --seed 41 --fps 10
run=$X11_LAST_PID
for output in WL-1 WL-2; do
  wl_wait_lit "$output" 50 || x11_fail "$output not lit: $WL_SEEN; $(tail -3 "$X11_WORK/run.out")"
done
wl_wait_log "outputs shown : 2" 50 || x11_fail "not laid out on two outputs: $(wl_log | grep 'output')"

wl_outer_msg -q '[title="wlroots - WL-2"] kill'
wl_wait_log "output WL-2 gone" 100 || x11_fail "WL-2 taken away unnoticed: $(wl_log | grep 'output')"
wl_log | grep "outputs shown" | tail -1 | grep -q "outputs shown : 1," ||
  x11_fail "not laid out anew on one output: $(wl_log | grep 'outputs shown')"
kill -0 "$run" 2>/dev/null || x11_fail "it ended with the output: $(tail -3 "$X11_WORK/run.out")"
wl_wait_lit WL-1 50 && wl_wait_changed WL-1 30 || x11_fail "WL-1 not drawn after WL-2 went: $WL_SEEN"
echo "WL-2 taken away: its layer let go, WL-1 still drawn"

kill -TERM "$run"
x11_wait_exit "$run" 2
[ "$X11_EXIT" = 0 ] || x11_fail "SIGTERM ended it with '$X11_EXIT'"
echo "PASS"
