# shellcheck shell=bash
# Which Wine loader starts what; sourced by every script that starts Wine.
# /usr/bin/wine always tries the 32-bit loader first, and that loader cannot
# start on a machine that runs no 32-bit x86 code. So a 64-bit program, and
# Wine's own programs in a 64-bit build's prefix, go to the 64-bit loader
# directly, and a 32-bit program to the 32-bit one.
#   wine_arch_of FILE    prints win32 or win64 for a Windows program (fails for others)
#   wine_use ARCH        sets WINE to that arch's loader and exports WINELOADER
#                        to match, so Wine starts its helpers with it too
#   wine_runnable_arch WHO  prints the build to run here: win32 (the shipped
#                        program) where 32-bit programs run, else win64, and
#                        then says why on stderr, as WHO

TESSEL_SCRIPTS=${TESSEL_SCRIPTS:-$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)}

# Read from the headers directly: every test program starts through here, and
# a Python start would cost as much as Wine's own.
wine_arch_of() {
  local offset signature zero machine
  [ -f "$1" ] && [ "$(head -c 2 "$1" 2>/dev/null)" = MZ ] || return 1
  # The DOS header's last field points at "PE\0\0", which the machine follows.
  offset=$(od -An -t u4 -j 60 -N 4 "$1" 2>/dev/null) || return 1
  read -r signature zero machine < <(od -An -t x2 -j "$((offset))" -N 6 "$1" 2>/dev/null)
  [ "${signature:-} ${zero:-}" = "4550 0000" ] || return 1
  case ${machine:-} in
    014c) echo win32 ;;
    8664) echo win64 ;;
    *) return 1 ;;
  esac
}

wine_use() {
  case "$1" in
    win32) WINE=/usr/lib/wine/wine ;;
    win64) WINE=/usr/lib/wine/wine64 ;;
    *) echo "wine-loader: unknown arch '$1' (win32 or win64)" >&2; return 2 ;;
  esac
  export WINELOADER=$WINE
}

wine_runnable_arch() {
  local reason
  if reason=$(bash "$TESSEL_SCRIPTS/can-run-i386.sh"); then
    echo win32
    return 0
  fi
  echo "$1: $reason; running the 64-bit build (win64 preset) instead" >&2
  echo win64
}
