#!/usr/bin/env bash
# Sets up what is missing, then builds and runs every test: natively (with
# sanitizers) and as 32-bit and 64-bit Windows programs under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

jobs=$(nproc)
status=0
started=$SECONDS
stage() { echo "=== $* ($((SECONDS - started)) s)"; }

# Whatever a killed test left behind must not outlive the run: a Wine or X
# server holding this script's output open would keep CI waiting.
stop_leftovers() {
  local build=build/$1
  [ -d "$build/wineprefix" ] && bash scripts/wine-run.sh --prefix "$build/wineprefix" --stop
  [ -d "$build/xvfb" ] && bash scripts/xvfb-fixture.sh stop "$build/xvfb"
  return 0
}

for preset in native win32 win64; do
  stage "$preset: configure and build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  stage "$preset: test"
  # Every test has its own limit; this one bounds the run as a whole.
  timeout -k 30 1200 ctest --preset "$preset" -j "$jobs" --timeout 300 || status=1
  stop_leftovers "$preset"
done

# The fuzz targets (clang, libFuzzer), each run briefly by its test.
stage "fuzz: configure and build"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs" --target datafile_fuzz
stage "fuzz: test"
timeout -k 30 300 ctest --preset fuzz --timeout 120 || status=1
# --- Release archive: package.sh, a static check of the archive, and a clean
# second build that must give the same bytes (no Wine needed).
stage "package: build, check, rebuild"
timeout -k 30 1200 bash scripts/test-package.sh || status=1
# --- end of the release archive block

stage "done"
exit $status
