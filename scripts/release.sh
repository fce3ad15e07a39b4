#!/usr/bin/env bash
# Writes the release folder out/release: Setup.exe, 2052/Setup.msi (Chinese), 1033/Setup.msi
# (English) and README.txt, built from the Windows build tree (built first when needed).
# Usage: scripts/release.sh
set -euo pipefail
root=$(dirname "$(dirname "$(realpath "$0")")")
cd "$root"

scripts/deps.sh win release
scripts/build.sh win
cmake build/win >/dev/null  # finds wixl when it came after the tree was configured
if ! cmake --build build/win -j "${WD_JOBS:-$(nproc)}" --target setup_release; then
  echo "release.sh: no installer packages: the window program (target wardDesk) and" \
       "rc_en.dll must be in the Windows build" >&2
  exit 1
fi

built=build/win/release
out=out/release
rm -rf "$out"
mkdir -p "$out/2052" "$out/1033"
cp "$built/Setup.exe" "$built/README.txt" "$out/"
cp "$built/2052/Setup.msi" "$out/2052/"
cp "$built/1033/Setup.msi" "$out/1033/"
echo "Release folder: $root/$out"
(cd "$out" && find . -type f -printf '  %P  %s bytes\n' | sort)
