#!/usr/bin/env bash
# Starts or stops a private X display (Xvfb plus a window manager) for tests
# that need windows, keeping everything under DIR.
#   xvfb-fixture.sh start DIR   writes DIR/display, DIR/xvfb.pid, DIR/wm.pid
#   xvfb-fixture.sh stop DIR    stops exactly those processes, by process id
set -euo pipefail
cmd=${1:-}
dir=${2:-}
[ -n "$cmd" ] && [ -n "$dir" ] || { echo "usage: xvfb-fixture.sh start|stop DIR" >&2; exit 2; }
mkdir -p "$dir"

source "$(dirname "${BASH_SOURCE[0]}")/pid-file.sh"

case "$cmd" in
  start)
    stop_pid "$dir/wm.pid"
    stop_pid "$dir/xvfb.pid"
    rm -f "$dir/display"
    # Xvfb picks a free display itself and tells us its number.
    exec 8> >(cat > "$dir/display.tmp")
    Xvfb -displayfd 8 -screen 0 1280x1024x24 -nolisten tcp -noreset >"$dir/xvfb.log" 2>&1 &
    echo $! > "$dir/xvfb.pid"
    exec 8>&-
    for _ in $(seq 100); do
      [ -s "$dir/display.tmp" ] && break
      sleep 0.1
    done
    num=$(tr -dc '0-9' < "$dir/display.tmp" 2>/dev/null) || num=
    rm -f "$dir/display.tmp"
    [ -n "$num" ] || { echo "xvfb-fixture: Xvfb did not start" >&2; cat "$dir/xvfb.log" >&2; exit 1; }
    echo ":$num" > "$dir/display"
    if command -v openbox >/dev/null 2>&1; then
      DISPLAY=":$num" openbox --sm-disable >"$dir/wm.log" 2>&1 &
      echo $! > "$dir/wm.pid"
      sleep 0.5
    fi
    echo "xvfb-fixture: display :$num"
    ;;
  stop)
    stop_pid "$dir/wm.pid"
    stop_pid "$dir/xvfb.pid"
    rm -f "$dir/display"
    ;;
  *) echo "usage: xvfb-fixture.sh start|stop DIR" >&2; exit 2 ;;
esac
