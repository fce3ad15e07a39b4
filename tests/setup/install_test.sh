#!/usr/bin/env bash
# One language end to end under Wine, in a throw-away prefix: Setup.exe in the system's
# language starts the chosen package through the shell; then a silent install; files, the
# "Language" value, the Start-menu shortcut and the uninstall entry are checked, the installed
# program is started from its shortcut (screenshot), and uninstalling keeps "UserDA.dat".
# The register stays beside the program (the program's folder rule, through install_probe).
# Usage: install_test.sh chinese|english WINDOW_PROBE.exe INSTALL_PROBE.exe RELEASE SCREENS
#   RELEASE: the release folder (Setup.exe, 2052/Setup.msi, 1033/Setup.msi)
set -uo pipefail
language=$1 probe=$2 install_probe=$3 shipped=$4 screens=$5
source "$(dirname "$(realpath "$0")")/wine_sandbox.sh"

case $language in
  chinese) locale=zh_CN.UTF-8 caption="选择设置语言" selected=1 folder=2052 value=0x1 ;;
  english) locale=en_US.UTF-8 caption="Select & Config Language" selected=0 folder=1033 value=0x0 ;;
  *) fail "unknown language $language" ;;
esac
mkdir -p "$screens"
shot() { echo "$(windows_path "$sandbox/$1.png")"; }
keep_shot() {  # NAME: into the screens folder; a picture that was not made fails the test
  [[ -s "$sandbox/$1.png" ]] || fail "no screenshot $1.png was made"
  cp "$sandbox/$1.png" "$screens/" || fail "the screenshot $1 could not be kept in $screens"
}

expect_installed() {  # WHEN
  [[ -f "$install_dir/wardDesk.exe" ]] || fail "$1: no wardDesk.exe"
  [[ -f "$install_dir/rc_en.dll" ]] || fail "$1: no rc_en.dll"
  [[ ! -e "$install_dir/UserDA.dat" ]] || fail "$1: the package must not bring a register"
  [[ -f "$shortcut" ]] || fail "$1: no Start-menu shortcut"
  [[ $(language_value) == "$value" ]] || fail "$1: Language is '$(language_value)', not $value"
  [[ $(installed_products | wc -l) -eq 1 ]] || fail "$1: not one uninstall entry"
}

# The release folder as shipped, plus a folder that is no language.
release=$sandbox/release
mkdir -p "$release/readme"
cp "$shipped/Setup.exe" "$release/"
cp -r "$shipped/2052" "$shipped/1033" "$release/"

# 1. Setup.exe chooses by the system language and opens the package with the shell.
about=()
[[ $language == english ]] && about=(--about "$(shot about_english)")
LANG=$locale LC_ALL=$locale wine "$release/Setup.exe" &
seen=$(wine "$probe" dialog "$caption" "${about[@]}" --ok --shot "$(shot "setup_$language")" |
       tr -d '\r') || fail "Setup.exe showed no dialog \"$caption\""
echo "$seen"
grep '^error: ' <<<"$seen" && fail "the launcher could not be looked at"
keep_shot "setup_$language"
if [[ $language == english ]]; then
  grep -qx 'about: 关于 Setup' <<<"$seen" || fail "no About box from the system menu"
  keep_shot about_english
fi
entries=$(grep '^entry: ' <<<"$seen" | cut -c8-)
[[ $entries == $'English\n中文 (简体)' ]] || fail "entries: $entries"
grep -qx "selected: $selected" <<<"$seen" || fail "entry $selected is not selected"
for _ in $(seq 120); do  # the installer runs on its own after Setup.exe ends
  [[ $(installed_products | wc -l) -eq 1 && $(language_value) == "$value" ]] && break
  sleep 1
done
expect_installed "through Setup.exe"
wine msiexec /x "$(windows_path "$release/$folder/Setup.msi")" /qn || fail "uninstall failed"

# 2. The silent install.
msiexec_quiet /i "$release/$folder/Setup.msi" || fail "msiexec /i /qn failed"
expect_installed "after msiexec /qn"
[[ -z $(data_folder_value) ]] || fail "a per-user package wrote the machine's DataFolder"
folders=$(wine "$install_probe" folders "$install_dir_windows" | tr -d '\r')
grep -qxF "data: $install_dir_windows" <<<"$folders" || fail "the register is not beside the program"

# 3. The installed program starts from its shortcut in the chosen language.
wine start /unix "$shortcut"
program=$(wine "$probe" program wardDesk.exe --shot "$(shot "program_$language")" | tr -d '\r') ||
  fail "the installed program showed no window"
echo "$program"
grep '^error: ' <<<"$program" && fail "the program could not be looked at"
keep_shot "program_$language"
texts=$(grep '^text: ' <<<"$program" | cut -c7-)
[[ -n $texts ]] || fail "the program shows no text"
if [[ $language == chinese ]]; then
  grep -qP '\p{Han}' <<<"$texts" || fail "no Chinese text in the program"
else
  grep -qP '\p{Han}' <<<"$texts" && fail "Chinese text in the English program"
fi
wineserver -k; wineserver -w

# 4. Uninstalling removes the program and keeps the patient register.
printf 'patient details' >"$install_dir/UserDA.dat"
msiexec_quiet /x "$release/$folder/Setup.msi" || fail "msiexec /x /qn failed"
[[ ! -e "$install_dir/wardDesk.exe" && ! -e "$install_dir/rc_en.dll" ]] || fail "program left"
[[ ! -e "$shortcut" ]] || fail "shortcut left"
[[ -z $(installed_products) ]] || fail "uninstall entry left"
[[ -z $(language_value) ]] || fail "Language value left"
[[ $(cat "$install_dir/UserDA.dat") == 'patient details' ]] || fail "UserDA.dat was not kept"
echo "PASS: $language"
