#!/usr/bin/env python3
"""Reads the headers and resource directory of a Windows program.
  pe-check.py arch FILE      prints win32 or win64; exit 1 if FILE is no PE program
  pe-check.py shipped FILE   checks that FILE is the shipped saver: a 32-bit
                             (PE32, i386) GUI program with its icon, name,
                             manifest, version and the three dialogs"""
import struct
import sys

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


class NotPe(Exception):
    pass


class Pe:
    def __init__(self, data):
        if len(data) < 0x40 or data[:2] != b"MZ":
            raise NotPe("no MZ header")
        (pe_offset,) = struct.unpack_from("<I", data, 0x3C)
        if data[pe_offset:pe_offset + 4] != b"PE\0\0":
            raise NotPe("no PE signature")
        self.data = data
        coff = pe_offset + 4
        self.machine, nsections, _, _, _, opt_size, self.characteristics = struct.unpack_from("<HHIIIHH", data, coff)
        opt = coff + 20
        (self.magic,) = struct.unpack_from("<H", data, opt)
        (self.subsystem,) = struct.unpack_from("<H", data, opt + 68)
        directories = opt + (96 if self.magic == 0x10B else 112)
        self.rsrc_rva, self.rsrc_size = struct.unpack_from("<II", data, directories + 2 * 8)
        self.sections = []
        table = opt + opt_size
        for i in range(nsections):
            _, vsize, rva, raw_size, raw_ptr = struct.unpack_from("<8sIIII", data, table + 40 * i)
            self.sections.append((rva, max(vsize, raw_size), raw_ptr))

    def offset(self, rva):
        for start, size, raw in self.sections:
            if start <= rva < start + size:
                return raw + rva - start
        raise NotPe(f"address {rva:#x} is in no section")

    def resources(self):
        """Maps each resource type id to the set of its ids (named ones as strings)."""
        if not self.rsrc_rva:
            return {}
        base = self.offset(self.rsrc_rva)
        found = {}
        for type_id, type_dir in self.entries(base, base):
            found[type_id] = {res_id for res_id, _ in self.entries(base, type_dir)}
        return found

    def entries(self, base, directory):
        named, numbered = struct.unpack_from("<HH", self.data, directory + 12)
        for i in range(named + numbered):
            name, target = struct.unpack_from("<II", self.data, directory + 16 + 8 * i)
            key = f"name@{name & 0x7FFFFFFF:#x}" if name & 0x80000000 else name
            yield key, base + (target & 0x7FFFFFFF)


def shipped_faults(pe):
    faults = []
    if pe.machine != 0x14C:
        faults.append(f"machine {pe.machine:#x}, not i386")
    if pe.magic != 0x10B:
        faults.append(f"optional header {pe.magic:#x}, not PE32")
    if pe.subsystem != 2:
        faults.append(f"subsystem {pe.subsystem}, not the Windows GUI")
    if pe.characteristics & 0x2000:
        faults.append("a DLL, not a program")
    resources = pe.resources()
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
            pe = Pe(f.read())
        if mode == "arch":
            if pe.machine not in MACHINES:
                raise NotPe(f"machine {pe.machine:#x}")
            print(MACHINES[pe.machine])
            return
        faults = shipped_faults(pe)
    except (OSError, NotPe, struct.error) as e:
        sys.exit(f"pe-check: {path}: not a Windows program ({e})")
    if faults:
        sys.exit(f"pe-check: {path}: " + "; ".join(faults))
    print(f"pe-check: {path}: PE32 i386 GUI program with icon, name, manifest, version and 3 dialogs")


if __name__ == "__main__":
    main()
