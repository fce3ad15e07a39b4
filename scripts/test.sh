#!/usr/bin/env bash
# Builds every tree and runs every test: native (plain, ASan+UBSan, TSan) and Windows under
# Wine, the window program's UI tests included (on Xvfb when there is no display).
# Usage: scripts/test.sh [tree...]   (trees as in build.sh; default all)
set -uo pipefail
root=$(dirname "$(dirname "$(realpath "$0")")")
cd "$root"
trees=("$@")
[[ ${#trees[@]} -gt 0 ]] || trees=(native asan tsan win)

scripts/build.sh "${trees[@]}" || { echo "build failed"; echo "0 passed, 1 failed"; exit 1; }

xvfb_pid=""
cleanup() {
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null
  [[ -d build/win/wineprefix ]] && WINEPREFIX=$root/build/win/wineprefix wineserver -k 2>/dev/null
  return 0
}
trap cleanup EXIT

if [[ " ${trees[*]} " == *" win "* ]]; then
  scripts/wine-prefix.sh build/win/wineprefix
  if [[ -z ${DISPLAY:-} ]]; then
    source scripts/xvfb.sh && xvfb_pid=$WD_XVFB_PID
  fi
fi

passed=0; failed=0
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1"
export ASAN_OPTIONS="detect_leaks=1"
export UBSAN_OPTIONS="print_stacktrace=1"
for tree in "${trees[@]}"; do
  dir=build/$tree; [[ $tree == native ]] || [[ $tree == win ]] || dir=build/native-$tree
  echo "== testing $dir"
  log=$(mktemp)
  ctest --test-dir "$dir" --output-on-failure -j "${WD_JOBS:-2}" --timeout 600 2>&1 | tee "$log"
  line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
  if [[ $line =~ ([0-9]+)\ tests\ failed\ out\ of\ ([0-9]+) ]]; then
    failed=$((failed + BASH_REMATCH[1])); passed=$((passed + BASH_REMATCH[2] - BASH_REMATCH[1]))
  else
    echo "ctest in $dir did not finish"; failed=$((failed + 1))
  fi
  rm -f "$log"
done
echo
echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
