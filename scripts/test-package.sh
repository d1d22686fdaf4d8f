#!/usr/bin/env bash
# Tests the release archive: writes it with scripts/package.sh, checks it
# statically (no Wine needed), makes sure the check rejects a wrong archive,
# then builds both programs again from nothing in another build folder and
# requires the same archive, byte for byte.
set -euo pipefail
cd "$(dirname "$0")/.."

fail() { echo "test-package: FAILED: $*"; exit 1; }

# The version as written in CMakeLists.txt, read apart from the build.
version=$(sed -n 's/^project(Tessel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || fail "no version in CMakeLists.txt"

archive=$(bash scripts/package.sh | tail -n 1)
[ "$archive" = "dist/Tessel-$version.zip" ] || fail "package.sh wrote '$archive'"
/usr/bin/python3 -m zipfile -l "$archive"
/usr/bin/python3 scripts/check-package.py "$archive" "$version" || fail "check of $archive"

# The check must catch an archive whose sums agree but whose programs are
# swapped, and one whose sums do not agree.
scratch=build/package-test
rm -rf "$scratch" && mkdir -p "$scratch"
/usr/bin/python3 scripts/make-package.py --version "$version" --epoch 0 --readme package/README.txt \
  --scr32 build/release-win64/saver/Tessel.scr --scr64 build/release-win32/saver/Tessel.scr \
  --out "$scratch/Tessel-$version.zip" >/dev/null
if out=$(/usr/bin/python3 scripts/check-package.py "$scratch/Tessel-$version.zip" "$version"); then
  fail "swapped programs passed the check"
fi
grep -q "Tessel.scr: machine 0x8664, not i386" <<<"$out" || fail "swapped programs: $out"
/usr/bin/python3 - "$archive" "$scratch/Tessel-$version.zip" <<'EOF'
import sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as src, zipfile.ZipFile(sys.argv[2], "w") as dst:
    for info in src.infolist():
        data = src.read(info)
        dst.writestr(info, data + b"\r\n" if info.filename == "README.txt" else data)
EOF
if out=$(/usr/bin/python3 scripts/check-package.py "$scratch/Tessel-$version.zip" "$version"); then
  fail "a changed README.txt passed the check"
fi
grep -q "SHA256SUMS: README.txt does not match" <<<"$out" || fail "changed README.txt: $out"

# Built twice: both programs from nothing in a folder of another name, then
# a second archive, which must equal the first.
started=$SECONDS
again=$(bash scripts/package.sh --build-root "$scratch/build" --out "$scratch/dist" 2>"$scratch/rebuild.log" |
  tail -n 1) || { tail -n 40 "$scratch/rebuild.log"; fail "the second package run"; }
cmp "$archive" "$again" || fail "a second, clean build gave another archive"
echo "test-package: clean rebuild took $((SECONDS - started)) s"
sha256sum "$archive" "$again"
rm -rf "$scratch"
echo "test-package: passed"
