#!/usr/bin/env bash
# The Windows installer under Wine, as a player would meet it: CPack makes it into BUILD/packages;
# a silent install (/S) puts the game, its shortcut and its uninstall entry in place; the
# installed townwright.exe is played and ended with "Exit" (status 0) by EXE_TESTS; a silent
# uninstall leaves the user's files and the registry as they were before the install.
# Usage, inside a Wine session (scripts/wine session): installer_test.sh BUILD EXE_TESTS
set -euo pipefail
build="$1"
exe_tests="$2"
source "$(cd "$(dirname "$0")/../.." && pwd)/scripts/lib/wine.sh"
# A shortcut made under Wine would otherwise become a menu entry of the Linux desktop too.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
out="$build/packages"
rm -rf "$out"
mkdir -p "$out"
cpack --config "$build/CPackConfig.cmake" -G NSIS -B "$out" >"$out/cpack.log" 2>&1 ||
  { cat "$out/cpack.log"; exit 1; }
setups=("$out"/townwright-*-windows-x86_64-setup.exe)
[ -f "${setups[0]}" ] || { echo "no installer made"; cat "$out/cpack.log"; exit 1; }
setup="${setups[0]}"

windows_folder() { winepath -u "$(wine cmd /c echo "%$1%" | tr -d '\r')"; }
program_folder="$(windows_folder LOCALAPPDATA)/Programs/Townwright"
shortcut="$(windows_folder APPDATA)/Microsoft/Windows/Start Menu/Programs/Townwright.lnk"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Townwright'

# The user's and the machine's files (but Windows' own folder and the temporary files) and
# software registry keys (but Wine's own, where it notes the system's settings as it runs).
snapshot() {
  (cd "$WINEPREFIX/drive_c" && find . -path ./windows -prune -o -print | grep -v '/Temp/' |
    LC_ALL=C sort) >"$1.files"
  for hive in HKCU HKLM; do
    wine reg export "$hive\\Software" "$(winepath -w "$1.$hive.reg")" /y >/dev/null
    iconv -f UTF-16LE -t UTF-8 "$1.$hive.reg" | tr -d '\r' |
      awk '/^\[/ { wine = index($0, "\\Software\\Wine\\") > 0 } !wine' >"$1.$hive.txt"
  done
}
differs() {
  local status=0
  for part in files HKCU.txt HKLM.txt; do
    diff "$out/before.$part" "$out/after.$part" >"$out/$part.diff" ||
      { echo "$1 changed $part:"; head -40 "$out/$part.diff"; status=1; }
  done
  return $status
}

[ ! -e "$program_folder" ] || { echo "Townwright is installed already: $program_folder"; exit 1; }
snapshot "$out/before"
# Whatever happens, the prefix is left without the game.
clean_up() {
  [ -e "$program_folder/Uninstall.exe" ] && wine "$program_folder/Uninstall.exe" /S _?="$(winepath -w "$program_folder")"
  rm -rf "$program_folder" "$shortcut"
  wine reg delete "$uninstall_key" /f >/dev/null 2>&1 || true
}
trap clean_up EXIT

wine "$setup" /S
for file in townwright.exe README.txt LICENSE.txt Uninstall.exe; do
  [ -f "$program_folder/$file" ] || { echo "not installed: $program_folder/$file"; exit 1; }
done
cmp -s "$program_folder/townwright.exe" "$build/platform/win32/townwright.exe" ||
  { echo "the installed townwright.exe is not the one built"; exit 1; }
[ -f "$shortcut" ] || { echo "no Start-menu shortcut: $shortcut"; exit 1; }
entry="$(wine reg query "$uninstall_key" | tr -d '\r')"
version="$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")"
for value in "DisplayName REG_SZ Townwright" "DisplayVersion REG_SZ $version" \
  "UninstallString REG_SZ \"$(winepath -w "$program_folder")\\Uninstall.exe\""; do
  grep -qF "$value" <<<"$(sed 's/  */ /g; s/^ //' <<<"$entry")" ||
    { echo "the uninstall entry lacks \"$value\":"; echo "$entry"; exit 1; }
done
echo "installed: $(winepath -w "$program_folder"), version $version"

# The installed game starts, shows its window, plays and ends with status 0 on "Exit".
TOWNWRIGHT_EXE="$(winepath -w "$program_folder/townwright.exe")" \
  wine "$exe_tests" --gtest_filter='*PlaysTurnsTakesTaxRatesAndExitsWithStatusZero'

# The uninstaller copies itself to a temporary folder, starts the copy and returns at once.
wine "$program_folder/Uninstall.exe" /S
for _ in $(seq 600); do
  [ -e "$program_folder" ] || break
  sleep 0.1
done
[ ! -e "$program_folder" ] || { echo "the program folder is still there"; ls -la "$program_folder"; exit 1; }
[ ! -e "$shortcut" ] || { echo "the shortcut is still there"; exit 1; }
snapshot "$out/after"
trap - EXIT
differs "install and uninstall"
echo "uninstalled: files and registry as before the install"
