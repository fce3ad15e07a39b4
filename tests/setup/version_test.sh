#!/usr/bin/env bash
# Builds the version-bearing targets (resources, rc_en.dll, Setup.exe, two packages) in a tree
# of their own with another version number, and checks that the number reached every place.
# Usage: version_test.sh SOURCE_DIR TREE TOOLCHAIN_FILE
set -uo pipefail
source_dir=$1 tree=$2 toolchain=$3
version=2.3.45
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake -S "$source_dir" -B "$tree" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DWD_VERSION_ONLY=ON -DWD_VERSION_OVERRIDE=$version >"$tree.log" 2>&1 ||
  fail "configuring failed: $(tail -5 "$tree.log")"
cmake --build "$tree" -j 2 --target rc_en Setup setup_package_2052_machine \
  setup_package_1033_user >>"$tree.log" 2>&1 || fail "building failed: $(tail -20 "$tree.log")"
python3 "$(dirname "$(realpath "$0")")/version_check.py" "$tree" $version || exit 1

# A number a package cannot carry stops the configuration.
cmake -S "$source_dir" -B "$tree.bad" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DWD_VERSION_ONLY=ON -DWD_VERSION_OVERRIDE=2.256.0 >/dev/null 2>&1 &&
  fail "version 2.256.0 was accepted"
rm -rf "$tree.bad"
echo "PASS"
