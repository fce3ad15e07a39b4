#!/usr/bin/env bash
# Configures and builds the build trees.
# Usage: scripts/build.sh [native] [asan] [tsan] [win]   (no argument: all four)
set -euo pipefail
root=$(dirname "$(dirname "$(realpath "$0")")")
cd "$root"
trees=("$@")
[[ ${#trees[@]} -gt 0 ]] || trees=(native asan tsan win)

jobs=${WD_JOBS:-$(nproc)}
configure() {  # dir, extra cmake args...
  local dir=$1; shift
  if [[ ! -f "$dir/build.ninja" ]]; then
    cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  fi
}
for tree in "${trees[@]}"; do
  case $tree in
    native) scripts/deps.sh native; configure build/native ;;
    asan)   scripts/deps.sh native; configure build/native-asan -DWD_SANITIZE=address -DCMAKE_BUILD_TYPE=Debug ;;
    tsan)   scripts/deps.sh native; configure build/native-tsan -DWD_SANITIZE=thread -DCMAKE_BUILD_TYPE=Debug ;;
    win)    scripts/deps.sh win print
            configure build/win -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" ;;
    *) echo "build.sh: unknown tree '$tree'" >&2; exit 2 ;;
  esac
  dir=build/$tree; [[ $tree == native ]] || [[ $tree == win ]] || dir=build/native-$tree
  echo "== building $dir" >&2
  cmake --build "$dir" -j "$jobs"
  if [[ $tree == win ]]; then
    # The Windows serial and UI tests talk to the native monitor simulator and wardcli.
    configure build/native
    cmake --build build/native -j "$jobs" --target monitor-sim wardcli
  fi
done
