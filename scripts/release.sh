#!/usr/bin/env bash
# Writes the release folder out/release: Setup.exe, README.txt and per language folder (2052
# Chinese, 1033 English) Setup.msi (per user) and Setup-machine.msi (per machine), built from
# the Windows build tree (built first when needed). Signed with Authenticode when a certificate
# is given: WD_SIGN_CERT and WD_SIGN_KEY, or WD_SIGN_PKCS12 and WD_SIGN_PASSWORD
# (WD_SIGN_TIMESTAMP: a time-stamping server); otherwise it says plainly that it is unsigned.
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

out=out/release
setup/release/make_release.sh build/win "$out"
echo "Release folder: $root/$out"
(cd "$out" && find . -type f -printf '  %P  %s bytes\n' | sort)
