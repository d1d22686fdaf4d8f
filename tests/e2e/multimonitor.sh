#!/usr/bin/env bash
# Full screen on two monitors (a display of the Xorg dummy fixture): every
# monitor shows a changing picture in its own area, and a mouse move over
# either monitor closes the saver.
#   multimonitor.sh SCR PROBE left|right    the second monitor left or right of the primary
#   multimonitor.sh SCR PROBE change        monitors rearranged and removed while the saver runs:
#       the second moved from the left of the primary to its right (the
#       virtual screen's origin moves by 1280, and the pointer's coordinates
#       with it) on the X server, with the system's notice that Windows would
#       send (Wine 8 does not pass it on), then detached through the display
#       settings, where Wine sends the notice itself; none of it ends the
#       saver, not even a mouse move that reaches it after the pointer's
#       coordinates jumped and before the notice
# (environment as for every end-to-end test; TESSEL_XVFB_DIR names the fixture's folder)
source "$(dirname "$0")/e2e-lib.sh"
case_name=$3
e2e_setup "multimonitor_$case_name" "$1" "$2"
fixture="$E2E_HERE/../../scripts/xorg-dummy-fixture.sh"

# Waits until Wine reports the virtual screen $1 (x,y,width,height) and $2 monitors.
wait_for_screen() {
  local i
  for ((i = 0; i < 50; i++)); do
    MONITORS=$(e2e_probe monitors)
    [ "$(sed -n 's/^virtual=//p' <<<"$MONITORS")" = "$1" ] &&
      [ "$(sed -n 's/^count=//p' <<<"$MONITORS")" = "$2" ] && return 0
    sleep 0.2
  done
  e2e_fail "Wine does not report the virtual screen $1 with $2 monitors: $MONITORS"
}

wait_for_count() {
  local i
  for ((i = 0; i < 50; i++)); do
    MONITORS=$(e2e_probe monitors)
    [ "$(sed -n 's/^count=//p' <<<"$MONITORS")" = "$1" ] && return 0
    sleep 0.2
  done
  e2e_fail "Wine does not report $1 monitor(s): $MONITORS"
}

# Wine's desktop process follows a change on the X server on its own.
set_layout() {
  bash "$fixture" layout "$TESSEL_XVFB_DIR" "$1" || e2e_fail "cannot set the $1 layout"
  case "$1" in
    left) wait_for_screen -1280,0,3200,1080 2 ;;
    right) wait_for_screen 0,0,3200,1080 2 ;;
    single) wait_for_screen 0,0,1920,1080 1 ;;
  esac
}

# Wine's desktop takes the monitors from the X server as it starts, but
# once a run has changed them it may miss a later change: each case starts
# Wine anew on its first layout, so that no case depends on the one before.
first_layout() {
  local wine_run="$E2E_HERE/../../scripts/wine-run.sh"
  bash "$wine_run" --prefix "$TESSEL_WINE_PREFIX" --stop
  bash "$fixture" layout "$TESSEL_XVFB_DIR" "$1" || e2e_fail "cannot set the $1 layout"
  bash "$wine_run" --prefix "$TESSEL_WINE_PREFIX" --start || e2e_fail "Wine did not start again"
  set_layout "$1"
}

# X puts the virtual screen's origin at the root window's; the crop of each
# monitor in a root capture follows from Windows' rectangles. After the
# monitors, the part of each beyond the first 1920x1080 pixels of the window:
# a single primary-sized picture at the window's origin never reaches it.
monitor_crops() {
  local vx vy x y w h
  IFS=, read -r vx vy _ _ <<<"$(sed -n 's/^virtual=//p' <<<"$MONITORS")"
  local rects
  rects=$(sed -n 's/^monitor=\([-0-9]*\),\([-0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3 \4/p' <<<"$MONITORS")
  while read -r x y w h; do echo "--crop $((x - vx)),$((y - vy)),$w,$h"; done <<<"$rects"
  while read -r x y w h; do
    x=$((x - vx))
    if ((x + w > 1920)); then
      local left=$((x > 1920 ? x : 1920))
      echo "--crop $left,$((y - vy)),$((x + w - left)),$h"
    fi
  done <<<"$rects"
}

# Every monitor's picture lit and changing (the lively scene plays); with
# tiles (or the fit mode) a monitor's part beyond the window's first
# 1920x1080 pixels holds a whole tile, so it is lit as well.
check_painted() {
  local crops monitors tilling
  # shellcheck disable=SC2207
  crops=($(monitor_crops))
  monitors=$(grep -c '^monitor=' <<<"$MONITORS")
  e2e_wait_changed 60 "${crops[@]:0:monitors * 2}" ||
    e2e_fail "$1: a monitor stays dark or unchanged: ${crops[*]}: $E2E_SEEN"
  echo "$1: ${crops[*]}"
  sed 's/^/  /' <<<"$E2E_SEEN"
  tilling=$(e2e_log_text | sed -n 's/.*tilling:\([0-9]*\).*/\1/p' | tail -1)
  echo "  scene tilling: $tilling"
  case "$tilling" in 1 | 2 | 3 | 4) ;; *) return 0 ;; esac
  ((${#crops[@]} > monitors * 2)) || return 0
  e2e_wait_painted 20 "${crops[@]:monitors * 2}" ||
    e2e_fail "$1: the part of the monitors beyond the window's first 1920 columns is black: $E2E_SEEN"
}

# The saver window covers the virtual screen, once Wine has moved it.
check_window() {
  local want got i
  want=$(sed -n 's/^virtual=//p' <<<"$MONITORS")
  for ((i = 0; i < 30; i++)); do
    got=$(e2e_probe monitors | sed -n 's/^saver=//p')
    [ "$got" = "$want" ] && return 0
    sleep 0.2
  done
  e2e_fail "$1: saver window at '$got', the virtual screen is '$want'"
}

# Puts the pointer inside the monitor of the given line of the probe's list.
# Through Wine: after the monitors change, Wine's last pointer position may
# be out of date until the pointer moves over one of its windows.
pointer_to_monitor() {
  local x y
  IFS=, read -r x y _ _ <<<"$(sed -n 's/^monitor=//p' <<<"$MONITORS" | sed -n "$1p")"
  e2e_probe cursor $((x + 200)) $((y + 200)) >/dev/null || e2e_fail "cannot move the pointer to monitor $1"
}

close_by_mouse() {
  e2e_xdotool mousemove_relative -- 40 30
  sleep 0.2
  e2e_xdotool mousemove_relative -- 40 30
  e2e_wait_exit "$saver" 30
  [ "$E2E_EXIT" = "0" ] || e2e_fail "saver ended with '$E2E_EXIT' after the mouse moved over $1"
}

# The saver still runs and was asked to close by nothing; else the log's
# pointer and display lines say why it ended.
saver_stays() {
  kill -0 "$saver" 2>/dev/null && ! e2e_log_text | grep -q '^.* close : ' && return 0
  e2e_log_text | grep -E 'pointer|Display' >&2
  e2e_fail "the saver ended when $1"
}

# A mouse move that the layout change made, handled before the notice.
layout_move() {
  e2e_probe mousemove >/dev/null || e2e_fail "the saver window took no mouse move"
  saver_stays "the monitors changed under a resting pointer"
}

start_saver() {
  e2e_play_scene "$E2E_LIVELY_SCENE"
  e2e_start Tessel.scr /s
  saver=$E2E_LAST_PID
  e2e_wait_saver_window 60 || e2e_fail "no saver window appeared"
}

case "$case_name" in
  left | right)
    first_layout "$case_name"
    echo "$MONITORS"
    # The pointer rests on the second monitor when the second is on the
    # left, on the primary when it is on the right.
    if [ "$case_name" = left ]; then which=2; else which=1; fi
    pointer_to_monitor "$which"
    start_saver
    check_window "$case_name"
    check_painted "$case_name"
    close_by_mouse "monitor $which"
    ;;
  change)
    first_layout left
    pointer_to_monitor 1
    start_saver
    check_painted left
    set_layout right
    layout_move
    e2e_probe notify >/dev/null || e2e_fail "the display change notice was not delivered"
    check_window right
    check_painted "moved to the right"
    e2e_probe detach || e2e_fail "the second monitor could not be detached"
    wait_for_count 1
    check_window "one left"
    check_painted "one left"
    saver_stays "the monitors changed"
    close_by_mouse "the primary"
    changes=$(e2e_log_text | grep -c 'Display : ')
    [ "$changes" = 3 ] || e2e_fail "the log shows $changes display layouts, not 3"
    ;;
  *) e2e_fail "unknown case $case_name" ;;
esac
echo "PASS: $case_name"
