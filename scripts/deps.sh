#!/usr/bin/env bash
# Installs the Debian packages a job needs, only those that are missing, then checks that every
# program and file the job relies on is there; fails with one line naming what is missing.
# Usage: scripts/deps.sh GROUP...   (groups below)
set -euo pipefail

# Debian 12 package names. `wine` brings /usr/bin/wine and wineserver; `wine64` the 64-bit loader.
declare -A packages=(
  [native]="g++ cmake ninja-build python3 libgtest-dev googletest libbenchmark-dev clang-format"
  [win]="g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 xvfb xauth
         fonts-wqy-microhei wixl msitools python3 osslsigncode openssl"
  [run]="x11-utils imagemagick xdotool"
  [release]="wixl msitools python3 osslsigncode"
  [fuzz]="clang libclang-rt-14-dev"
  [print]="cups printer-driver-cups-pdf poppler-utils"
)
# What each group's commands call: programs on PATH, or absolute paths of files.
declare -A needs=(
  [native]="g++ cmake ninja python3 clang-format /usr/src/googletest/CMakeLists.txt"
  [win]="x86_64-w64-mingw32-gcc-posix x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-windres
         x86_64-w64-mingw32-strip wine wineserver wixl msibuild msiinfo python3 osslsigncode
         openssl Xvfb xauth /usr/share/fonts/truetype/wqy/wqy-microhei.ttc"
  [run]="xwininfo xdotool import convert"
  [release]="wixl msibuild msiinfo python3 osslsigncode"
  [fuzz]="clang clang++ /usr/lib/llvm-14/lib/clang/14.0.6/lib/linux/libclang_rt.fuzzer-x86_64.a"
  [print]="cupsd lpadmin lpstat pdftotext pdftoppm /usr/lib/cups/backend/cups-pdf"
)

wanted=()
for group in "$@"; do
  [[ -n "${packages[$group]+x}" ]] || { echo "deps.sh: unknown group '$group'" >&2; exit 2; }
  for pkg in ${packages[$group]}; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || wanted+=("$pkg")
  done
done

if [[ ${#wanted[@]} -gt 0 ]]; then
  sudo=()
  [[ $(id -u) -eq 0 ]] || sudo=(sudo)
  echo "Installing: ${wanted[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${wanted[@]}" >/dev/null
fi

missing=()
for group in "$@"; do
  for need in ${needs[$group]}; do
    if [[ $need == /* ]]; then [[ -e $need ]] || missing+=("$need")
    else command -v "$need" >/dev/null || missing+=("$need"); fi
  done
done
if [[ ${#missing[@]} -gt 0 ]]; then
  echo "deps.sh: missing after installing the packages of '$*': ${missing[*]}" >&2
  exit 1
fi
