#!/usr/bin/env bash
# Prepares a quiet Wine prefix once per build tree: no Mono/Gecko prompts, no crash dialog,
# CJK fonts for the Chinese user interface. Safe to call concurrently and repeatedly.
# Usage: scripts/wine-prefix.sh PREFIX
set -euo pipefail
prefix=$(realpath -m "$1")
mkdir -p "$prefix"
export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

exec 9>"$prefix.lock"
flock 9
# The marker names the settings version: a prefix made by an older version is brought up to date.
ready=$prefix/.wd-ready-3
[[ -f "$ready" ]] && exit 0

wineboot --init >/dev/null 2>&1 || true
wineserver -w
reg() { wine reg "$@" >/dev/null 2>&1; }
reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
# Micro Hei: outlines at every size (Zen Hei's small-size bitmaps read badly). Its "℃" is an
# empty outline, so the units labels show a gap there under Wine; Windows' own fonts draw it.
for face in "宋体" "SimSun" "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma" "Arial" "System"; do
  reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ /d "WenQuanYi Micro Hei" /f
done
# Without a window manager (Xvfb) Wine waits about 2 s whenever a managed top-level window goes
# away; unmanaged windows close at once and look the same.
reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f
# Keep Wine from opening windows of its own (desktop integration, menu builder).
reg add 'HKCU\Software\Wine\DllOverrides' /v winemenubuilder.exe /t REG_SZ /d "" /f
wineserver -w
touch "$ready"
