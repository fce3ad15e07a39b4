#!/usr/bin/env bash
# Runs the program's main job. For now: builds wardcli and shows a demo data set (a monitoring
# file, a ward-round file and a patient register) as CSV.
set -euo pipefail
root=$(dirname "$(dirname "$(realpath "$0")")")
cd "$root"
scripts/deps.sh native
scripts/build.sh native >/dev/null
samples=$(python3 scripts/make-samples.py build/samples)
for file in "$samples"/*.mDat "$samples"/wardround.cDat "$samples"/UserDA.dat; do
  echo "== $file"
  build/native/tools/wardcli/wardcli dump "$file" | head -n 8
done
