#!/usr/bin/env bash
# Builds Tessel.scr and runs it full screen under Wine: the shipped 32-bit
# program (win32 preset), or the 64-bit one (win64 preset) on a machine that
# cannot run 32-bit x86 programs.
#   run-saver.sh [SECONDS]
# With $DISPLAY set it runs on that display until a key or the mouse ends it.
# Without one it runs on a private Xvfb display: once the saver's window is
# up it waits SECONDS (default 6), checks that the saver still runs and that
# the screen is not black, saves a screenshot, ends the saver with a key and
# stops everything it started. If the saver did not run, it shows the
# saver's output and exits non-zero.
# Wine uses a prefix of its own under build/, never ~/.wine.
# TESSEL_BUILD_DIR picks another build folder of that preset.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
seconds=${1:-6}
[[ "$seconds" =~ ^[0-9]+$ ]] || { echo "usage: run-saver.sh [SECONDS]" >&2; exit 2; }

bash scripts/install-deps.sh
source scripts/wine-loader.sh
arch=$(wine_runnable_arch run-saver)
build="${TESSEL_BUILD_DIR:-build/$arch}"
cmake --preset "$arch" -B "$build" >/dev/null
# saver_probe finds the saver's window by its Windows class; data_file_maker
# writes the settings the unattended check plays.
cmake --build "$build" --target Tessel saver_probe data_file_maker -j 2

work="$root/build/run-saver"
mkdir -p "$work"
cp "$build/saver/Tessel.scr" "$work/Tessel.scr"
cp "$build/tests/saver_probe.exe" "$work/saver_probe.exe"
maker=$(cd "$build/tests" && pwd)/data_file_maker.exe
prefix="$work/wineprefix-$arch"
run() { "$root/scripts/wine-run.sh" --prefix "$prefix" --arch "$arch" "$@"; }
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
stop_saver() {
  if [ -n "$saver_pid" ] && kill -0 "$saver_pid" 2>/dev/null; then
    kill "$saver_pid" 2>/dev/null || true
  fi
  [ -z "$saver_pid" ] || wait "$saver_pid" 2>/dev/null || true
  saver_pid=""
}
cleanup() {
  stop_saver
  run --stop || true
  "$root/scripts/xvfb-fixture.sh" stop "$xvfb_dir" >/dev/null || true
}
trap cleanup EXIT
fail() {
  echo "run-saver: FAILED: $*" >&2
  stop_saver
  echo "run-saver: the saver's output ($work/wine.out):" >&2
  sed 's/^/  /' "$work/wine.out" >&2
  exit 1
}
saver_alive() { kill -0 "$saver_pid" 2>/dev/null; }
saver_windows() {
  (cd "$work" && timeout -k 2 30 "$root/scripts/wine-run.sh" --prefix "$prefix" saver_probe.exe count 2>/dev/null) |
    tr -d '\r' | sed -n 's/^savers=//p'
}
screen_stats() { timeout -k 2 20 xwd -root -silent | python3 "$root/tests/e2e/xwd_stats.py" "$@"; }
nonblack_share() { sed -n 's/.*nonblack=\([0-9.]*\).*/\1/p' <<<"$1"; }

"$root/scripts/xvfb-fixture.sh" start "$xvfb_dir" >/dev/null
export DISPLAY
DISPLAY=$(cat "$xvfb_dir/display")
# The unattended check plays a dense scene (3) from settings of its own, so
# that neither luck nor the user's settings in $work decide what it sees.
check="$work/check"
rm -rf "$check"
mkdir -p "$check"
cp "$work/Tessel.scr" "$check/"
: >"$work/wine.out"
(cd "$check" && run "$maker" 'Z:'"${check//\//\\}"'\Tessel.dat' 3) >>"$work/wine.out" 2>&1 ||
  fail "could not write the check's Tessel.dat"
(cd "$check" && exec "$root/scripts/wine-run.sh" --prefix "$prefix" Tessel.scr /s) >>"$work/wine.out" 2>&1 &
saver_pid=$!

deadline=$((SECONDS + 60))
until [ "$(saver_windows)" = "1" ]; do
  saver_alive || fail "the saver ended before its window appeared"
  ((SECONDS < deadline)) || fail "no saver window appeared within 60 s"
  sleep 0.5
done
sleep "$seconds"
saver_alive || fail "the saver ended within ${seconds} s of showing its window"

# A sparse scene may light only a few thousand pixels at a time: look a few
# times before calling the screen black.
png="$work/screenshot.png"
rm -f "$png"
for _ in 1 2 3; do
  stats=$(screen_stats --png "$png.new")
  if python3 -c "import sys; sys.exit(0 if float(sys.argv[1]) > 0.001 else 1)" "$(nonblack_share "$stats")"; then
    mv "$png.new" "$png"
    break
  fi
  sleep 1
done
[ -f "$png" ] || { mv "$png.new" "$work/black-screenshot.png"; fail "the screen stayed black ($stats)"; }

# A key press ends the saver the way a user would.
timeout -k 2 10 xdotool search --name '^Screen Saver$' windowfocus --sync key space 2>/dev/null ||
  timeout -k 2 10 xdotool key space || true
for _ in $(seq 100); do saver_alive || break; sleep 0.1; done
saver_alive && fail "the saver did not end on a key press"
code=0
wait "$saver_pid" || code=$?
saver_pid=""
[ "$code" = 0 ] || fail "the saver ended with $code after the key press"
echo "run-saver: the $arch saver ran and ended on a key press; screen $stats"
echo "run-saver: screenshot after ${seconds} s: $png"
