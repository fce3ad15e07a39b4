#!/usr/bin/env bash
# Installs the Debian packages a job needs, only those that are missing.
# Usage: scripts/deps.sh native|win|run|release ...
set -euo pipefail

declare -A groups=(
  [native]="g++ cmake ninja-build python3 libgtest-dev googletest libbenchmark-dev"
  [win]="g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine64 xvfb xauth fonts-wqy-microhei wixl"
  [run]="x11-utils imagemagick xdotool"
  [release]="wixl"
)

wanted=()
for group in "$@"; do
  [[ -n "${groups[$group]+x}" ]] || { echo "deps.sh: unknown group '$group'" >&2; exit 2; }
  for pkg in ${groups[$group]}; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || wanted+=("$pkg")
  done
done
[[ ${#wanted[@]} -eq 0 ]] && exit 0

sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
echo "Installing: ${wanted[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${wanted[@]}" >/dev/null
