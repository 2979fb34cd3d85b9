# shellcheck shell=bash
# Sourced by the tests of the Windows installer (installer_test.sh, installer_upgrade_test.sh),
# after scripts/lib/wine.sh (which sets root): a Wine prefix of the test's own, where the game
# installs, and what the test reads of it.
# shellcheck disable=SC2034,SC2154  # root is wine.sh's; the folders are the tests'
#
# new_prefix PRISTINE WORK: a new prefix for this run in WORK/prefix, a copy of PRISTINE (made the
# first time, and never run in), so that nothing an earlier run left changes the result, and its
# wineserver serves this test alone: `wineserver -w` then waits for every program the installer or
# the uninstaller starts. Sets the folders below and exports WINEPREFIX.
new_prefix() {
  local pristine work="$2"
  pristine="$(realpath -m "$1")"  # Wine takes an absolute prefix alone
  WINEPREFIX="$pristine" "$root/scripts/wine" prefix
  export WINEPREFIX="$work/prefix"
  cp -a "$pristine" "$WINEPREFIX"
  # The folders under their Windows names (..._w) and here.
  { read -r local_w; read -r roaming_w; } < <(wine cmd /c 'echo %LOCALAPPDATA%&echo %APPDATA%' |
    tr -d '\r')
  programs_w="$local_w\Programs"
  program_folder_w="$programs_w\Townwright"
  programs="$(winepath -u "$programs_w")"
  program_folder="$programs/Townwright"
  start_menu="$(winepath -u "$roaming_w")/Microsoft/Windows/Start Menu/Programs"
  shortcut="$start_menu/Townwright.lnk"
  uninstall_keys='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall'
  uninstall_key="$uninstall_keys\\Townwright"
}

# snapshot FILE: the user's and the machine's files (but Windows' own folder and the temporary
# files) and software registry keys (but Wine's own, where it notes the system's settings as it
# runs), into FILE.files, FILE.HKCU.txt and FILE.HKLM.txt.
snapshot() {
  (cd "$WINEPREFIX/drive_c" && find . -path ./windows -prune -o -print | grep -v '/Temp/' |
    LC_ALL=C sort) >"$1.files"
  for hive in HKCU HKLM; do
    wine reg export "$hive\\Software" 'C:\windows\temp\snapshot.reg' /y >/dev/null
    iconv -f UTF-16LE -t UTF-8 "$WINEPREFIX/drive_c/windows/temp/snapshot.reg" | tr -d '\r' |
      awk '/^\[/ { wine = index($0, "\\Software\\Wine\\") > 0 } !wine' >"$1.$hive.txt"
  done
}

# differs WHAT BEFORE AFTER: fails, saying what changed, where the snapshots differ.
differs() {
  local status=0
  for part in files HKCU.txt HKLM.txt; do
    diff "$2.$part" "$3.$part" >"$3.$part.diff" ||
      { echo "$1 changed $part:"; head -40 "$3.$part.diff"; status=1; }
  done
  return $status
}

# The uninstaller copies itself to a temporary folder, starts the copy and returns at once: its
# work is done when every program of the prefix has ended, and the server with them. (The
# installer does its work in its own process.)
uninstall() {
  wine "$program_folder/Uninstall.exe" /S
  wineserver -w
  [ ! -e "$program_folder" ] || { echo "the program folder is still there"; ls -la "$program_folder"; exit 1; }
  [ ! -e "$shortcut" ] || { echo "the shortcut is still there"; exit 1; }
}

# The installed game's version, as Windows' installed apps show it.
installed_version() {
  wine reg query "$uninstall_key" /v DisplayVersion | tr -d '\r' |
    sed -n 's/^ *DisplayVersion *REG_SZ *//p'
}
