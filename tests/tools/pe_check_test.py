#!/usr/bin/python3
"""Checks scripts/pe-check.py against a built Tessel.scr and damaged copies of it.
  pe_check_test.py PE_CHECK SCR ARCH      (ARCH: win32 or win64, the build's)"""
import importlib.util
import os
import struct
import subprocess
import sys
import tempfile

pe_check, scr, arch = sys.argv[1:]
found = importlib.util.spec_from_file_location("pe_check", pe_check)
checker = importlib.util.module_from_spec(found)
found.loader.exec_module(checker)
failures = []


def run(mode, data):
    with tempfile.NamedTemporaryFile(suffix=".scr", delete=False) as f:
        f.write(data)
    try:
        done = subprocess.run([sys.executable, pe_check, mode, f.name], capture_output=True, text=True)
        return done.returncode, done.stdout + done.stderr
    finally:
        os.unlink(f.name)


def expect(name, mode, data, code, text):
    got_code, out = run(mode, data)
    if got_code != code or text not in out:
        failures.append(f"{name}: wanted exit {code} and '{text}', got exit {got_code}: {out.strip()}")


def patched(data, offset, fmt, value):
    copy = bytearray(data)
    struct.pack_into(fmt, copy, offset, value)
    return bytes(copy)


def resource_entry(pe, kind, res_id=None):
    """File offset of the directory entry of resource type KIND (or of RES_ID within it)."""
    for entry in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if entry.id != kind:
            continue
        if res_id is None:
            return entry.struct.get_file_offset()
        for inner in entry.directory.entries:
            if inner.id == res_id:
                return inner.struct.get_file_offset()
    raise SystemExit(f"pe_check_test: {scr} holds no resource {kind}/{res_id}")


with open(scr, "rb") as f:
    data = f.read()
pe = checker.load(data)
pe_offset = pe.DOS_HEADER.e_lfanew

expect("its bitness", "arch", data, 0, arch)
expect("a truncated file", "shipped", data[:64], 1, "not a Windows program")
expect("a script", "arch", b"#!/bin/sh\nexit 0\n", 1, "not a Windows program")
if arch == "win64":
    expect("the 64-bit program", "shipped", data, 1, "machine 0x8664, not i386; optional header 0x20b, not PE32")
else:
    expect("the shipped program", "shipped", data, 0, "PE32 i386 GUI program")
    expect("another machine", "shipped", patched(data, pe_offset + 4, "<H", 0x1C4), 1, "machine 0x1c4, not i386")
    expect("a console program", "shipped", patched(data, pe_offset + 24 + 68, "<H", 3), 1, "subsystem 3, not the Windows GUI")
    expect("no manifest", "shipped", patched(data, resource_entry(pe, 24), "<I", 0x7FFF), 1, "no manifest resource")
    expect("no version", "shipped", patched(data, resource_entry(pe, 16), "<I", 0x7FFF), 1, "no version resource")
    expect("one dialog missing", "shipped", patched(data, resource_entry(pe, 5, 2003), "<I", 2004), 1,
           "no dialog resource 2003")
    expect("no icon group", "shipped", patched(data, resource_entry(pe, 14, 100), "<I", 101), 1,
           "no icon group resource 100")

for failure in failures:
    print("FAIL:", failure)
print(f"pe_check_test: {arch}: {'FAILED' if failures else 'passed'}")
sys.exit(1 if failures else 0)
