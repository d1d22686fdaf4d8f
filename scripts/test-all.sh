#!/usr/bin/env bash
# Sets up what is missing, then builds and runs every test: natively (with
# sanitizers) and as 32-bit and 64-bit Windows programs under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

jobs=$(nproc)
status=0
for preset in native win32 win64; do
  echo "=== $preset: configure and build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  echo "=== $preset: test"
  ctest --preset "$preset" -j "$jobs" || status=1
done

# The fuzz targets (clang, libFuzzer), each run briefly by its test.
echo "=== fuzz: configure and build"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs" --target datafile_fuzz
echo "=== fuzz: test"
ctest --preset fuzz || status=1
exit $status
