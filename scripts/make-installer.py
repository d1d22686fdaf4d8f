#!/usr/bin/python3
"""Writes the 64-bit Windows installer from the release archive: its two
programs and user's guide go in as they are in the archive, built by wixl
from package/windows/Tessel.wxs, then finished here with what wixl cannot
say and with fixed codes and times, so that the same inputs always give the
same bytes.

    make-installer.py --zip ARCHIVE --version V --epoch SECONDS --out MSI"""
import argparse
import hashlib
import os
import shutil
import subprocess
import sys
import tempfile
import uuid
import zipfile

import gi
import pefile

gi.require_version("Libmsi", "1.0")
from gi.repository import Libmsi  # noqa: E402  (needs the version chosen first)

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
WXS = os.path.join(ROOT, "package", "windows", "Tessel.wxs")
ICON = os.path.join(ROOT, "saver", "Tessel.ico")
# The archive's files the installer carries, by their names in the archive.
FILES = ("Tessel.scr", "x64/Tessel.scr", "README.txt")
# File table keys of the programs, whose version the installer compares
# with a copy already in place.
PROGRAMS = {"Saver64": "x64/Tessel.scr", "Saver32": "Tessel.scr"}
# ProductCode and package code are derived in this namespace (a fixed,
# otherwise unused UUID), so that they repeat for the same inputs.
CODE_NAMESPACE = uuid.UUID("b6d1f0a2-4c3e-4f7d-8a9b-5e6c7d8f9a10")

# What wixl 0.101 cannot express: a condition on a component and a public
# property passed on to the elevated part of a per-machine install.
# An upgrade keeps Tessel as the user's saver: Wine's removal of the older
# version does not say that it is part of an upgrade, so there it clears it.
COMPONENT_CONDITIONS = {
    "ScreenSaverChoice": 'SETASSAVER = "1" OR (WIX_UPGRADE_DETECTED AND (SAVERNOW ~= SAVER64 OR SAVERNOW ~= SAVER32))',
}
SECURE_PROPERTIES = ("SETASSAVER",)

FILETIME_EPOCH = 116444736000000000  # 1970-01-01 in 100 ns since 1601


def product_code(version):
    return "{%s}" % str(uuid.uuid5(CODE_NAMESPACE, "Tessel x64 " + version)).upper()


def package_code(version, stage):
    """Changes whenever anything that goes into the package changes."""
    digest = hashlib.sha256(version.encode())
    for name in ("Tessel.wxs",) + FILES:
        with open(os.path.join(stage, name), "rb") as f:
            digest.update(hashlib.sha256(f.read()).digest())
    return "{%s}" % str(uuid.uuid5(CODE_NAMESPACE, digest.hexdigest())).upper()


def file_version(path):
    pe = pefile.PE(path, fast_load=True)
    pe.parse_data_directories([pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_RESOURCE"]])
    info = pe.VS_FIXEDFILEINFO[0]
    ms, ls = info.FileVersionMS, info.FileVersionLS
    return f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"


def stage_files(archive, stage, epoch):
    """The archive's files, the source and the icon, all dated alike: the
    cabinet records each file's time."""
    with zipfile.ZipFile(archive) as z:
        for name in FILES:
            target = os.path.join(stage, name)
            os.makedirs(os.path.dirname(target), exist_ok=True)
            with open(target, "wb") as f:
                f.write(z.read(name))
    shutil.copyfile(WXS, os.path.join(stage, "Tessel.wxs"))
    shutil.copyfile(ICON, os.path.join(stage, "Tessel.ico"))
    for folder, _, names in os.walk(stage):
        for name in names:
            os.utime(os.path.join(folder, name), (epoch, epoch))


def run_query(db, sql, *values):
    record = None
    if values:
        record = Libmsi.Record.new(len(values))
        for i, value in enumerate(values, 1):
            record.set_string(i, value)
    query = Libmsi.Query.new(db, sql)
    query.execute(record)
    query.close()


def single_value(db, sql):
    query = Libmsi.Query.new(db, sql)
    query.execute(None)
    record = query.fetch()
    query.close()
    return record.get_string(1) if record else None


def finish(msi, stage, version, epoch):
    db = Libmsi.Database.new(msi, Libmsi.DbFlags.TRANSACT, None)
    for component, condition in COMPONENT_CONDITIONS.items():
        run_query(db, "UPDATE `Component` SET `Condition` = ? WHERE `Component` = ?", condition, component)
    secure = single_value(db, "SELECT `Value` FROM `Property` WHERE `Property` = 'SecureCustomProperties'")
    secure = ";".join(filter(None, [secure, *SECURE_PROPERTIES]))
    run_query(db, "UPDATE `Property` SET `Value` = ? WHERE `Property` = 'SecureCustomProperties'", secure)
    # A versioned file replaces an older copy already in place (one copied
    # there by hand, say); unversioned it would lose to it. Versioned files
    # carry no hash.
    for key, name in PROGRAMS.items():
        run_query(db, "UPDATE `File` SET `Version` = ? WHERE `File` = ?",
                  file_version(os.path.join(stage, name)), key)
        run_query(db, "DELETE FROM `MsiFileHash` WHERE `File_` = ?", key)

    info = Libmsi.SummaryInfo.new(db, 20)
    info.set_string(Libmsi.Property.UUID, package_code(version, stage))
    stamp = FILETIME_EPOCH + epoch * 10_000_000
    info.set_filetime(Libmsi.Property.CREATED_TM, stamp)
    info.set_filetime(Libmsi.Property.LASTSAVED_TM, stamp)
    info.persist()
    db.commit()


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--zip", required=True, help="the release archive to take the files from")
    parser.add_argument("--version", required=True, help="product version; an upgrade needs a higher first three fields")
    parser.add_argument("--epoch", type=int, required=True, help="time of the package and its files (seconds since 1970)")
    parser.add_argument("--out", required=True, help="installer to write")
    args = parser.parse_args()

    out_dir = os.path.dirname(os.path.abspath(args.out))
    with tempfile.TemporaryDirectory(dir=out_dir, prefix=".msi-") as stage:
        stage_files(args.zip, stage, args.epoch)
        built = os.path.join(stage, "Tessel.msi")
        # Local time would otherwise reach the cabinet's file times.
        env = dict(os.environ, TZ="UTC")
        subprocess.run(["wixl", "--arch", "x64", "-D", f"Version={args.version}",
                        "-D", f"ProductCode={product_code(args.version)}",
                        "-o", built, "Tessel.wxs"], cwd=stage, env=env, check=True)
        finish(built, stage, args.version, args.epoch)
        os.replace(built, args.out)
    print(args.out)


if __name__ == "__main__":
    sys.exit(main())
