#!/usr/bin/env bash
# Runs wardDesk (Pulsora Pro) under Wine with the built-in monitor simulator as its device:
# monitor-sim serves a demo data set (4 patients, two days of minutes, ward rounds) on a pty
# that the Wine prefix sees as COM7, announced as \Device\VCP0 in the serial-device table.
#
# With a display, the program opens on it; close it to end. Without one, it runs on Xvfb,
# saves a screenshot of the home view, starts a download from the ribbon, saves ones of the
# data overview, of the first patient's minute list and of their trend charts, and prints where
# the pictures are.
set -euo pipefail
root=$(dirname "$(dirname "$(realpath "$0")")")
cd "$root"
scripts/deps.sh native win run
scripts/build.sh native win >&2

prefix=$root/build/win/runprefix
screens=$root/build/win/screens/run
mkdir -p "$screens"
scripts/wine-prefix.sh "$prefix"
export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

headless=0
if [[ -z ${DISPLAY:-} ]]; then
  headless=1
  source scripts/xvfb.sh
fi
# A window manager (a real display) decorates and places managed windows; Xvfb has none.
managed=$([[ $headless == 1 ]] && echo N || echo Y)

sim_pid="" xvfb=${WD_XVFB_PID:-}
# Under `set -e` a failing last command of an && list ends the trap, and with it the script,
# with its status: a helper that has already gone must not turn a good run into a failure.
cleanup() {
  if [[ -n $sim_pid ]]; then kill "$sim_pid" 2>/dev/null || true; fi
  wineserver -k >/dev/null 2>&1 || true
  if [[ -n $xvfb ]]; then kill "$xvfb" 2>/dev/null || true; fi
  return 0
}
trap cleanup EXIT

# The serial-device table is volatile: keep one wineserver alive from here to the end.
wineserver -p >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d "$managed" /f >/dev/null 2>&1
mkdir -p "$prefix/dosdevices"
build/native/tools/monitor-sim/monitor-sim --link "$prefix/dosdevices/com7" \
  --patients 4 --minutes 2880 --ward-round 60 --seed 2024 >/dev/null &
sim_pid=$!
for _ in $(seq 100); do [[ -L $prefix/dosdevices/com7 ]] && break; sleep 0.05; done
wine reg add 'HKLM\HARDWARE\DEVICEMAP\SERIALCOMM' /v '\Device\VCP0' /t REG_SZ /d COM7 /f >/dev/null 2>&1

program=build/win/bin/wardDesk.exe
if [[ $headless == 0 ]]; then
  echo "wardDesk runs on $DISPLAY with a simulated PM7700Q on COM7; close its window to end." >&2
  wine "$program"
  exit 0
fi

wine "$program" >/dev/null 2>&1 &
for _ in $(seq 150); do
  xwininfo -root -tree 2>/dev/null | grep -q '"Pulsora Pro"' && break
  sleep 0.1
done
sleep 3  # the first paint, and the presence poll finding COM7
import -window root "$screens/home.png"
# The ribbon's "开始通讯": monitoring and ward-round data of every patient.
xdotool mousemove 605 80 click 1
sleep 8
import -window root "$screens/overview.png"
# The first patient's minute list, then the trend charts from the ribbon.
xdotool mousemove 120 228 click 1
sleep 2
import -window root "$screens/monitoring_list.png"
xdotool mousemove 295 80 click 1
xdotool mousemove 1200 700   # off the ribbon, so no tooltip covers it
sleep 3
import -window root "$screens/trend.png"
xdotool mousemove 1258 15 click 1   # the close box
sleep 1
echo "Screenshots in $screens: home.png (home view), overview.png (data overview after a" \
     "download), monitoring_list.png (a patient's minutes), trend.png (their trend charts)"
