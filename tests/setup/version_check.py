#!/usr/bin/env python3
"""Checks that one version number reached every place that shows it, in a built tree:
the version resources of wardDesk.exe, rc_en.dll and Setup.exe (fixed and text parts), the
About boxes of both languages and of the launcher, and the packages (ProductVersion, summary,
file versions, through package_check.py).

Usage: version_check.py TREE VERSION
"""
import subprocess
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "setup" / "msi"))
from finish_package import file_version  # noqa: E402


def text_value(data, key):
    """A text value of the version resource ("ProductVersion" ...), or None."""
    pattern = (key + "\0").encode("utf-16-le")
    at = data.find(pattern)
    if at < 0:
        return None
    # The value starts at the next 4-byte boundary from the String entry, which begins 6 bytes
    # before its key.
    start = at - 6
    value = at + len(pattern)
    value += (4 - (value - start) % 4) % 4
    end = value
    while data[end:end + 2] != b"\0\0":
        end += 2
    return data[value:end].decode("utf-16-le")


def main():
    tree, version = Path(sys.argv[1]), sys.argv[2]
    major, minor, _ = version.split(".")
    problems = []
    shown = {
        "bin/wardDesk.exe": f"版本 {version}",
        "bin/rc_en.dll": f"Version {version}",
        "bin/Setup.exe": f"Setup {major}.{minor} 版",
    }
    for name, about in shown.items():
        data = (tree / name).read_bytes()
        fixed, _ = file_version(tree / name)
        if fixed != f"{version}.0":
            problems.append(f"{name}: fixed version {fixed}")
        for key in ("FileVersion", "ProductVersion"):
            if text_value(data, key) != version:
                problems.append(f"{name}: {key} {text_value(data, key)!r}")
        if about.encode("utf-16-le") not in data:
            problems.append(f"{name}: no About text {about!r}")
    check = Path(__file__).resolve().parent / "package_check.py"
    for package, scope in (("2052/Setup-machine.msi", "machine"), ("1033/Setup.msi", "user")):
        result = subprocess.run([sys.executable, str(check), str(tree / "release" / package),
                                 "--language", package[:4], "--scope", scope,
                                 "--version", version], capture_output=True, text=True)
        if result.returncode != 0:
            problems.append(result.stdout.strip())
    for problem in problems:
        print(f"FAIL: {problem}")
    if not problems:
        print(f"PASS: {version} in every version resource, About box and package")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
