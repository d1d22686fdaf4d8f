#!/usr/bin/env bash
# Measures the processor time Tessel.scr takes under Wine, full screen on a
# private Xorg dummy display, with one 1920x1080 monitor and with a 1280x1024
# monitor beside it: user + system time of the saver's process over SECONDS,
# after a few seconds of warming up, for RUNS runs of each layout in turn.
#   monitors-cpu.sh BUILD_DIR [SECONDS] [RUNS]     (BUILD_DIR of a win32 or win64 build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:?usage: monitors-cpu.sh BUILD_DIR [SECONDS] [RUNS]}" && pwd)
seconds=${2:-10}
runs=${3:-2}
work="$build/monitors-cpu"
mkdir -p "$work"
cp "$build/saver/Tessel.scr" "$work/Tessel.scr"
source "$root/scripts/wine-loader.sh"
arch=$(wine_arch_of "$work/Tessel.scr") || { echo "monitors-cpu: $build/saver/Tessel.scr is no Windows program" >&2; exit 1; }
export WINEPREFIX="$work/wineprefix-$arch" TESSEL_XVFB_DIR="$work/xorg"
unset DISPLAY
run() { "$root/scripts/wine-run.sh" --prefix "$WINEPREFIX" --arch "$arch" "$@"; }
saver_pid=""
cleanup() {
  [ -n "$saver_pid" ] && kill "$saver_pid" 2>/dev/null && wait "$saver_pid" 2>/dev/null
  run --stop || true
  "$root/scripts/xorg-dummy-fixture.sh" stop "$TESSEL_XVFB_DIR" >/dev/null || true
}
trap cleanup EXIT
"$root/scripts/xorg-dummy-fixture.sh" start "$TESSEL_XVFB_DIR" single >/dev/null
run --start
export DISPLAY
DISPLAY=$(cat "$TESSEL_XVFB_DIR/display")
ticks=$(getconf CLK_TCK)

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

for ((r = 1; r <= runs; r++)); do
  for layout in single left; do
    "$root/scripts/xorg-dummy-fixture.sh" layout "$TESSEL_XVFB_DIR" "$layout"
    sleep 2
    (cd "$work" && exec "$root/scripts/wine-run.sh" --prefix "$WINEPREFIX" Tessel.scr /s) >"$work/wine.out" 2>&1 &
    launcher=$!
    sleep 6
    # The program itself: the launcher's child that runs it (never another
    # user's saver).
    saver_pid=""
    for child in $(pgrep -P "$launcher"); do
      tr '\0' ' ' <"/proc/$child/cmdline" 2>/dev/null | grep -q 'Tessel\.scr' && saver_pid=$child
    done
    [ -n "$saver_pid" ] || { echo "monitors-cpu: the saver is not running" >&2; exit 1; }
    before=$(cpu_ticks "$saver_pid")
    sleep "$seconds"
    after=$(cpu_ticks "$saver_pid")
    kill "$saver_pid" 2>/dev/null || true
    wait "$launcher" 2>/dev/null || true
    saver_pid=""
    awk -v l="$layout" -v t=$((after - before)) -v hz="$ticks" -v s="$seconds" \
      'BEGIN { printf "%-6s run %d: %.2f s of CPU in %d s = %.1f %% of one core\n", l, '"$r"', t / hz, s, 100 * t / hz / s }'
  done
done
