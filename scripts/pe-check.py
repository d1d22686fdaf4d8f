#!/usr/bin/python3
"""Reads the headers and resource directory of a Windows program (with
python3-pefile, as check-package.py does).
  pe-check.py arch FILE      prints win32 or win64; exit 1 if FILE is no PE program
  pe-check.py shipped FILE   checks that FILE is the shipped saver: a 32-bit
                             (PE32, i386) GUI program with its icon, name,
                             manifest, version and the three dialogs"""
import sys

import pefile

MACHINES = {0x14C: "win32", 0x8664: "win64"}
RT_ICON, RT_DIALOG, RT_STRING, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 5, 6, 14, 16, 24
# Resource type -> the ids the saver must hold (None: any id will do).
SHIPPED_RESOURCES = {
    RT_ICON: None,
    RT_GROUP_ICON: {100},
    RT_STRING: {1},  # string 1, the saver's name, lives in block 1
    RT_MANIFEST: {1},
    RT_VERSION: {1},
    RT_DIALOG: {2003, 131, 129},  # settings, cell colour, name
}
TYPE_NAMES = {RT_ICON: "icon", RT_GROUP_ICON: "icon group", RT_STRING: "string table",
              RT_MANIFEST: "manifest", RT_VERSION: "version", RT_DIALOG: "dialog"}


def load(data):
    """The program's headers and resource directory; raises pefile.PEFormatError."""
    pe = pefile.PE(data=data, fast_load=True)
    pe.parse_data_directories(directories=[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_RESOURCE"]])
    return pe


def resource_ids(pe):
    """Maps each resource type id to the set of its ids (named ones by name)."""
    def key(entry):
        return entry.id if entry.name is None else str(entry.name)

    found = {}
    directory = getattr(pe, "DIRECTORY_ENTRY_RESOURCE", None)
    for kind in directory.entries if directory else []:
        entries = kind.directory.entries if hasattr(kind, "directory") else []
        found[key(kind)] = {key(entry) for entry in entries}
    return found


def shipped_faults(pe):
    faults = []
    machine = pe.FILE_HEADER.Machine
    magic = pe.OPTIONAL_HEADER.Magic
    if machine != 0x14C:
        faults.append(f"machine {machine:#x}, not i386")
    if magic != 0x10B:
        faults.append(f"optional header {magic:#x}, not PE32")
    if pe.OPTIONAL_HEADER.Subsystem != 2:
        faults.append(f"subsystem {pe.OPTIONAL_HEADER.Subsystem}, not the Windows GUI")
    if pe.FILE_HEADER.Characteristics & 0x2000:
        faults.append("a DLL, not a program")
    resources = resource_ids(pe)
    for kind, ids in SHIPPED_RESOURCES.items():
        have = resources.get(kind, set())
        if not have:
            faults.append(f"no {TYPE_NAMES[kind]} resource")
        elif ids and not ids <= have:
            missing = ", ".join(str(i) for i in sorted(ids - have))
            faults.append(f"no {TYPE_NAMES[kind]} resource {missing}")
    return faults


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in ("arch", "shipped"):
        sys.exit(__doc__)
    mode, path = sys.argv[1:]
    try:
        with open(path, "rb") as f:
            pe = load(f.read())
        if mode == "arch":
            if pe.FILE_HEADER.Machine not in MACHINES:
                raise pefile.PEFormatError(f"machine {pe.FILE_HEADER.Machine:#x}")
            print(MACHINES[pe.FILE_HEADER.Machine])
            return
        faults = shipped_faults(pe)
    except (OSError, pefile.PEFormatError) as e:
        sys.exit(f"pe-check: {path}: not a Windows program ({e})")
    if faults:
        sys.exit(f"pe-check: {path}: " + "; ".join(faults))
    print(f"pe-check: {path}: PE32 i386 GUI program with icon, name, manifest, version and 3 dialogs")


if __name__ == "__main__":
    main()
