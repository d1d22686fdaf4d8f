#!/usr/bin/env bash
# Builds Tessel.scr (win32 preset; win64 where 32-bit programs cannot run) and runs it full screen under Wine on two
# monitors side by side (a private Xorg dummy display), takes a screenshot of
# the whole virtual screen after SECONDS, stops everything it started and
# prints the PNG's path.
#   monitors-screenshot.sh [left|right] [SECONDS]
# left: a 1280x1024 monitor left of the 1920x1080 primary; right: right of it.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
layout=${1:-left}
seconds=${2:-6}
case "$layout" in left | right) ;; *) echo "usage: monitors-screenshot.sh [left|right] [SECONDS]" >&2; exit 2 ;; esac

bash scripts/install-deps.sh
source scripts/wine-loader.sh
arch=$(wine_runnable_arch monitors-screenshot)
# TESSEL_BUILD_DIR picks another build folder of that preset.
build="${TESSEL_BUILD_DIR:-build/$arch}"
cmake --preset "$arch" -B "$build" >/dev/null
cmake --build "$build" --target Tessel -j 2

work="$root/build/monitors-screenshot"
mkdir -p "$work"
cp "$build/saver/Tessel.scr" "$work/Tessel.scr"
# The prefix's desktop must start on the two-monitor display, so it is one
# of its own, not run-saver's.
export WINEPREFIX="$work/wineprefix-$arch" TESSEL_XVFB_DIR="$work/xorg"
unset DISPLAY
run() { "$root/scripts/wine-run.sh" --prefix "$WINEPREFIX" --arch "$arch" "$@"; }

saver_pid=""
cleanup() {
  if [ -n "$saver_pid" ] && kill -0 "$saver_pid" 2>/dev/null; then
    kill "$saver_pid" 2>/dev/null || true
    wait "$saver_pid" 2>/dev/null || true
  fi
  run --stop || true
  "$root/scripts/xorg-dummy-fixture.sh" stop "$TESSEL_XVFB_DIR" >/dev/null || true
}
trap cleanup EXIT

"$root/scripts/xorg-dummy-fixture.sh" start "$TESSEL_XVFB_DIR" "$layout" >/dev/null
run --start
export DISPLAY
DISPLAY=$(cat "$TESSEL_XVFB_DIR/display")
(cd "$work" && exec "$root/scripts/wine-run.sh" --prefix "$WINEPREFIX" Tessel.scr /s) >"$work/wine.out" 2>&1 &
saver_pid=$!
sleep "$seconds"
if ! kill -0 "$saver_pid" 2>/dev/null; then
  echo "monitors-screenshot: FAILED: the saver ended before the screenshot; its output:" >&2
  cat "$work/wine.out" >&2
  exit 1
fi
png="$work/screenshot-$layout.png"
xwd -root -silent | python3 "$root/tests/e2e/xwd_stats.py" --png "$png" >/dev/null
# A mouse move ends the saver the way a user would.
xdotool mousemove_relative -- 40 30 && sleep 0.2 && xdotool mousemove_relative -- 40 30 || true
for _ in $(seq 50); do kill -0 "$saver_pid" 2>/dev/null || break; sleep 0.1; done
echo "monitors-screenshot: screenshot of both monitors after ${seconds} s: $png"
