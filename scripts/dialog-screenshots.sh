#!/usr/bin/env bash
# Pictures of the three settings dialogs under Wine in Japanese and in
# English, for checking by eye: builds the win32 preset's ui_tests (win64
# where 32-bit programs cannot run), shows each dialog on a private display
# and saves settings.png, cellcolor.png and name.png under
# BUILD/screenshots/ja and BUILD/screenshots/en.
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
rm -rf "$shots" && mkdir -p "$shots"

# The dialogs follow the user's language, which Wine takes from the locale:
# each language has a prefix of its own (the UI tests' ones).
lang=""
run() {
  LANG=$locale LC_ALL=$locale TESSEL_XVFB_DIR="$xvfb" \
    "$root/scripts/wine-run.sh" --prefix "$build/wineprefix-$lang" --arch "$preset" "$@"
}
cleanup() {
  [ -n "${shower:-}" ] && kill "$shower" 2>/dev/null || true
  [ -n "$lang" ] && { run --stop || true; }
  "$root/scripts/xvfb-fixture.sh" stop "$xvfb" >/dev/null || true
  rm -f "$shots/showing" "$build"/*.xwd
}
trap cleanup EXIT

"$root/scripts/xvfb-fixture.sh" start "$xvfb" >/dev/null
display=$(cat "$xvfb/display")

# Shows the dialogs in one language and saves them as LANG/NAME.png, cut to
# the dialog and its frame.
shoot() {
  lang=$1 locale=$2
  mkdir -p "$shots/$lang"
  # A Japanese system's dialog font has Japanese glyphs; Wine's default
  # (Tahoma) has none. English keeps it.
  if [ "$lang" = ja ]; then
    run reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
      /v 'MS Shell Dlg' /d IPAPGothic /f >/dev/null 2>&1
  fi
  TESSEL_UI_SCREENSHOTS="Z:$shots" run "$build/tests/ui_tests.exe" --gtest_filter='DialogScreenshots.*' \
    >"$build/screenshots-$lang.log" 2>&1 &
  shower=$!
  # The test names the dialog it is showing, and where, in a file; take
  # each one once.
  local last="" name x y w h
  for _ in $(seq 120); do
    sleep 0.5
    [ -f "$shots/showing" ] || continue
    read -r name x y w h < <(tr -d '\r' < "$shots/showing")
    if [ "$name" != "$last" ]; then
      sleep 0.5
      xwd -root -display "$display" -silent > "$build/$name.xwd"
      echo "$x $y $w $h" > "$build/$name.rect"
      last=$name
    fi
    [ "$last" = "name" ] && break
  done
  wait "$shower" || true
  shower=""
  rm -f "$shots/showing"
  for name in settings cellcolor name; do
    [ -f "$build/$name.xwd" ] || { echo "dialog-screenshots: no picture of $name ($lang)" >&2; exit 1; }
    python3 "$root/tests/e2e/xwd_stats.py" --png "$build/$name-full.png" < "$build/$name.xwd" >/dev/null
    read -r x y w h < "$build/$name.rect"
    # The window manager's title bar sits above the window's own rectangle.
    convert "$build/$name-full.png" -crop "$((w + 16))x$((h + 40))+$((x > 8 ? x - 8 : 0))+$((y > 32 ? y - 32 : 0))" \
      +repage "$shots/$lang/$name.png"
    rm -f "$build/$name.xwd" "$build/$name.rect" "$build/$name-full.png"
  done
  run --stop || true
  lang=""
}

shoot ja ja_JP.UTF-8
shoot en en_US.UTF-8
echo "dialog-screenshots: $shots/{ja,en}/{settings,cellcolor,name}.png"
