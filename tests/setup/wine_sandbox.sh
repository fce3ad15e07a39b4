# Sourced by the package tests: a throw-away Wine prefix in a temporary folder, removed with
# everything started in it when the test ends, and small checks on what got installed.
# Needs WD_SOURCE_DIR (the source tree). Starts Xvfb when there is no display.

scripts=$WD_SOURCE_DIR/scripts
sandbox=$(mktemp -d /tmp/wd-setup-test.XXXXXX)
export WINEPREFIX=$sandbox/prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
own_xvfb=""

finish() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  [[ -n $own_xvfb ]] && kill "$own_xvfb" 2>/dev/null
  rm -rf "$sandbox"
}
trap finish EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

if [[ -z ${DISPLAY:-} ]]; then
  source "$scripts/xvfb.sh"
  own_xvfb=$WD_XVFB_PID
fi
"$scripts/wine-prefix.sh" "$WINEPREFIX" || fail "no Wine prefix"
# One virtual desktop: windows get Wine's own frames, so screenshots show their captions.
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d 1024x768 /f \
  >/dev/null 2>&1

user_dir=$WINEPREFIX/drive_c/users/$(whoami)
install_dir="$user_dir/AppData/Local/Programs/Pulsora Pro"
shortcut="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Pulsora Pro.lnk"
install_dir_windows='C:\users\'"$(whoami)"'\AppData\Local\Programs\Pulsora Pro'
# The per-machine package's places.
machine_dir="$WINEPREFIX/drive_c/Program Files/Pulsora Pro"
machine_dir_windows='C:\Program Files\Pulsora Pro'
data_dir="$WINEPREFIX/drive_c/ProgramData/Pulsora Pro"
common_shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Pulsora Pro.lnk"

# Windows path of a Unix file, for msiexec.
windows_path() { echo "Z:${1//\//\\}"; }

# Installed products named "Pulsora Pro", one product code a line.
installed_products() {
  wine uninstaller --list 2>/dev/null | tr -d '\r' | awk -F'\\|\\|\\|' '$2 == "Pulsora Pro" {print $1}'
}

# A value of a registry key as reg.exe prints it (a REG_DWORD as "0x1"), empty when absent.
registry_value() {  # KEY NAME
  wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
    awk -v name="$2" '$1 == name {sub(/^ *[^ ]+ +[^ ]+ +/, ""); print}'
}

# A value of the uninstall entry of the one installed product.
uninstall_value() {  # NAME
  local uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
  registry_value "$uninstall\\$(installed_products | head -n 1)" "$1"
}

installed_version() { uninstall_value DisplayVersion; }

# The "Language" value the program reads at start ("0x1", "0x0"), empty when absent.
language_value() { registry_value 'HKCU\SOFTWARE\pulsora pro\setup' Language; }

# The per-machine data folder the package wrote for the program, empty when absent.
data_folder_value() { registry_value 'HKLM\SOFTWARE\pulsora pro\setup' DataFolder; }

msiexec_quiet() {  # /i|/x PACKAGE
  wine msiexec "$1" "$(windows_path "$2")" /qn
}
