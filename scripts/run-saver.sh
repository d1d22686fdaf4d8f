#!/usr/bin/env bash
# Builds Tessel.scr (win32 preset) and runs it full screen under Wine.
#   run-saver.sh [SECONDS]
# With $DISPLAY set it runs on that display until a key or the mouse ends it.
# Without one it runs for SECONDS (default 6) on a private Xvfb display, takes
# a screenshot, stops everything it started and prints the PNG's path.
# Wine uses a prefix of its own under build/, never ~/.wine.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
seconds=${1:-6}

# TESSEL_BUILD_DIR picks another build folder of the win32 preset.
build="${TESSEL_BUILD_DIR:-build/win32}"
bash scripts/install-deps.sh
cmake --preset win32 -B "$build" >/dev/null
cmake --build "$build" --target Tessel -j 2

work="$root/build/run-saver"
mkdir -p "$work"
cp "$build/saver/Tessel.scr" "$work/Tessel.scr"
export WINEPREFIX="$work/wineprefix"
run() { "$root/scripts/wine-run.sh" --prefix "$WINEPREFIX" "$@"; }
run --init

if [ -n "${DISPLAY:-}" ]; then
  cd "$work"
  code=0
  run Tessel.scr /s || code=$?
  run --stop
  echo "run-saver: the saver ended with $code; its data file is $work/Tessel.dat"
  exit $code
fi

xvfb_dir="$work/xvfb"
saver_pid=""
cleanup() {
  if [ -n "$saver_pid" ] && kill -0 "$saver_pid" 2>/dev/null; then
    kill "$saver_pid" 2>/dev/null || true
    wait "$saver_pid" 2>/dev/null || true
  fi
  run --stop || true
  "$root/scripts/xvfb-fixture.sh" stop "$xvfb_dir" >/dev/null || true
}
trap cleanup EXIT

"$root/scripts/xvfb-fixture.sh" start "$xvfb_dir" >/dev/null
export DISPLAY
DISPLAY=$(cat "$xvfb_dir/display")
(cd "$work" && exec "$root/scripts/wine-run.sh" --prefix "$WINEPREFIX" Tessel.scr /s) >"$work/wine.out" 2>&1 &
saver_pid=$!
sleep "$seconds"
png="$work/screenshot.png"
if command -v import >/dev/null 2>&1 && import -version 2>/dev/null | grep -q ImageMagick; then
  import -window root "$png"
else
  xwd -root -silent | python3 "$root/tests/e2e/xwd_stats.py" --png "$png" >/dev/null
fi
# A key press ends the saver the way a user would.
xdotool key space || true
for _ in $(seq 50); do kill -0 "$saver_pid" 2>/dev/null || break; sleep 0.1; done
echo "run-saver: screenshot after ${seconds} s: $png"
