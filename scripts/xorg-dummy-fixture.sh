#!/usr/bin/env bash
# Starts or stops a private X display with several monitors, for tests that
# need what Xvfb cannot show Wine: monitors side by side. It runs Xorg with
# the dummy video driver and lays its outputs out with RandR; everything
# stays under DIR.
#   xorg-dummy-fixture.sh start DIR [LAYOUT]   writes DIR/display and DIR/xorg.pid
#   xorg-dummy-fixture.sh layout DIR LAYOUT    rearranges the running display
#   xorg-dummy-fixture.sh stop DIR             stops exactly that server, by process id
# LAYOUT: left (default; a 1280x1024 monitor left of the 1920x1080 primary),
# right (the same monitor right of it) or single (the primary alone).
# Xorg reads a configuration file by absolute path only when run by root.
set -u
cmd=${1:-}
dir=${2:-}
layout=${3:-left}
usage() { echo "usage: xorg-dummy-fixture.sh start|stop DIR | layout DIR left|right|single" >&2; exit 2; }
[ -n "$cmd" ] && [ -n "$dir" ] || usage
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)

# The second monitor's mode: the dummy driver offers its modes on the first
# output only. Timings of a 60 Hz 1280x1024 mode.
readonly SECOND_MODE=tessel1280x1024
readonly SECOND_MODELINE="109.00 1280 1368 1496 1712 1024 1027 1034 1063 -hsync +vsync"

source "$(dirname "${BASH_SOURCE[0]}")/pid-file.sh"

write_config() {
  cat >"$dir/xorg.conf" <<'CONF'
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 512000
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual 4096 2160
  EndSubSection
EndSection
CONF
}

xr() { timeout -k 2 20 xrandr --display "$(cat "$dir/display")" "$@"; }

set_layout() {
  if ! xr --verbose 2>/dev/null | grep -q "^  $SECOND_MODE "; then
    # shellcheck disable=SC2086
    xr --newmode "$SECOND_MODE" $SECOND_MODELINE || return 1
    xr --addmode DUMMY1 "$SECOND_MODE" || return 1
  fi
  case "$1" in
    left) xr --output DUMMY0 --mode 1920x1080 --pos 1280x0 --primary --output DUMMY1 --mode "$SECOND_MODE" --pos 0x0 ;;
    right) xr --output DUMMY0 --mode 1920x1080 --pos 0x0 --primary --output DUMMY1 --mode "$SECOND_MODE" --pos 1920x0 ;;
    single) xr --output DUMMY1 --off --output DUMMY0 --mode 1920x1080 --pos 0x0 --primary ;;
    *) usage ;;
  esac || return 1
  # Programs asked at once must see the new layout.
  local want
  case "$1" in single) want=1 ;; *) want=2 ;; esac
  for _ in $(seq 50); do
    [ "$(xr --listmonitors 2>/dev/null | sed -n 's/^Monitors: //p')" = "$want" ] && return 0
    sleep 0.1
  done
  echo "xorg-dummy-fixture: the $1 layout did not take effect" >&2
  return 1
}

case "$cmd" in
  start)
    stop_pid "$dir/xorg.pid"
    rm -f "$dir/display"
    command -v Xorg >/dev/null || { echo "xorg-dummy-fixture: no Xorg (install xserver-xorg-core)" >&2; exit 1; }
    write_config
    # Xorg picks a free display itself and tells us its number.
    exec 8> >(cat >"$dir/display.tmp")
    Xorg -displayfd 8 -noreset -nolisten tcp -logfile "$dir/xorg.log" -config "$dir/xorg.conf" \
      </dev/null >"$dir/xorg.out" 2>&1 &
    echo $! >"$dir/xorg.pid"
    exec 8>&-
    for _ in $(seq 150); do
      [ -s "$dir/display.tmp" ] && break
      kill -0 "$(cat "$dir/xorg.pid")" 2>/dev/null || break
      sleep 0.1
    done
    num=$(tr -dc '0-9' <"$dir/display.tmp" 2>/dev/null)
    rm -f "$dir/display.tmp"
    if [ -z "$num" ]; then
      echo "xorg-dummy-fixture: Xorg did not start" >&2
      tail -20 "$dir/xorg.out" "$dir/xorg.log" >&2 2>/dev/null
      stop_pid "$dir/xorg.pid"
      exit 1
    fi
    echo ":$num" >"$dir/display"
    if ! set_layout "$layout"; then
      stop_pid "$dir/xorg.pid"
      rm -f "$dir/display"
      exit 1
    fi
    echo "xorg-dummy-fixture: display :$num, layout $layout"
    ;;
  layout)
    [ -f "$dir/display" ] || { echo "xorg-dummy-fixture: no display running under $dir" >&2; exit 1; }
    set_layout "$layout" || exit 1
    ;;
  stop)
    stop_pid "$dir/xorg.pid"
    rm -f "$dir/display"
    ;;
  *) usage ;;
esac
