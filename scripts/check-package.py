#!/usr/bin/python3
"""Checks a release archive without running anything: the expected files,
their SHA-256 sums, the user's guide's encoding, and for each program its
architecture, subsystem, version, icon, manifest and imports.

    check-package.py ARCHIVE VERSION

Prints one line per fault and exits 1 if there was any."""
import hashlib
import importlib.util
import os
import sys
import xml.etree.ElementTree as ElementTree
import zipfile

import pefile

# The headers are read as pe-check.py reads them, with its resource table.
_spec = importlib.util.spec_from_file_location("pe_check", os.path.join(os.path.dirname(__file__), "pe-check.py"))
pe_check = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(pe_check)

PROGRAMS = {"Tessel.scr": ("i386", 0x014C), "x64/Tessel.scr": ("x86-64", 0x8664)}
# Unix modes the entries unpack with: programs runnable, everything readable.
MODES = {"README.txt": 0o100644, "SHA256SUMS": 0o100644, "Tessel.scr": 0o100755, "x64/Tessel.scr": 0o100755}
EXPECTED = {"README.txt", "SHA256SUMS", *PROGRAMS}
SYSTEM_DLLS = {"advapi32.dll", "comctl32.dll", "gdi32.dll", "gdiplus.dll", "kernel32.dll",
               "msvcrt.dll", "ole32.dll", "shell32.dll", "shlwapi.dll", "user32.dll", "version.dll"}
RT_ICON, RT_GROUP_ICON, RT_MANIFEST = pe_check.RT_ICON, pe_check.RT_GROUP_ICON, pe_check.RT_MANIFEST
GUI_SUBSYSTEM = 2
MANIFEST_NS = "{urn:schemas-microsoft-com:asm.v1}"

faults = []


def fault(text):
    faults.append(text)


def check_sums(files):
    listed = {}
    for line in files["SHA256SUMS"].decode("ascii").splitlines():
        digest, _, name = line.partition("  ")
        listed[name] = digest
    for name in sorted(EXPECTED - {"SHA256SUMS"}):
        if name not in listed:
            fault(f"SHA256SUMS: {name} is not listed")
        elif listed.pop(name) != hashlib.sha256(files[name]).hexdigest():
            fault(f"SHA256SUMS: {name} does not match")
    for name in listed:
        fault(f"SHA256SUMS: lists {name}, which is not in the archive")


def check_guide(data, version):
    if not data.startswith(b"\xef\xbb\xbf"):
        fault("README.txt: no UTF-8 byte-order mark")
    if data.replace(b"\r\n", b"").count(b"\n") or data.replace(b"\r\n", b"").count(b"\r"):
        fault("README.txt: a line does not end in CR LF")
    try:
        text = data.decode("utf-8-sig")
    except UnicodeDecodeError as error:
        fault(f"README.txt: not UTF-8 ({error})")
        return
    for needed in (f"Tessel {version}", "インストール", "Install", "SysWOW64", "System32",
                   "Tessel.dat", "%APPDATA%", f"msiexec /i Tessel-{version}-x64.msi /qn SETASSAVER=1",
                   "Get-FileHash Tessel-" + version):
        if needed not in text:
            fault(f"README.txt: does not mention {needed}")


def resource(pe, type_id):
    """The first language's data of the first entry of a resource type, or None."""
    directory = getattr(pe, "DIRECTORY_ENTRY_RESOURCE", None)
    for entry in directory.entries if directory else []:
        if entry.id == type_id:
            first = entry.directory.entries[0]
            data = first.directory.entries[0].data.struct
            return first.id, pe.get_data(data.OffsetToData, data.Size)
    return None


def file_version(pe):
    info = getattr(pe, "VS_FIXEDFILEINFO", None)
    if not info:
        return None
    ms, ls = info[0].FileVersionMS, info[0].FileVersionLS
    return f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"


def version_strings(pe):
    strings = {}
    for block in getattr(pe, "FileInfo", [[]])[0]:
        for table in getattr(block, "StringTable", []):
            strings.update({k.decode(): v.decode() for k, v in table.entries.items()})
    return strings


def check_program(name, data, version):
    arch, machine = PROGRAMS[name]
    try:
        pe = pefile.PE(data=data)
    except pefile.PEFormatError as error:
        fault(f"{name}: not a PE file ({error})")
        return
    if pe.FILE_HEADER.Machine != machine:
        fault(f"{name}: machine 0x{pe.FILE_HEADER.Machine:04x}, not {arch}")
    if pe.OPTIONAL_HEADER.Subsystem != GUI_SUBSYSTEM:
        fault(f"{name}: subsystem {pe.OPTIONAL_HEADER.Subsystem}, not the Windows GUI")
    if pe.FILE_HEADER.TimeDateStamp != 0:
        fault(f"{name}: carries a link time, so no two builds are the same")
    if file_version(pe) != version:
        fault(f"{name}: file version {file_version(pe)}, not {version}")
    strings = version_strings(pe)
    for key in ("FileVersion", "ProductVersion"):
        if strings.get(key) != version:
            fault(f"{name}: {key} string {strings.get(key)!r}, not {version}")
    if strings.get("OriginalFilename") != "Tessel.scr":
        fault(f"{name}: OriginalFilename {strings.get('OriginalFilename')!r}")
    resources = pe_check.resource_ids(pe)
    if not resources.get(RT_GROUP_ICON) or not resources.get(RT_ICON):
        fault(f"{name}: no icon")
    check_manifest(name, resource(pe, RT_MANIFEST), version)
    for dll in getattr(pe, "DIRECTORY_ENTRY_IMPORT", []):
        if dll.dll.decode().lower() not in SYSTEM_DLLS:
            fault(f"{name}: needs {dll.dll.decode()}, which Windows does not have")


def check_manifest(name, found, version):
    if found is None:
        fault(f"{name}: no manifest")
        return
    resource_id, data = found
    if resource_id != 1:
        fault(f"{name}: manifest is resource {resource_id}, not the process manifest 1")
    try:
        identity = ElementTree.fromstring(data).find(MANIFEST_NS + "assemblyIdentity")
    except ElementTree.ParseError as error:
        fault(f"{name}: manifest is not XML ({error})")
        return
    if identity is None or identity.get("version") != version:
        fault(f"{name}: manifest does not name version {version}")


def main():
    path, version = sys.argv[1:3]
    if not path.endswith(f"/Tessel-{version}.zip") and path != f"Tessel-{version}.zip":
        fault(f"{path}: not named Tessel-{version}.zip")
    with zipfile.ZipFile(path) as archive:
        bad = archive.testzip()
        if bad:
            fault(f"{path}: {bad} is damaged")
        files = {info.filename: archive.read(info) for info in archive.infolist()}
        for info in archive.infolist():
            mode = info.external_attr >> 16
            if info.create_system != 3 or mode != MODES.get(info.filename, mode):
                fault(f"{info.filename}: unpacks with mode {mode:o}, not {MODES[info.filename]:o}")
    if set(files) != EXPECTED:
        fault(f"{path}: holds {sorted(files)}, not {sorted(EXPECTED)}")
    else:
        check_sums(files)
        check_guide(files["README.txt"], version)
        for name in PROGRAMS:
            check_program(name, files[name], version)
    for text in faults:
        print(f"check-package: {text}")
    print(f"check-package: {path}: {'FAILED' if faults else 'ok'}")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
