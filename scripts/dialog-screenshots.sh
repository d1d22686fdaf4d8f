#!/usr/bin/env bash
# Pictures of the three settings dialogs under Wine, for checking by eye:
# builds the win32 preset's ui_tests (win64 where 32-bit programs cannot
# run), shows each dialog on a private display and saves settings.png,
# cellcolor.png and name.png under BUILD/screenshots.
#   dialog-screenshots.sh [BUILD]   (default build/win32 or build/win64)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
source scripts/wine-loader.sh
preset=$(wine_runnable_arch dialog-screenshots)
build=${1:-build/$preset}
cmake --preset "$preset" -B "$build" >/dev/null
cmake --build "$build" --target ui_tests -j 2
build=$(cd "$build" && pwd)
shots="$build/screenshots"
xvfb="$build/xvfb-shots"
prefix="$build/wineprefix"
rm -rf "$shots" && mkdir -p "$shots"

run() { TESSEL_XVFB_DIR="$xvfb" "$root/scripts/wine-run.sh" --prefix "$prefix" --arch "$preset" "$@"; }
cleanup() {
  [ -n "${shower:-}" ] && kill "$shower" 2>/dev/null || true
  run --stop || true
  "$root/scripts/xvfb-fixture.sh" stop "$xvfb" >/dev/null || true
  rm -f "$shots/showing" "$build"/*.xwd
}
trap cleanup EXIT

"$root/scripts/xvfb-fixture.sh" start "$xvfb" >/dev/null
display=$(cat "$xvfb/display")
# The dialogs' font maps to one with Japanese glyphs, as on a Japanese system.
run reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
  /v 'MS Shell Dlg' /d IPAPGothic /f >/dev/null 2>&1
TESSEL_UI_SCREENSHOTS="Z:$shots" run "$build/tests/ui_tests.exe" --gtest_filter='DialogScreenshots.*' \
  >"$build/screenshots.log" 2>&1 &
shower=$!

# The test names the dialog it is showing in a file; take each one once.
last=""
for _ in $(seq 120); do
  sleep 0.5
  [ -f "$shots/showing" ] || continue
  name=$(tr -d '\r\n' < "$shots/showing")
  if [ "$name" != "$last" ]; then
    sleep 0.5
    xwd -root -display "$display" -silent > "$build/$name.xwd"
    last=$name
  fi
  [ "$last" = "name" ] && break
done
wait "$shower" || true
shower=""
for name in settings cellcolor name; do
  [ -f "$build/$name.xwd" ] || { echo "dialog-screenshots: no picture of $name" >&2; exit 1; }
  python3 "$root/tests/e2e/xwd_stats.py" --png "$shots/$name.png" < "$build/$name.xwd" >/dev/null
done
echo "dialog-screenshots: $shots/settings.png cellcolor.png name.png"
