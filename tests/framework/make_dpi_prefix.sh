#!/usr/bin/env bash
# Prepares a second Wine prefix whose screen has another DPI, for the high-DPI tests.
# Usage: tests/framework/make_dpi_prefix.sh PREFIX DPI
set -euo pipefail
root=$(dirname "$(dirname "$(dirname "$(realpath "$0")")")")
prefix=$(realpath -m "$1")
dpi=$2
"$root/scripts/wine-prefix.sh" "$prefix"
exec 9>"$prefix.dpi.lock"
flock 9
[[ -f "$prefix/.wd-dpi-$dpi" ]] && exit 0
export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wineserver -w
touch "$prefix/.wd-dpi-$dpi"
