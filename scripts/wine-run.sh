#!/usr/bin/env bash
# Runs a Windows program under Wine in the given build tree's prefix (ctest's emulator).
# Usage: scripts/wine-run.sh PREFIX PROGRAM [ARGS...]
set -euo pipefail
here=$(dirname "$(realpath "$0")")
prefix=$1; shift
"$here/wine-prefix.sh" "$prefix"  # quick once the prefix is ready
export WINEPREFIX=$(realpath "$prefix") WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=${WINEDEBUG:--all}
exec wine "$@"
