#!/usr/bin/env bash
# Runs a Windows program under Wine in a prefix of its own (never ~/.wine).
#   wine-run.sh --prefix DIR PROGRAM [ARGS...]   run it, making the prefix if needed
#   wine-run.sh --prefix DIR --init              make the prefix
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
    DISPLAY= wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    touch "$WINEPREFIX/.ready"
  fi
  flock -u 9
  exec 9>&-
}

case "${1:-}" in
  --init) init_prefix; exit 0 ;;
  --stop) wineserver -k 2>/dev/null; wineserver -w 2>/dev/null; exit 0 ;;
  "") echo "wine-run.sh: no program given" >&2; exit 2 ;;
esac

[ -f "$WINEPREFIX/.ready" ] || init_prefix
# Every program of a build's prefix uses that build's private display when the
# test fixture has started one (it lives beside the prefix).
xvfb_dir=${TESSEL_XVFB_DIR:-$(dirname "$WINEPREFIX")/xvfb}
if [ -z "${DISPLAY:-}" ] && [ -f "$xvfb_dir/display" ]; then
  export DISPLAY
  DISPLAY=$(cat "$xvfb_dir/display")
fi
exec wine "$@"
