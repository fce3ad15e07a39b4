#!/usr/bin/env bash
# The per-machine packages under Wine, in a throw-away prefix, as an IT department runs them
# (msiexec /qn as an administrator): Program Files, the all-users shortcut, the shared data
# folder and the value that names it, the uninstall entry; a patient saved through the
# program's own folder rule lands in the data folder and is read back after an upgrade and
# after a reinstall in the other language; an older package is refused; uninstalling keeps the
# register. Each user's "Language" comes from Active Setup, which Wine does not run at logon:
# the test runs its command as the logon would.
# Usage: install_machine_test.sh INSTALL_PROBE.exe OLDER RELEASE
#   OLDER/2052/Setup-machine.msi: an older version; RELEASE/{2052,1033}/Setup-machine.msi
set -uo pipefail
probe=$1 older_dir=$2 shipped=$3
source "$(dirname "$(realpath "$0")")/wine_sandbox.sh"

older=$older_dir/2052/Setup-machine.msi
chinese=$shipped/2052/Setup-machine.msi
english=$shipped/1033/Setup-machine.msi
patient=110105198703150024
active_setup='HKLM\SOFTWARE\Microsoft\Active Setup\Installed Components'

expect() {  # WHEN VERSION
  [[ $(installed_products | wc -l) -eq 1 ]] || fail "$1: $(installed_products | wc -l) products"
  [[ $(installed_version) == "$2" ]] || fail "$1: version $(installed_version), not $2"
  [[ -f "$machine_dir/wardDesk.exe" && -f "$machine_dir/rc_en.dll" ]] || fail "$1: files missing"
  [[ ! -e "$install_dir" ]] || fail "$1: files in the user's profile"
  # Windows resolves the Start menu of an ALLUSERS=1 package to the all-users one; Wine 8 still
  # to the installing user's, so either is taken here.
  [[ -f "$common_shortcut" || -f "$shortcut" ]] || fail "$1: no Start-menu shortcut"
  [[ -d "$data_dir" ]] || fail "$1: no data folder"
  [[ $(data_folder_value) == 'C:\ProgramData\Pulsora Pro\' ]] ||
    fail "$1: DataFolder is '$(data_folder_value)'"
  [[ $(uninstall_value InstallLocation) == "$machine_dir_windows\\" ]] ||
    fail "$1: uninstall entry's InstallLocation '$(uninstall_value InstallLocation)'"
  [[ -n $(uninstall_value HelpLink) && -n $(uninstall_value Contact) ]] ||
    fail "$1: no help link or contact in the uninstall entry"
}

# Runs a package's Active Setup command as a user's logon does: once, as that user.
log_on() {  # ACTIVE-SETUP-ID
  local stub
  stub=$(registry_value "$active_setup\\$1" StubPath)
  [[ -n $stub ]] || fail "no Active Setup command $1"
  printf '%s\r\n' "$stub" >"$sandbox/logon.cmd"
  wine cmd /c "$(windows_path "$sandbox/logon.cmd")" >/dev/null 2>&1 || fail "logon command failed"
}

expect_patient() {  # WHEN
  local found
  found=$(wine "$probe" lookup "$machine_dir_windows" "$patient" | tr -d '\r')
  [[ $found == 'name: Wang Fang' ]] || fail "$1: the patient was not found ($found)"
}

# 1. An older version, Chinese. The folder rule finds the shared folder; a patient saved there.
msiexec_quiet /i "$older" || fail "installing 0.9.0 per machine failed"
expect "0.9.0 installed" 0.9.0
[[ -z $(language_value) ]] || fail "the install wrote the installing user's Language"
log_on '{5E0C7A8B-2D41-4F39-9B6E-0C8D3A71F254}'
[[ $(language_value) == 0x1 ]] || fail "Chinese Active Setup gave Language '$(language_value)'"
folders=$(wine "$probe" folders "$machine_dir_windows" | tr -d '\r')
echo "$folders"
grep -qx 'data: C:\\ProgramData\\Pulsora Pro' <<<"$folders" || fail "register not in ProgramData"
grep -qx 'archive: C:\\ProgramData\\Pulsora Pro\\Archive' <<<"$folders" || fail "archive folder"
wine "$probe" save "$machine_dir_windows" "$patient" "Wang Fang" | tr -d '\r' || fail "saving failed"
[[ -s "$data_dir/UserDA.dat" && ! -e "$machine_dir/UserDA.dat" ]] ||
  fail "the register is not in the data folder"

# 2. The current version over it keeps the register.
msiexec_quiet /i "$chinese" || fail "upgrading per machine failed"
expect "upgraded" "$WD_VERSION"
expect_patient "upgraded"

# 3. The English package replaces the Chinese one; its Active Setup sets English.
msiexec_quiet /i "$english" || fail "English over Chinese failed"
expect "English over Chinese" "$WD_VERSION"
[[ -z $(registry_value "$active_setup\\{5E0C7A8B-2D41-4F39-9B6E-0C8D3A71F254}" StubPath) ]] ||
  fail "the Chinese Active Setup command was left"
log_on '{5E0C7A8B-2D41-4F39-9B6E-0C8D3A71F255}'
[[ $(language_value) == 0x0 ]] || fail "English Active Setup gave Language '$(language_value)'"
expect_patient "English over Chinese"

# 4. An older package does not go over a newer one.
msiexec_quiet /i "$older" && fail "0.9.0 installed over a newer version"
expect "older refused" "$WD_VERSION"

# 5. Uninstalling removes the program and the value, and keeps the register and its folder.
msiexec_quiet /x "$english" || fail "uninstall failed"
[[ -z $(installed_products) && ! -e "$machine_dir/wardDesk.exe" ]] || fail "not uninstalled"
[[ ! -e "$common_shortcut" && ! -e "$shortcut" ]] || fail "shortcut left"
[[ -z $(data_folder_value) ]] || fail "DataFolder value left"
[[ -s "$data_dir/UserDA.dat" ]] || fail "UserDA.dat lost at uninstall"

# 6. A reinstall finds the register again.
msiexec_quiet /i "$chinese" || fail "reinstalling failed"
expect_patient "reinstalled"
msiexec_quiet /x "$chinese" || fail "second uninstall failed"

# 7. The permissions the package gives the data folder, as Windows reads them (Wine keeps no
# access lists on files, so the package's text is what can be checked here).
sddl=$(msiinfo export "$chinese" MsiLockPermissionsEx | tr -d '\r' |
       awk -F'\t' '$2 == "DATADIR" && $3 == "CreateFolder" {print $4}')
aces=$(wine "$probe" sddl "$sddl" | tr -d '\r') || fail "the permissions do not parse: $sddl"
echo "$aces"
grep -qx 'allow: S-1-5-32-545 0x1301bf OICI' <<<"$aces" || fail "Users may not modify the folder"
grep -qx 'allow: S-1-5-18 0x1f01ff OICI' <<<"$aces" || fail "SYSTEM lacks full control"
grep -qx 'allow: S-1-5-32-544 0x1f01ff OICI' <<<"$aces" || fail "Administrators lack full control"
[[ $(grep -c . <<<"$aces") -eq 3 ]] || fail "other entries in the permissions"
echo "PASS"
