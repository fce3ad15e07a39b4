#!/usr/bin/env bash
# Runs a Windows program under Wine on its own: in a throw-away copy of the prefix TEMPLATE
# (its own Wine server, registry, COM ports and temporary folder) and on an Xvfb display of its
# own, so UI tests that move the pointer, take the focus or own COM7 can run side by side.
# Usage: scripts/wine-isolated.sh TEMPLATE PROGRAM [ARGS...]
set -uo pipefail
here=$(dirname "$(realpath "$0")")
template=$1; shift
sandbox=$(mktemp -d /tmp/wd-isolated.XXXXXX)
export WINEPREFIX=$sandbox/prefix WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=${WINEDEBUG:--all}
xvfb=""
finish() {
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
  [[ -n $xvfb ]] && kill "$xvfb" 2>/dev/null
  rm -rf --one-file-system "$sandbox"
  return 0
}
trap finish EXIT

WD_WINEPREFIX_TEMPLATE=$template "$here/wine-prefix.sh" "$WINEPREFIX" || exit 1
# Xvfb picks a free display itself and writes its number to the file.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$sandbox/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 200); do [[ -s $sandbox/display ]] && break; sleep 0.05; done
[[ -s $sandbox/display ]] || { echo "wine-isolated.sh: Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(tr -d '[:space:]' <"$sandbox/display")
wine "$@"
