#!/usr/bin/env bash
# Builds both Windows programs in Release and writes the release output
# (see the README's "Cutting a release"): the archive
# dist/Tessel-<version>.zip, the installer dist/Tessel-<version>-x64.msi made
# from the archive's files, and dist/SHA256SUMS of the two.
#
#   scripts/package.sh [--build-root DIR] [--out DIR]
#
# --build-root puts the two build folders under DIR instead of build/ (a
# second, clean build for comparing bytes); --out writes the output to DIR
# instead of dist/. Everything is dated by SOURCE_DATE_EPOCH when set, else
# by the commit's time, so that the same commit gives the same bytes.
set -euo pipefail
cd "$(dirname "$0")/.."

build_root=build
out=dist
while [ $# -gt 0 ]; do
  case $1 in
    --build-root) build_root=${2:?}; shift 2 ;;
    --out) out=${2:?}; shift 2 ;;
    *) echo "package: unknown argument $1" >&2; exit 2 ;;
  esac
done

# Progress goes to stderr: stdout is the three files' paths alone.
bash scripts/install-deps.sh >&2

epoch=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || true)}
if [ -z "$epoch" ]; then
  echo "package: not a git checkout; set SOURCE_DATE_EPOCH to date the archive" >&2
  exit 1
fi
if git rev-parse --git-dir >/dev/null 2>&1 && ! git diff --quiet HEAD; then
  echo "package: warning: the work tree differs from the commit it is dated by" >&2
fi

for arch in win32 win64; do
  dir=$build_root/release-$arch
  cmake --preset "release-$arch" -B "$dir" >/dev/null
  cmake --build "$dir" -j "$(nproc)" --target Tessel >&2
done

# The one version: project() in CMakeLists.txt, as the configured build saw it.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_root/release-win32/CMakeCache.txt")
[ -n "$version" ] || { echo "package: no project version in the build" >&2; exit 1; }

mkdir -p "$out"
# Debian's Python: its modules are the ones install-deps.sh installs.
/usr/bin/python3 scripts/make-package.py --version "$version" --epoch "$epoch" \
  --readme package/README.txt \
  --scr32 "$build_root/release-win32/saver/Tessel.scr" \
  --scr64 "$build_root/release-win64/saver/Tessel.scr" \
  --out "$out/Tessel-$version.zip"
/usr/bin/python3 scripts/make-installer.py --zip "$out/Tessel-$version.zip" --version "$version" \
  --epoch "$epoch" --out "$out/Tessel-$version-x64.msi"
(cd "$out" && sha256sum "Tessel-$version.zip" "Tessel-$version-x64.msi" >SHA256SUMS.tmp && mv SHA256SUMS.tmp SHA256SUMS)
echo "$out/SHA256SUMS"
