#!/usr/bin/env bash
# Runs a Windows program under Wine in a prefix of its own (never ~/.wine).
#   wine-run.sh --prefix DIR PROGRAM [ARGS...]   run it, making the prefix if needed;
#                                                its output is shown when it ends
#   wine-run.sh --prefix DIR --init              make the prefix
#   wine-run.sh --prefix DIR --start             make the prefix and keep its server
#                                                running until --stop
#   wine-run.sh --prefix DIR --stop              stop that prefix's wineserver
set -u
prefix=""
if [ "${1:-}" = "--prefix" ]; then
  prefix=$2
  shift 2
fi
[ -n "$prefix" ] || { echo "wine-run.sh: --prefix DIR is required" >&2; exit 2; }
mkdir -p "$prefix"
export WINEPREFIX
WINEPREFIX=$(cd "$prefix" && pwd)
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installers, no prompts.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

init_prefix() {
  # One maker at a time; the others wait and find it made.
  exec 9>"$WINEPREFIX/.init.lock"
  flock 9
  if [ ! -f "$WINEPREFIX/.ready" ]; then
    DISPLAY= timeout -k 5 300 wineboot -i >/dev/null 2>&1 || true
    timeout -k 5 120 wineserver -w
    touch "$WINEPREFIX/.ready"
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
    timeout -k 5 120 wine cmd /c exit </dev/null >/dev/null 2>&1 || true
    exit 0 ;;
  --stop) timeout -k 5 30 wineserver -k 2>/dev/null; timeout -k 5 30 wineserver -w 2>/dev/null; exit 0 ;;
  "") echo "wine-run.sh: no program given" >&2; exit 2 ;;
esac

[ -f "$WINEPREFIX/.ready" ] || init_prefix
use_private_display
start_server -p10
# For the same reason the program writes to a file, shown when it ends.
out=$(mktemp "$WINEPREFIX/.out.XXXXXX")
wine "$@" </dev/null >"$out" 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null' TERM INT
wait "$pid"
code=$?
cat "$out"
rm -f "$out"
exit $code
