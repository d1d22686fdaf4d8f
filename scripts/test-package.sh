#!/usr/bin/env bash
# Tests the release output: writes it with scripts/package.sh, checks the
# archive and the installer statically, makes sure the checks reject wrong
# ones, installs, upgrades and removes the installer under 64-bit Wine
# (scripts/test-installer.sh), then builds both programs again from nothing
# in another build folder and requires the same files, byte for byte.
set -euo pipefail
cd "$(dirname "$0")/.."

fail() { echo "test-package: FAILED: $*"; exit 1; }

# The version as written in CMakeLists.txt, read apart from the build.
version=$(sed -n 's/^project(Tessel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || fail "no version in CMakeLists.txt"

written=$(bash scripts/package.sh | tail -n 3)
archive=dist/Tessel-$version.zip
msi=dist/Tessel-$version-x64.msi
[ "$written" = "$(printf '%s\n' "$archive" "$msi" dist/SHA256SUMS)" ] || fail "package.sh wrote '$written'"
/usr/bin/python3 -m zipfile -l "$archive"
/usr/bin/python3 scripts/check-package.py "$archive" "$version" || fail "check of $archive"
/usr/bin/python3 scripts/check-installer.py "$msi" "$version" || fail "check of $msi"
(cd dist && sha256sum --check --strict SHA256SUMS) || fail "dist/SHA256SUMS"

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
if out=$(/usr/bin/python3 scripts/check-installer.py "$msi" 9.9.9.9); then
  fail "an installer of another version passed the check"
fi
grep -q "Property: no row 'ProductVersion" <<<"$out" || fail "installer of another version: $out"

bash scripts/test-installer.sh "$archive" "$msi" "$version" || fail "the installer under Wine"

# Built twice: both programs from nothing in a folder of another name, then
# a second archive, which must equal the first.
started=$SECONDS
bash scripts/package.sh --build-root "$scratch/build" --out "$scratch/dist" >/dev/null 2>"$scratch/rebuild.log" ||
  { tail -n 40 "$scratch/rebuild.log"; fail "the second package run"; }
for file in "$archive" "$msi" dist/SHA256SUMS; do
  cmp "$file" "$scratch/$file" || fail "a second, clean build gave another $file"
done
echo "test-package: clean rebuild took $((SECONDS - started)) s"
cat dist/SHA256SUMS
rm -rf "$scratch"
echo "test-package: passed"
