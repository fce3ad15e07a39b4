#!/usr/bin/env bash
# Prepares a quiet Wine prefix once per build tree: no Mono/Gecko prompts, no crash dialog,
# CJK fonts for the Chinese user interface. Safe to call concurrently and repeatedly.
#
# A prefix is made in a temporary folder beside its place and moved there only when complete,
# so an interrupted run never leaves a half-made prefix behind; a prefix without the ready
# marker of this script's settings is deleted and made again. Making one has a time limit.
# With WD_WINEPREFIX_TEMPLATE set, the prefix is a copy of that one (made first when missing,
# and never run in): half a second instead of a wineboot's twenty, for tests that each want a
# prefix of their own.
# Usage: scripts/wine-prefix.sh PREFIX
# Environment: WD_WINEBOOT_TIMEOUT seconds (default 300), WD_WINEPREFIX_TEMPLATE.
set -euo pipefail
prefix=$(realpath -m "$1")
limit=${WD_WINEBOOT_TIMEOUT:-300}
# The marker names the settings version: a prefix made with other settings is made anew.
marker=.wd-ready-4
mkdir -p "$(dirname "$prefix")"

exec 9>"$prefix.lock"
flock 9
[[ -f $prefix/$marker ]] && exit 0

fail() { echo "wine-prefix.sh: $*" >&2; exit 1; }
command -v wine >/dev/null && command -v wineserver >/dev/null ||
  fail "wine or wineserver is not installed (scripts/deps.sh win)"

if [[ -e $prefix ]]; then
  echo "wine-prefix.sh: $prefix is incomplete or out of date; making it again" >&2
  WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
  rm -rf --one-file-system "$prefix"
fi

staging=$(mktemp -d "$prefix.making.XXXXXX")
template=${WD_WINEPREFIX_TEMPLATE:+$(realpath -m "$WD_WINEPREFIX_TEMPLATE")}
if [[ -n $template && $template != "$prefix" ]]; then
  WD_WINEPREFIX_TEMPLATE="" "$0" "$template" || { rm -rf --one-file-system "$staging"; exit 1; }
  cp -a "$template/." "$staging/" ||
    { rm -rf --one-file-system "$staging"; fail "copying $template failed"; }
  mv -T "$staging" "$prefix"
  exit 0
fi
log=$staging.log
export WINEPREFIX=$staging WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
abandon() {
  wineserver -k >/dev/null 2>&1 || true
  rm -rf --one-file-system "$staging"
}
trap abandon EXIT

# Every step shares the one time limit; a wineboot that spins is killed with its server.
deadline=$((SECONDS + limit))
within_limit() {  # COMMAND...
  local left=$((deadline - SECONDS))
  ((left > 0)) || return 124
  timeout --kill-after=10 "$left" "$@"
}
step() {  # WHAT COMMAND...
  local what=$1; shift
  within_limit "$@" >>"$log" 2>&1 || {
    local status=$?
    ((status == 124 || status == 137)) &&
      fail "making the Wine prefix took over $limit s ($what); see $log"
    fail "making the Wine prefix failed ($what, exit $status); see $log"
  }
}
step "wineboot --init" wineboot --init
step "wineserver -w" wineserver -w
[[ -d $staging/drive_c/windows/system32 && -e $staging/dosdevices/c: ]] ||
  fail "wineboot made no complete prefix; see $log"

reg() { step "reg add $2 $4" wine reg add "$@" /f; }
reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
# Micro Hei: outlines at every size (Zen Hei's small-size bitmaps read badly). Its "℃" is an
# empty outline, so the units labels show a gap there under Wine; Windows' own fonts draw it.
for face in "宋体" "SimSun" "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma" "Arial" "System"; do
  reg 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ /d "WenQuanYi Micro Hei"
done
# Without a window manager (Xvfb) Wine waits about 2 s whenever a managed top-level window goes
# away; unmanaged windows close at once and look the same.
reg 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N
# Keep Wine from opening windows of its own (desktop integration, menu builder).
reg 'HKCU\Software\Wine\DllOverrides' /v winemenubuilder.exe /t REG_SZ /d ""
step "wineserver -w" wineserver -w

touch "$staging/$marker"
mv -T "$staging" "$prefix"
trap - EXIT
rm -f "$log"
