#!/usr/bin/env python3
"""Writes the release archive: both programs, the user's guide and their
SHA-256 sums, with fixed time stamps, attributes and order, so that the same
inputs always give the same bytes."""
import argparse
import hashlib
import os
import stat
import sys
import time
import zipfile

# The order the files are written in; SHA256SUMS lists the others.
SCR32 = "Tessel.scr"
SCR64 = "x64/Tessel.scr"
README = "README.txt"
SUMS = "SHA256SUMS"
ARCHIVE_ORDER = (README, SUMS, SCR32, SCR64)
ENTRY_MODES = {README: 0o644, SUMS: 0o644, SCR32: 0o755, SCR64: 0o755}

UTF8_BOM = b"\xef\xbb\xbf"
ZIP_EPOCH = 315532800  # 1980-01-01, the earliest time a zip entry can hold


def windows_text(text):
    """CRLF line ends and a byte-order mark, so that Notepad shows the
    Japanese whatever the system's code page."""
    lines = text.replace("\r\n", "\n").split("\n")
    return UTF8_BOM + "\r\n".join(lines).encode("utf-8")


def sums_file(files):
    lines = [f"{hashlib.sha256(files[name]).hexdigest()}  {name}\n"
             for name in sorted(files)]
    return "".join(lines).encode("ascii")


def zip_entry(name, epoch):
    stamp = time.gmtime(max(epoch, ZIP_EPOCH))[:6]
    info = zipfile.ZipInfo(name, date_time=stamp)
    info.compress_type = zipfile.ZIP_DEFLATED
    # Fixed Unix modes, never the packing machine's: left at 0, zipfile
    # would store 0600 and the files would unpack readable by their owner
    # alone.
    info.create_system = 3
    info.external_attr = (ENTRY_MODES[name] | stat.S_IFREG) << 16
    return info


def write_archive(path, files, epoch):
    tmp = path + ".tmp"
    with zipfile.ZipFile(tmp, "w") as archive:
        for name in ARCHIVE_ORDER:
            archive.writestr(zip_entry(name, epoch), files[name], compresslevel=9)
    os.replace(tmp, path)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--version", required=True)
    parser.add_argument("--epoch", type=int, required=True,
                        help="time stamp of every entry, seconds since 1970 (UTC)")
    parser.add_argument("--readme", required=True, help="user's guide, UTF-8; @VERSION@ is replaced")
    parser.add_argument("--scr32", required=True)
    parser.add_argument("--scr64", required=True)
    parser.add_argument("--out", required=True, help="archive to write")
    args = parser.parse_args()

    with open(args.readme, encoding="utf-8") as f:
        guide = f.read().replace("@VERSION@", args.version)
    files = {README: windows_text(guide)}
    for name, source in ((SCR32, args.scr32), (SCR64, args.scr64)):
        with open(source, "rb") as f:
            files[name] = f.read()
    files[SUMS] = sums_file(files)
    write_archive(args.out, files, args.epoch)
    print(args.out)


if __name__ == "__main__":
    sys.exit(main())
