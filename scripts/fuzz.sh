#!/usr/bin/env bash
# Builds the fuzz targets with clang, libFuzzer, ASan and UBSan in build/fuzz and runs each in
# turn, one process at a time, for SECONDS (default 60). Each target's corpus grows in
# build/fuzz/corpus/TARGET (its committed seeds in tests/fuzz/corpus/TARGET are read too); a
# crashing input lands in build/fuzz/crashes/TARGET/ and the whole log in build/fuzz/logs/.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]
# More libFuzzer flags through WD_FUZZ_ARGS, e.g. WD_FUZZ_ARGS=-runs=10000000.
set -euo pipefail
root=$(dirname "$(dirname "$(realpath "$0")")")
cd "$root"

seconds=${1:-60}
[[ $seconds =~ ^[0-9]+$ ]] || { echo "fuzz.sh: SECONDS must be a whole number" >&2; exit 2; }
shift $(( $# > 0 ? 1 : 0 ))
targets=("$@")
[[ ${#targets[@]} -gt 0 ]] || targets=(fuzz_data_files fuzz_register fuzz_device_replies)

scripts/deps.sh native fuzz
dir=build/fuzz
if [[ ! -f $dir/build.ninja ]]; then
  CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja -DWD_LIBFUZZER=ON -DWD_SANITIZE=address \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$dir" -j "${WD_JOBS:-2}" --target "${targets[@]}"

failed=()
for target in "${targets[@]}"; do
  corpus=$dir/corpus/$target
  crashes=$dir/crashes/$target
  log=$dir/logs/$target.log
  mkdir -p "$corpus" "$crashes" "$(dirname "$log")"
  seeds=()
  [[ -d tests/fuzz/corpus/$target ]] && seeds=("tests/fuzz/corpus/$target")
  echo "== $target: ${seconds}s" >&2
  # shellcheck disable=SC2086  # WD_FUZZ_ARGS is a list of flags
  if "$dir/tests/fuzz/$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
       -artifact_prefix="$crashes/" ${WD_FUZZ_ARGS:-} "$corpus" "${seeds[@]}" >"$log" 2>&1; then
    grep -E '^#[0-9]+[[:space:]]+DONE|^stat::(number_of_executed|average_exec|peak_rss)' \
      "$log" >&2
  else
    failed+=("$target")
    tail -n 40 "$log" >&2
  fi
done
if [[ ${#failed[@]} -gt 0 ]]; then
  echo "fuzz.sh: failed: ${failed[*]} (inputs in $dir/crashes/, logs in $dir/logs/)" >&2
  exit 1
fi
