#!/usr/bin/env bash
# Runs a Windows program under Wine in a prefix of its own (never ~/.wine).
#   wine-run.sh --prefix DIR [--arch A] PROGRAM [ARGS...]   run it, making the prefix
#                                                if needed; its output is shown when it ends
#   wine-run.sh --prefix DIR [--arch A] --init   make the prefix
#   wine-run.sh --prefix DIR [--arch A] --start  make the prefix and keep its server
#                                                running until --stop
#   wine-run.sh --prefix DIR --stop              stop that prefix's wineserver
# A (win32 or win64) is the bitness of the build the prefix serves. Its loader
# makes the prefix and runs Wine's own programs (cmd, reg); the prefix keeps
# it, so later calls may leave it out. A program file runs with the loader of
# its own bitness.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-loader.sh"
prefix=""
arch=""
while [ $# -gt 0 ]; do
  case "$1" in
    --prefix) prefix=${2:-}; shift 2 || shift ;;
    --arch) arch=${2:-}; shift 2 || shift ;;
    *) break ;;
  esac
done
[ -n "$prefix" ] || { echo "wine-run.sh: --prefix DIR is required" >&2; exit 2; }
mkdir -p "$prefix"
export WINEPREFIX
WINEPREFIX=$(cd "$prefix" && pwd)
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installers, no prompts.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

recorded=""
[ -f "$WINEPREFIX/.arch" ] && recorded=$(cat "$WINEPREFIX/.arch")
if [ -n "$arch" ] && [ -n "$recorded" ] && [ "$arch" != "$recorded" ]; then
  echo "wine-run.sh: $WINEPREFIX serves a $recorded build, not $arch; remove it to start afresh" >&2
  exit 2
fi
arch=${arch:-$recorded}

need_arch() {
  [ -n "$arch" ] && return 0
  echo "wine-run.sh: --arch win32|win64 is required to make $WINEPREFIX" >&2
  exit 2
}

init_prefix() {
  need_arch
  # One maker at a time; the others wait and find it made.
  exec 9>"$WINEPREFIX/.init.lock"
  flock 9
  if [ ! -f "$WINEPREFIX/.ready" ]; then
    wine_use "$arch"
    # A 64-bit build's prefix is made by the 64-bit loader alone.
    [ "$arch" = win64 ] && export WINEARCH=win64
    local log="$WINEPREFIX/.wineboot.log"
    # Their exit codes say little: the registry check below decides.
    DISPLAY='' timeout -k 5 300 "$WINE" wineboot -i >"$log" 2>&1 || true
    timeout -k 5 120 wineserver -w || true
    # Wine records the prefix's bitness in its registry once it has made it.
    if ! grep -q '^#arch=' "$WINEPREFIX/system.reg" 2>/dev/null; then
      echo "wine-run.sh: Wine could not make the prefix $WINEPREFIX ($WINE):" >&2
      cat "$log" >&2
      exit 1
    fi
    echo "$arch" >"$WINEPREFIX/.arch"
    touch "$WINEPREFIX/.ready"
  elif [ ! -f "$WINEPREFIX/.arch" ]; then
    echo "$arch" >"$WINEPREFIX/.arch"
  fi
  flock -u 9
  exec 9>&-
}

# Every program of a build's prefix uses that build's private display when the
# test fixture has started one (it lives beside the prefix).
use_private_display() {
  local xvfb_dir=${TESSEL_XVFB_DIR:-$(dirname "$WINEPREFIX")/xvfb}
  if [ -z "${DISPLAY:-}" ] && [ -f "$xvfb_dir/display" ]; then
    export DISPLAY
    DISPLAY=$(cat "$xvfb_dir/display")
  fi
}

# The server and Wine's own programs (the desktop, the services) outlive the
# program that starts them and inherit its stderr. Started from here they
# write nowhere, so they never hold a caller's pipe open: CTest waits for a
# test's output to close, past the test's own end and its time limit.
# When a server already runs, the new one exits at once.
start_server() {
  wineserver "$1" </dev/null >/dev/null 2>&1 || true
}

case "${1:-}" in
  --init) init_prefix; exit 0 ;;
  --start)
    init_prefix
    use_private_display
    start_server -p
    wine_use "$arch"
    timeout -k 5 120 "$WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
    exit 0 ;;
  # No server running is as good as a stopped one.
  --stop) timeout -k 5 30 wineserver -k 2>/dev/null || true; timeout -k 5 30 wineserver -w 2>/dev/null || true; exit 0 ;;
  "") echo "wine-run.sh: no program given" >&2; exit 2 ;;
esac

[ -f "$WINEPREFIX/.ready" ] || init_prefix
use_private_display
start_server -p10
program_arch=$(wine_arch_of "$1") || program_arch=$arch
[ -n "$program_arch" ] || need_arch
wine_use "$program_arch"
# For the same reason the program writes to a file, shown when it ends.
out=$(mktemp "$WINEPREFIX/.out.XXXXXX")
"$WINE" "$@" </dev/null >"$out" 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null' TERM INT
code=0
wait "$pid" || code=$?
cat "$out"
rm -f "$out"
exit $code
