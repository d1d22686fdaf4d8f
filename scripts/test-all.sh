#!/usr/bin/env bash
# Sets up what is missing, then builds and runs every test: natively (with
# sanitizers) and as 32-bit and 64-bit Windows programs under Wine. On a
# machine that cannot run 32-bit x86 programs the 32-bit build is built and
# its Tessel.scr checked, but its tests are not run; the last line says so.
#   test-all.sh [STAGE...]    stages: native win32 win64 fuzz package (default: all, in that order)
# A check that fails prints "=== FAILED: STAGE: WHAT", and CTest's list of
# failed tests follows its stage's "=== STAGE: test" line.
set -euo pipefail
cd "$(dirname "$0")/.."

all_stages=(native win32 win64 fuzz package)
stages=("$@")
[ ${#stages[@]} -gt 0 ] || stages=("${all_stages[@]}")
for name in "${stages[@]}"; do
  [[ " ${all_stages[*]} " == *" $name "* ]] || { echo "usage: test-all.sh [${all_stages[*]}]..." >&2; exit 2; }
done
wanted() { [[ " ${stages[*]} " == *" $1 "* ]]; }
failed() { echo "=== FAILED: $*"; status=1; }

bash scripts/install-deps.sh

jobs=$(nproc)
status=0
started=$SECONDS
stage() { echo "=== $* ($((SECONDS - started)) s)"; }

# Whatever a killed test left behind must not outlive the run: a Wine or X
# server holding this script's output open would keep CI waiting.
stop_leftovers() {
  local build=build/$1 prefix
  # The shared prefix and those of the languages and of the Xorg display.
  for prefix in "$build"/wineprefix*/; do
    [ -d "$prefix" ] && bash scripts/wine-run.sh --prefix "$prefix" --stop
  done
  [ -d "$build/xvfb" ] && bash scripts/xvfb-fixture.sh stop "$build/xvfb"
  return 0
}

build_preset() {
  stage "$1: configure and build"
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1" -j "$jobs"
}

test_preset() {
  stage "$1: test"
  # Every test has its own limit; this one only stops a run that hangs (a
  # stage took 13 minutes under stress-ng beside other builds).
  timeout -k 30 2400 ctest --preset "$1" -j "$jobs" --timeout 300 || failed "$1: ctest"
  stop_leftovers "$1"
}

# Empty when 32-bit Windows programs run here, else why they cannot.
if no_i386=$(bash scripts/can-run-i386.sh); then no_i386=""; fi

if wanted native; then
  build_preset native
  test_preset native
fi

if wanted win32; then
  build_preset win32
  stage "win32: check the shipped Tessel.scr"
  /usr/bin/python3 scripts/pe-check.py shipped build/win32/saver/Tessel.scr || failed "win32: pe-check"
  [ -n "$no_i386" ] || test_preset win32
fi

if wanted win64; then
  build_preset win64
  test_preset win64
fi

# The fuzz targets (clang, libFuzzer), each run briefly by its test.
if wanted fuzz; then
  stage "fuzz: configure and build"
  cmake --preset fuzz >/dev/null
  cmake --build --preset fuzz -j "$jobs" --target datafile_fuzz
  stage "fuzz: test"
  timeout -k 30 300 ctest --preset fuzz --timeout 120 || failed "fuzz: ctest"
fi

# The release archive and installer: built, checked statically, the
# installer installed, upgraded and removed under 64-bit Wine, and both
# built again from nothing to the same bytes.
if wanted package; then
  stage "package: build, check, install, rebuild"
  timeout -k 30 2400 bash scripts/test-package.sh || failed "package: test-package"
fi

stage "done"
[ -z "$no_i386" ] || ! wanted win32 || echo "win32: built and checked; tests NOT run: $no_i386"
exit $status
