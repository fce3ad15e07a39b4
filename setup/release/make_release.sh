#!/usr/bin/env bash
# Writes a release folder from a built Windows tree: Setup.exe, README.txt and per language
# folder Setup.msi (per user) and Setup-machine.msi (per machine). With a certificate (see
# sign.sh) wardDesk.exe, rc_en.dll and Setup.exe are signed before they are packaged, then
# every package; without one the tree's own unsigned release is copied, and said so.
# Usage: make_release.sh BUILD_DIR OUT_DIR
set -euo pipefail
build=$(realpath "$1") out=$2
here=$(dirname "$(realpath "$0")")
source "$here/sign.sh"
source "$build/setup/package_settings.sh"
built=$build/release

rm -rf "$out"
mkdir -p "$out"
cp "$built/README.txt" "$out/"
if ! signing_requested; then
  cp "$built/Setup.exe" "$out/"
  for language in 2052 1033; do cp -r "$built/$language" "$out/"; done
  echo "UNSIGNED release: no certificate given (WD_SIGN_CERT and WD_SIGN_KEY, or" \
       "WD_SIGN_PKCS12); Windows SmartScreen and allow-lists will not know the publisher."
  exit 0
fi

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
"$strip" -o "$stage/wardDesk.exe" "$build/bin/wardDesk.exe"
cp "$build/bin/rc_en.dll" "$stage/"
cp "$icon" "$stage/program.ico"
sign_file "$stage/wardDesk.exe"
sign_file "$stage/rc_en.dll"
for language in 2052 1033; do
  for scope in user machine; do
    name=Setup.msi
    [[ $scope == machine ]] && name=Setup-machine.msi
    bash "$here/../msi/build_package.sh" "$stage" "$out/$language/$name" "$language" "$scope" \
      "$version" "$help_link" "$contact"
    sign_file "$out/$language/$name"
  done
done
"$strip" -o "$out/Setup.exe" "$build/bin/Setup.exe"
sign_file "$out/Setup.exe"
echo "Signed release: wardDesk.exe and rc_en.dll in every package, Setup.exe, every package."
