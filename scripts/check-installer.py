#!/usr/bin/python3
"""Checks the Windows installer's tables with msiinfo, without installing
it: what goes where, the upgrade rows, the entry in Programs and Features
and the screen-saver option, down to what Wine does not show.

    check-installer.py MSI VERSION

Prints one line per fault and exits 1 if there was any."""
import importlib.util
import os
import subprocess
import sys
import tempfile

_spec = importlib.util.spec_from_file_location("make_installer", os.path.join(os.path.dirname(__file__), "make-installer.py"))
make_installer = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(make_installer)

UPGRADE_CODE = "{7C2E9A41-5B3D-4F68-9E1A-2D8C6B4F0A35}"
SAVER_CONDITION = make_installer.COMPONENT_CONDITIONS["ScreenSaverChoice"]


def expected_rows(version):
    """Rows each table must hold, tab-separated as msiinfo exports them."""
    return {
        # Component: directory, attributes (256: 64-bit, 4: registry key
        # path), condition; the saver choice has no code, so is never removed.
        "Component": {
            "Saver64\t{3A6F1C2D-8E4B-4B7A-9C5D-1E2F3A4B5C61}\tSystem64Folder\t256\t\tSaver64",
            "Saver32\t{3A6F1C2D-8E4B-4B7A-9C5D-1E2F3A4B5C62}\tSystemFolder\t0\t\tSaver32",
            "Guide\t{3A6F1C2D-8E4B-4B7A-9C5D-1E2F3A4B5C63}\tINSTALLFOLDER\t256\t\tGuide",
        },
        "Directory": {"System64Folder\tTARGETDIR\t.", "SystemFolder\tTARGETDIR\t.",
                      "ProgramFiles64Folder\tTARGETDIR\t.", "INSTALLFOLDER\tProgramFiles64Folder\tTessel"},
        "File": {f"Saver64\tSaver64\tTessel.scr\t{{size}}\t{version}\t\t512\t1",
                 f"Saver32\tSaver32\tTessel.scr\t{{size}}\t{version}\t\t512\t2"},
        # Older versions are removed; a newer one is only detected, and stops
        # the install.
        "Upgrade": {f"{UPGRADE_CODE}\t\t{version}\t\t1\t\tWIX_UPGRADE_DETECTED",
                    f"{UPGRADE_CODE}\t{version}\t\t\t2\t\tWIX_DOWNGRADE_DETECTED"},
        "LaunchCondition": {"NOT WIX_DOWNGRADE_DETECTED\tA newer version of Tessel is already installed. "
                            "Uninstall it first to install this one."},
        "Property": {f"ProductVersion\t{version}", f"UpgradeCode\t{UPGRADE_CODE}",
                     f"ProductCode\t{make_installer.product_code(version)}", "ALLUSERS\t1", "SETASSAVER\t1",
                     "ARPPRODUCTICON\tTessel.ico", "Manufacturer\tTessel developers",
                     "SecureCustomProperties\tWIX_DOWNGRADE_DETECTED;WIX_UPGRADE_DETECTED;SETASSAVER"},
        "Icon": {"Tessel.ico\tIcon.Tessel.ico"},
        # Root 1 is the installing user's HKEY_CURRENT_USER; both values are
        # strings.
        "Registry": {"{id}\t1\tControl Panel\\Desktop\tSCRNSAVE.EXE\t[System64Folder]Tessel.scr\tScreenSaverChoice",
                     "{id}\t1\tControl Panel\\Desktop\tScreenSaveActive\t1\tScreenSaverChoice"},
        "RegLocator": {"CurrentScreenSaver\t1\tControl Panel\\Desktop\tSCRNSAVE.EXE\t2"},
        # 1138: deferred, as the user, its failure ignored.
        "CustomAction": {'ClearScreenSaver\t1138\tREGEXE\tdelete "HKCU\\Control Panel\\Desktop" /v SCRNSAVE.EXE /f\t',
                         "SetRegExe\t51\tREGEXE\t[System64Folder]reg.exe\t"},
    }


def export(msi, table):
    # msiinfo writes a table's binary fields as files under the current
    # folder: a scratch one, not the caller's.
    with tempfile.TemporaryDirectory() as scratch:
        out = subprocess.run(["msiinfo", "export", os.path.abspath(msi), table], cwd=scratch,
                             capture_output=True, text=True, check=True).stdout
    return [line.rstrip("\r") for line in out.split("\n")[3:] if line.strip()]


def wildcard_match(expected, row):
    """{size} and {id} stand for any value of that field."""
    want, got = expected.split("\t"), row.split("\t")
    return len(want) == len(got) and all(w in ("{size}", "{id}") or w == g for w, g in zip(want, got))


def check(msi, version):
    faults = []
    for table, rows in expected_rows(version).items():
        present = export(msi, table)
        for expected in sorted(rows):
            if not any(wildcard_match(expected, row) for row in present):
                faults.append(f"{table}: no row {expected!r}")
    components = [row.split("\t") for row in export(msi, "Component")]
    choice = [row[1:5] for row in components if row[0] == "ScreenSaverChoice"]
    if choice != [["", "TARGETDIR", "260", SAVER_CONDITION]]:
        faults.append(f"Component: the saver choice is {choice}, not code-less under '{SAVER_CONDITION}'")
    if len(components) != 4:
        faults.append(f"Component: {len(components)} components, not 4")
    sequence = {row.split("\t")[0]: row.split("\t") for row in export(msi, "InstallExecuteSequence")}
    # (name, what goes wrong when the actions are out of this order)
    for names, fault in ((("InstallValidate", "RemoveExistingProducts", "InstallInitialize"),
                          "older versions are not removed before the install starts"),
                         (("InstallInitialize", "ClearScreenSaver", "InstallFinalize"),
                          "the deferred action is outside the install script")):
        order = [int(sequence[name][2]) for name in names]
        if order != sorted(order):
            faults.append(f"InstallExecuteSequence: {fault}")
    if "NOT UPGRADINGPRODUCTCODE" not in sequence["ClearScreenSaver"][1]:
        faults.append("InstallExecuteSequence: an upgrade would clear the user's screen saver")
    summary = subprocess.run(["msiinfo", "suminfo", msi], capture_output=True, text=True, check=True).stdout
    if "Template: x64;1033" not in summary:
        faults.append("summary: not an x64 package")
    return faults


def main():
    msi, version = sys.argv[1:3]
    faults = check(msi, version)
    for text in faults:
        print(f"check-installer: {text}")
    print(f"check-installer: {msi}: {'FAILED' if faults else 'ok'}")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
