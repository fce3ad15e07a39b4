#!/usr/bin/env bash
# Builds every tree and runs every test: native (plain, ASan+UBSan, TSan) and Windows under
# Wine, the window program's UI tests included (on Xvfb when there is no display).
#
# A run is green only when every test of every tree asked for passed: a failed or skipped test,
# a tree that ran no test, and a test missing from (or not yet in) the tree's committed list
# tests/expected/TREE.txt all fail it, each named.
# Usage: scripts/test.sh [tree...]   (trees as in build.sh; default all)
#        scripts/test.sh --list TREE  prints the tests the configured tree has (for the list)
set -uo pipefail
root=$(dirname "$(dirname "$(realpath "$0")")")
cd "$root"

tree_dir() { case $1 in native | win) echo "build/$1" ;; *) echo "build/native-$1" ;; esac; }
# The tests a configured tree defines, one name a line, sorted.
tree_tests() {
  ctest --test-dir "$(tree_dir "$1")" -N 2>/dev/null |
    sed -nE 's/^ *Test +#[0-9]+: (.*)$/\1/p' | LC_ALL=C sort
}
if [[ ${1:-} == --list ]]; then
  tree_tests "$2"
  exit 0
fi

trees=("$@")
[[ ${#trees[@]} -gt 0 ]] || trees=(native asan tsan win)

scripts/build.sh "${trees[@]}" || { echo "build failed"; echo "0 passed, 1 failed, 0 skipped"; exit 1; }

xvfb_pid=""
cleanup() {
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null
  [[ -d build/win/wineprefix ]] && WINEPREFIX=$root/build/win/wineprefix wineserver -k 2>/dev/null
  return 0
}
trap cleanup EXIT

if [[ " ${trees[*]} " == *" win "* ]]; then
  # Every prefix of the tests is a copy of one made once (tests/ui, tests/setup).
  export WD_WINEPREFIX_TEMPLATE=$root/build/win/wineprefix-template
  scripts/wine-prefix.sh build/win/wineprefix || { echo "no Wine prefix"; exit 1; }
  if [[ -z ${DISPLAY:-} ]]; then
    source scripts/xvfb.sh && xvfb_pid=$WD_XVFB_PID
  fi
fi

export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1"
export ASAN_OPTIONS="detect_leaks=1"
export UBSAN_OPTIONS="print_stacktrace=1"
total_passed=0 total_failed=0 total_skipped=0
problems=()

# The house style (.clang-format): every C++ file as clang-format leaves it.
if [[ " ${trees[*]} " == *" native "* ]]; then
  while read -r file; do
    [[ -n $file ]] && problems+=("style: $file is not as clang-format leaves it (clang-format -i $file)")
  done < <(git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run 2>&1 |
           sed -nE 's/^(.+):[0-9]+:[0-9]+: (warning|error): code should be clang-formatted.*/\1/p' | sort -u)
fi
for tree in "${trees[@]}"; do
  dir=$(tree_dir "$tree")
  echo "== testing $dir"

  # The tree must define exactly the tests of its committed list.
  expected=tests/expected/$tree.txt
  defined=$(tree_tests "$tree")
  if [[ ! -f $expected ]]; then
    problems+=("$tree: no list of expected tests ($expected)")
  else
    while read -r name; do
      [[ -n $name ]] && problems+=("$tree: expected test '$name' is not defined")
    done < <(comm -23 <(grep -v '^#' "$expected" | LC_ALL=C sort) <(echo "$defined"))
    while read -r name; do
      [[ -n $name ]] && problems+=("$tree: test '$name' is not in $expected")
    done < <(comm -13 <(grep -v '^#' "$expected" | LC_ALL=C sort) <(echo "$defined"))
  fi

  log=$(mktemp)
  ctest --test-dir "$dir" --output-on-failure -j "${WD_JOBS:-2}" --timeout 600 2>&1 | tee "$log"
  passed=0 failed=0 skipped=0
  # One line per finished test: "n/N Test  #k: NAME ....   Passed   0.01 sec", or ***Failed,
  # ***Skipped, ***Timeout, ***Exception, ***Not Run ...
  while read -r name status; do
    case $status in
      Passed) passed=$((passed + 1)) ;;
      Skipped) skipped=$((skipped + 1)); problems+=("$tree: test '$name' was skipped") ;;
      *) failed=$((failed + 1)); problems+=("$tree: test '$name' failed ($status)") ;;
    esac
  done < <(sed -nE 's/^ *[0-9]+\/[0-9]+ Test +#[0-9]+: ([^ ]+) \.*[ *]*([A-Za-z]+( Run)?).*/\1 \2/p' "$log")
  if ((passed + failed + skipped == 0)); then
    why=$(grep -m1 -iE 'no tests were found|not a ctest|could not|error' "$log" || true)
    problems+=("$tree: ran no test (${why:-ctest printed no result})")
    failed=$((failed + 1))
  fi
  rm -f "$log"
  echo "-- $dir: $passed passed, $failed failed, $skipped skipped"
  total_passed=$((total_passed + passed)) total_failed=$((total_failed + failed))
  total_skipped=$((total_skipped + skipped))
done

echo
for problem in "${problems[@]}"; do echo "FAIL: $problem"; done
echo "$total_passed passed, $total_failed failed, $total_skipped skipped"
[[ ${#problems[@]} -eq 0 && $total_failed -eq 0 ]]
