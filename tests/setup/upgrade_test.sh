#!/usr/bin/env bash
# Upgrades and language changes under Wine, in a throw-away prefix: a newer version replaces
# an older one, the other language replaces the installed one, an older version does not
# install over a newer one, and the patient register survives all of it.
# Usage: upgrade_test.sh OLDER CURRENT   (OLDER/2052/Setup.msi, CURRENT/{2052,1033}/Setup.msi)
set -uo pipefail
older_dir=$1 current_dir=$2
source "$(dirname "$(realpath "$0")")/wine_sandbox.sh"

older=$older_dir/2052/Setup.msi
chinese=$current_dir/2052/Setup.msi
english=$current_dir/1033/Setup.msi

expect() {  # WHEN VERSION LANGUAGE-VALUE
  [[ $(installed_products | wc -l) -eq 1 ]] || fail "$1: $(installed_products | wc -l) products"
  [[ $(installed_version) == "$2" ]] || fail "$1: version $(installed_version), not $2"
  [[ $(language_value) == "$3" ]] || fail "$1: Language $(language_value), not $3"
  [[ -f "$install_dir/wardDesk.exe" && -f "$install_dir/rc_en.dll" ]] || fail "$1: files missing"
  [[ -f "$shortcut" ]] || fail "$1: shortcut missing"
  [[ $(cat "$install_dir/UserDA.dat" 2>/dev/null) == 'patient details' ]] ||
    fail "$1: UserDA.dat lost"
}

msiexec_quiet /i "$older" || fail "installing 0.9.0 failed"
printf 'patient details' >"$install_dir/UserDA.dat"
expect "0.9.0 installed" 0.9.0 0x1

msiexec_quiet /i "$chinese" || fail "upgrading to the current version failed"
expect "upgraded" "$WD_VERSION" 0x1

msiexec_quiet /i "$english" || fail "changing to English failed"
expect "English over Chinese" "$WD_VERSION" 0x0

msiexec_quiet /i "$older" && fail "0.9.0 installed over a newer version"
expect "older refused" "$WD_VERSION" 0x0

msiexec_quiet /x "$english" || fail "uninstall failed"
[[ -z $(installed_products) && ! -e "$install_dir/wardDesk.exe" ]] || fail "not uninstalled"
[[ $(cat "$install_dir/UserDA.dat") == 'patient details' ]] || fail "UserDA.dat lost at uninstall"
echo "PASS"
