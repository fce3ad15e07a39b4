#!/usr/bin/env python3
"""Completes a package that wixl built, with what wixl cannot write (msibuild, msitools):

- the summary information's Subject in the package's own code page (wixl stores UTF-8 whatever
  the code page says) and the Template "x64;LANGUAGE" (wixl always writes x64;1033);
- each file's version and language, read from its version resource (wixl leaves them empty, so
  Windows would treat the programs as unversioned files), and no file hash for a versioned file;
- per user: the "Programs" folder in the RemoveFile table (wixl's RemoveFolder has no Directory);
- per machine: the data folder's permissions, Users may modify (wixl has no PermissionEx).

Usage: finish_package.py PACKAGE --language 2052|1033 --scope user|machine --version X.Y.Z
                         --files DIR   (the folder wixl packaged the files from)
"""
import argparse
import struct
import subprocess
import sys
from pathlib import Path

CODEPAGES = {2052: "gbk", 1033: "cp1252"}
SUBJECTS = {
    (2052, "user"): "Pulsora Pro {} 安装程序 (中文, 当前用户)",
    (2052, "machine"): "Pulsora Pro {} 安装程序 (中文, 所有用户)",
    (1033, "user"): "Pulsora Pro {} Setup (English, current user)",
    (1033, "machine"): "Pulsora Pro {} Setup (English, all users)",
}
# File table key -> file name, as the package sources name them.
FILES = {"ProgramExe": "wardDesk.exe", "EnglishResources": "rc_en.dll"}
# Full control for SYSTEM and Administrators, modify for Users, inherited by every file made in
# the folder later. SIDs, not names: group names differ between Windows languages.
DATA_FOLDER_SDDL = "D:(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1301bf;;;BU)"


def file_version(path):
    """(version "a.b.c.d", language id) from a PE file's version resource."""
    data = Path(path).read_bytes()
    signature = data.find(struct.pack("<I", 0xFEEF04BD))
    if signature < 0:
        raise ValueError(f"{path}: no version resource")
    ms, ls = struct.unpack_from("<II", data, signature + 8)
    version = f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"
    # VS_VERSIONINFO starts 40 bytes before its fixed part; its values are 4-byte aligned from there.
    start = signature - 40
    key = "Translation\0".encode("utf-16-le")
    at = data.find(key, signature)
    if at < 0:
        raise ValueError(f"{path}: no Translation in the version resource")
    value = at + len(key)
    value += (4 - (value - start) % 4) % 4
    (language,) = struct.unpack_from("<H", data, value)
    return version, language


def msibuild(package, *args):
    subprocess.run(["msibuild", str(package), *args], check=True)


def quoted(text):
    if "'" in text:
        raise ValueError(f"no quotes in table values: {text}")
    return f"'{text}'"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("package")
    parser.add_argument("--language", type=int, choices=sorted(CODEPAGES), required=True)
    parser.add_argument("--scope", choices=["user", "machine"], required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--files", required=True)
    args = parser.parse_args()
    package = Path(args.package)

    queries = []
    for key, name in FILES.items():
        version, language = file_version(Path(args.files) / name)
        queries.append(f"UPDATE `File` SET `Version` = {quoted(version)}, "
                       f"`Language` = {quoted(str(language))} WHERE `File` = {quoted(key)}")
        # Windows compares versioned files by version; a hash is only for unversioned ones.
        queries.append(f"DELETE FROM `MsiFileHash` WHERE `File_` = {quoted(key)}")
    if args.scope == "user":
        queries.append("INSERT INTO `RemoveFile` (`FileKey`, `Component_`, `DirProperty`, "
                       "`InstallMode`) VALUES ('RemoveProgramsFolder', 'Program', "
                       "'UserProgramsFolder', 2)")
    else:
        queries.append("CREATE TABLE `MsiLockPermissionsEx` (`MsiLockPermissionsEx` CHAR(72) "
                       "NOT NULL, `LockObject` CHAR(72) NOT NULL, `Table` CHAR(32) NOT NULL, "
                       "`SDDLText` LONGCHAR NOT NULL, `Condition` CHAR(255) "
                       "PRIMARY KEY `MsiLockPermissionsEx`)")
        queries.append("INSERT INTO `MsiLockPermissionsEx` (`MsiLockPermissionsEx`, `LockObject`, "
                       "`Table`, `SDDLText`) VALUES ('DataFolderUsersModify', 'DATADIR', "
                       f"'CreateFolder', {quoted(DATA_FOLDER_SDDL)})")
    msibuild(package, *[arg for query in queries for arg in ("-q", query)])

    # msibuild stores the summary's strings as the bytes it is given: give them in the package's
    # code page, which wixl set from the Product's Codepage.
    subject = SUBJECTS[(args.language, args.scope)].format(args.version)
    encoded = subject.encode(CODEPAGES[args.language])
    subprocess.run([b"msibuild", bytes(package), b"-s", encoded, b"Pulsora Medical",
                    f"x64;{args.language}".encode()], check=True)
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except (ValueError, OSError, subprocess.CalledProcessError) as error:
        sys.exit(f"finish_package.py: {error}")
