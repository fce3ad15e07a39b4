#!/usr/bin/env python3
"""Checks an installer package as an IT department reads it, with msiinfo (msitools):
summary information in the package's code page, product and file versions, the uninstall
entry's properties, where things install, the data folder's permissions, and the ICE rules
listed in ICE_RULES (the ones these tables can be read for without Windows' validation suite).

Usage: package_check.py PACKAGE --language 2052|1033 --scope user|machine --version X.Y.Z
Prints one line per problem and exits 1 when there is any.
"""
import argparse
import re
import struct
import subprocess
import sys

CODEPAGES = {2052: (936, "gbk"), 1033: (1252, "cp1252")}
SUBJECT_WORDS = {2052: "安装程序", 1033: "Setup"}
GUID = re.compile(r"^\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\}$")
# Folders of the user's profile. With ALLUSERS=1 the Start menu and desktop are the all-users
# ones, so only the rest count as per-user there.
PROFILE_FOLDERS_ALWAYS = {"AppDataFolder", "LocalAppDataFolder", "PersonalFolder",
                          "FavoritesFolder", "NetHoodFolder", "PrintHoodFolder", "RecentFolder",
                          "SendToFolder", "TemplateFolder", "MyPicturesFolder"}
PROFILE_FOLDERS_PER_USER = {"ProgramMenuFolder", "StartMenuFolder", "StartupFolder",
                            "DesktopFolder"}
MACHINE_FOLDERS = {"ProgramFilesFolder", "ProgramFiles64Folder", "CommonFilesFolder",
                   "CommonFiles64Folder", "CommonAppDataFolder", "SystemFolder",
                   "System64Folder", "WindowsFolder"}
ICE_RULES = ("ICE08 ICE24 ICE38 ICE43 ICE57 ICE60 ICE61 ICE63 ICE64 ICE68 ICE80 ICE99 ICE105")
HKCU, HKLM = 1, 2


def table(package, name):
    """Rows of a table as dicts; [] when the package has no such table."""
    result = subprocess.run(["msiinfo", "export", package, name], capture_output=True)
    lines = result.stdout.decode("utf-8", "replace").split("\r\n")
    if result.returncode != 0 or len(lines) < 3:
        return []
    columns = lines[0].split("\t")
    return [dict(zip(columns, line.split("\t"))) for line in lines[3:] if line]


def summary(package):
    """{property id: value} of the summary information stream; strings as raw bytes."""
    data = subprocess.run(["msiinfo", "extract", package, "\x05SummaryInformation"],
                          capture_output=True, check=True).stdout
    (section,) = struct.unpack_from("<I", data, 44)
    _, count = struct.unpack_from("<II", data, section)
    values = {}
    for index in range(count):
        pid, offset = struct.unpack_from("<II", data, section + 8 + 8 * index)
        at = section + offset
        (kind,) = struct.unpack_from("<I", data, at)
        if kind == 2:  # VT_I2
            values[pid] = struct.unpack_from("<h", data, at + 4)[0]
        elif kind == 3:  # VT_I4
            values[pid] = struct.unpack_from("<i", data, at + 4)[0]
        elif kind == 30:  # VT_LPSTR
            (size,) = struct.unpack_from("<I", data, at + 4)
            values[pid] = data[at + 8:at + 8 + size].rstrip(b"\0")
    return values


class Checker:
    def __init__(self, package):
        self.package = package
        self.problems = []
        self.tables = {}

    def rows(self, name):
        if name not in self.tables:
            self.tables[name] = table(self.package, name)
        return self.tables[name]

    def expect(self, condition, problem):
        if not condition:
            self.problems.append(problem)

    def properties(self):
        return {row["Property"]: row["Value"] for row in self.rows("Property")}

    def root_folder(self, directory):
        """The standard folder a Directory row lies in (itself when it is one)."""
        parents = {row["Directory"]: row["Directory_Parent"] for row in self.rows("Directory")}
        while parents.get(directory) not in (None, "", "TARGETDIR"):
            directory = parents[directory]
        return directory


def check_summary(c, language, scope, version):
    codepage, encoding = CODEPAGES[language]
    values = summary(c.package)
    c.expect(values.get(1) == codepage, f"summary code page {values.get(1)}, not {codepage}")
    try:
        subject = values.get(3, b"").decode(encoding)
    except UnicodeDecodeError:
        subject = None
    c.expect(subject is not None and version in subject and SUBJECT_WORDS[language] in subject,
             f"summary Subject {values.get(3)!r} is not readable in code page {codepage}")
    c.expect(values.get(7) == f"x64;{language}".encode(), f"Template {values.get(7)!r}")
    c.expect(values.get(14) == 500, f"summary: needs Windows Installer {values.get(14)}")


def check_product(c, language, scope, version):
    p = c.properties()
    c.expect(p.get("ProductVersion") == version, f"ProductVersion {p.get('ProductVersion')}")
    c.expect(p.get("ProductLanguage") == str(language), f"ProductLanguage {p.get('ProductLanguage')}")
    c.expect(p.get("ALLUSERS") == ("1" if scope == "machine" else None),
             f"ALLUSERS {p.get('ALLUSERS')} in a per-{scope} package")
    for name in ("ARPHELPLINK", "ARPCONTACT", "ARPPRODUCTICON"):
        c.expect(p.get(name), f"no {name} for the uninstall entry")
    actions = {row["Action"]: row for row in c.rows("CustomAction")}
    location = actions.get("SetInstallLocation", {})
    c.expect(location.get("Type") == "51" and location.get("Source") == "ARPINSTALLLOCATION"
             and location.get("Target") == "[INSTALLDIR]", "ARPINSTALLLOCATION is not set")
    sequence = {row["Action"]: int(row["Sequence"]) for row in c.rows("InstallExecuteSequence")}
    c.expect(sequence.get("CostFinalize", 0) < sequence.get("SetInstallLocation", 0)
             < sequence.get("RegisterProduct", 0),
             "ARPINSTALLLOCATION is not set between CostFinalize and RegisterProduct")
    for row in c.rows("File"):
        c.expect(row["Version"] == f"{version}.0", f"{row['FileName']}: version '{row['Version']}'")


def check_folders(c, scope):
    directories = {row["Directory"]: row for row in c.rows("Directory")}
    registry = c.rows("Registry")
    # A 32-bit component's HKLM values land where the 64-bit program does not read them.
    for row in c.rows("Component"):
        c.expect(int(row["Attributes"]) & 256, f"{row['Component']} is not a 64-bit component")
    if scope == "user":
        c.expect(c.root_folder("INSTALLDIR") == "LocalAppDataFolder", "not in %LocalAppData%")
        return
    c.expect(directories.get("INSTALLDIR", {}).get("Directory_Parent") == "ProgramFiles64Folder",
             "not in Program Files")
    c.expect(directories.get("DATADIR", {}).get("Directory_Parent") == "CommonAppDataFolder"
             and directories["DATADIR"]["DefaultDir"] == "Pulsora Pro",
             "no data folder %ProgramData%\\Pulsora Pro")
    c.expect(any(row["Directory_"] == "DATADIR" for row in c.rows("CreateFolder")),
             "the data folder is not created")
    c.expect(any(row["Root"] == str(HKLM) and row["Key"] == "SOFTWARE\\pulsora pro\\setup"
                 and row["Name"] == "DataFolder" and row["Value"] == "[DATADIR]"
                 for row in registry), "no per-machine DataFolder value")
    locks = [row for row in c.rows("MsiLockPermissionsEx")
             if row["LockObject"] == "DATADIR" and row["Table"] == "CreateFolder"]
    c.expect(len(locks) == 1, "no permissions for the data folder")
    for row in locks:
        c.expect("(A;OICI;0x1301bf;;;BU)" in row["SDDLText"],
                 f"Users may not modify the data folder: {row['SDDLText']}")


def check_ice(c, scope):
    p = c.properties()
    per_machine = p.get("ALLUSERS") == "1"
    profile = PROFILE_FOLDERS_ALWAYS | (set() if per_machine else PROFILE_FOLDERS_PER_USER)
    components = {row["Component"]: row for row in c.rows("Component")}
    registry = {row["Registry"]: row for row in c.rows("Registry")}
    in_profile = {name for name, row in components.items()
                  if c.root_folder(row["Directory_"]) in profile}
    for row in c.rows("Shortcut"):
        if c.root_folder(row["Directory_"]) in profile:
            in_profile.add(row["Component_"])

    ids = [row["ComponentId"] for row in components.values()]
    c.expect(len(ids) == len(set(ids)), "ICE08: a component GUID is used twice")
    c.expect(all(GUID.match(i) for i in ids), "ICE08: a component GUID is not upper case")
    c.expect(GUID.match(p.get("ProductCode", "")), "ICE24: ProductCode")
    c.expect(re.fullmatch(r"\d+\.\d+\.\d+", p.get("ProductVersion", "")), "ICE24: ProductVersion")
    c.expect(p.get("ProductLanguage", "").isdigit(), "ICE24: ProductLanguage")
    for name in in_profile:  # ICE38, ICE43
        key = registry.get(components[name]["KeyPath"])
        c.expect(key is not None and key["Root"] == str(HKCU),
                 f"ICE38/ICE43: {name} is in the user's profile without an HKCU key path")
    for name, row in components.items():  # ICE57
        roots = {r["Root"] for r in registry.values() if r["Component_"] == name}
        user_data = str(HKCU) in roots or name in in_profile
        machine_data = str(HKLM) in roots or c.root_folder(row["Directory_"]) in MACHINE_FOLDERS
        c.expect(not (user_data and machine_data), f"ICE57: {name} mixes per-user and per-machine")
    for row in c.rows("File"):  # ICE60
        c.expect(not row["Version"] or row["Language"], f"ICE60: {row['File']} has no language")
    secure = set(p.get("SecureCustomProperties", "").split(";"))
    for row in c.rows("Upgrade"):  # ICE61
        prop = row["ActionProperty"]
        c.expect(prop == prop.upper() and prop in secure, f"ICE61: {prop} is not secure")
    sequence = {row["Action"]: int(row["Sequence"]) for row in c.rows("InstallExecuteSequence")}
    if "RemoveExistingProducts" in sequence:  # ICE63
        c.expect(sequence.get("InstallValidate", 0) < sequence["RemoveExistingProducts"]
                 < sequence.get("InstallInitialize", 0), "ICE63: RemoveExistingProducts")
    removed = {row["DirProperty"] for row in c.rows("RemoveFile") if not row["FileName"]}
    for name in directories_below(c, profile):  # ICE64
        c.expect(name in removed, f"ICE64: {name} is not removed on uninstall")
    for row in c.rows("CustomAction"):  # ICE68: only the property-setting kind is used
        c.expect(row["Type"] == "51", f"ICE68: custom action {row['Action']} type {row['Type']}")
    for name, row in components.items():  # ICE80
        bits64 = int(row["Attributes"]) & 256 != 0
        root = c.root_folder(row["Directory_"])
        c.expect(not (root == "ProgramFilesFolder" and bits64) and
                 not (root == "ProgramFiles64Folder" and not bits64),
                 f"ICE80: {name} 64-bit attribute and folder disagree")
    for row in c.rows("Directory"):  # ICE99
        c.expect(row["Directory"] not in ("ALLUSERS", "MSIINSTALLPERUSER", "ProductCode"),
                 f"ICE99: directory {row['Directory']} is a public property")
    if not per_machine:  # ICE105: a per-user package writes nothing of the machine's
        c.expect(all(r["Root"] != str(HKLM) for r in registry.values()), "ICE105: HKLM value")
        c.expect(all(c.root_folder(r["Directory_"]) not in MACHINE_FOLDERS
                     for r in components.values()), "ICE105: a per-machine folder")


def directories_below(c, profile):
    """The package's own folders inside the user's profile."""
    standard = {row["Directory"] for row in c.rows("Directory")
                if row["Directory_Parent"] in ("", "TARGETDIR")}
    return [row["Directory"] for row in c.rows("Directory")
            if row["Directory"] not in standard and c.root_folder(row["Directory"]) in profile]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("package")
    parser.add_argument("--language", type=int, choices=sorted(CODEPAGES), required=True)
    parser.add_argument("--scope", choices=["user", "machine"], required=True)
    parser.add_argument("--version", required=True)
    args = parser.parse_args()
    c = Checker(args.package)
    if not c.rows("Property"):
        print(f"FAIL: {args.package}: not a package msiinfo can read")
        return 1
    check_summary(c, args.language, args.scope, args.version)
    check_product(c, args.language, args.scope, args.version)
    check_folders(c, args.scope)
    check_ice(c, args.scope)
    for problem in c.problems:
        print(f"FAIL: {args.package}: {problem}")
    if not c.problems:
        print(f"PASS: {args.package} (ICE rules checked: {ICE_RULES})")
    return 1 if c.problems else 0


if __name__ == "__main__":
    sys.exit(main())
