#!/usr/bin/env bash
# Builds one installer package from a folder that holds the files to install (wardDesk.exe,
# rc_en.dll) and the uninstall entry's icon (program.ico): wixl, then what wixl cannot write.
# Usage: build_package.sh STAGE OUTPUT.msi LANGUAGE user|machine VERSION HELP_LINK CONTACT
set -euo pipefail
stage=$1 output=$2 language=$3 scope=$4 version=$5 help_link=$6 contact=$7
msi=$(dirname "$(realpath "$0")")
output=$(realpath -m "$output")
mkdir -p "$(dirname "$output")"
cd "$stage"
wixl --arch x64 -I "$msi" -D LanguageId="$language" -D Version="$version" \
  -D HelpLink="$help_link" -D Contact="$contact" -o "$output" "$msi/wardDesk-$scope.wxs"
python3 "$msi/finish_package.py" "$output" --language "$language" --scope "$scope" \
  --version "$version" --files "$stage"
