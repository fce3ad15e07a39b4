#!/usr/bin/env bash
# Runs a Windows test under Wine while the native monitor-sim serves COM7 of the prefix.
# Usage: run_with_sim.sh MONITOR_SIM PREFIX PROGRAM [ARGS...]
# The simulator's data options here are the ones the test expects (SimulatedData in the test).
set -uo pipefail
sim=$1 prefix=$2; shift 2
root=$(dirname "$(dirname "$(dirname "$(realpath "$0")")")")
if [[ ! -x $sim ]]; then
  echo "FAIL: no native monitor-sim at $sim (scripts/build.sh win builds it)"
  exit 1
fi
"$root/scripts/wine-prefix.sh" "$prefix"
mkdir -p "$prefix/dosdevices"
link="$prefix/dosdevices/com7"
log=$(mktemp)
"$sim" --link "$link" --patients 2 --minutes 300 --ward-round 30 --seed 5 >/dev/null 2>"$log" &
pid=$!
cleanup() {
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  rm -f "$log"
}
trap cleanup EXIT
for _ in $(seq 100); do [[ -L $link ]] && break; sleep 0.05; done
if [[ ! -L $link ]]; then
  echo "monitor-sim did not start:"; cat "$log"
  exit 1
fi
"$root/scripts/wine-run.sh" "$prefix" "$@"
