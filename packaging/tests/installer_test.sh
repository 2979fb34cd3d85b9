#!/usr/bin/env bash
# The Windows installer under Wine, as a player would meet it: CPack makes it into BUILD/packages;
# a silent install (/S) puts the game, its shortcut and its uninstall entry in place; the
# installed townwright.exe is played and ended with "Exit" (status 0) by EXE_TESTS; a silent
# uninstall leaves the user's files and the registry as they were before the install. A second
# round, with another program beside the game, checks that the uninstaller leaves that one alone.
# Usage, on an X display (scripts/with-xvfb): installer_test.sh BUILD EXE_TESTS
set -Eeuo pipefail
# A step that fails ends the test: say which (in a function too), since most print nothing.
trap 'echo "installer_test.sh: line $LINENO failed (status $?): $BASH_COMMAND" >&2' ERR
build="$1"
exe_tests="$2"
root="$(cd "$(dirname "$0")/../.." && pwd)"
source "$root/scripts/lib/wine.sh"
[ -n "${DISPLAY:-}" ] || { echo "installer_test.sh needs an X display (DISPLAY)"; exit 1; }
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

# A new Wine prefix for every run, a copy of one made for this purpose that nothing ever runs in
# (copying takes a few seconds, making one about 15): nothing an earlier run left in a prefix
# changes the result, and its wineserver serves this test alone, so that `wineserver -w` can wait
# for every program the uninstaller starts (the server of the build's prefix keeps running for the
# other tests, which use it at the same time).
pristine="$build/wine-prefix-pristine"
WINEPREFIX="$pristine" "$root/scripts/wine" prefix
work="$(mktemp -d)"
export WINEPREFIX="$work/prefix"
clean_up() {
  wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap clean_up EXIT
cp -a "$pristine" "$WINEPREFIX"

# The folders under their Windows names (..._w) and here.
{ read -r local_w; read -r roaming_w; } < <(wine cmd /c 'echo %LOCALAPPDATA%&echo %APPDATA%' | tr -d '\r')
programs_w="$local_w\Programs"
program_folder_w="$programs_w\Townwright"
programs="$(winepath -u "$programs_w")"
program_folder="$programs/Townwright"
shortcut="$(winepath -u "$roaming_w")/Microsoft/Windows/Start Menu/Programs/Townwright.lnk"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Townwright'

# The user's and the machine's files (but Windows' own folder and the temporary files) and
# software registry keys (but Wine's own, where it notes the system's settings as it runs).
snapshot() {
  (cd "$WINEPREFIX/drive_c" && find . -path ./windows -prune -o -print | grep -v '/Temp/' |
    LC_ALL=C sort) >"$1.files"
  for hive in HKCU HKLM; do
    wine reg export "$hive\\Software" 'C:\windows\temp\snapshot.reg' /y >/dev/null
    iconv -f UTF-16LE -t UTF-8 "$WINEPREFIX/drive_c/windows/temp/snapshot.reg" | tr -d '\r' |
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
uninstall() {
  # The uninstaller copies itself to a temporary folder, starts the copy and returns at once: its
  # work is done when every program of the prefix has ended, and the server with them. (The
  # installer does its work in its own process.)
  wine "$program_folder/Uninstall.exe" /S
  wineserver -w
  [ ! -e "$program_folder" ] || { echo "the program folder is still there"; ls -la "$program_folder"; exit 1; }
  [ ! -e "$shortcut" ] || { echo "the shortcut is still there"; exit 1; }
}

# The first per-user install makes %LOCALAPPDATA%\Programs, so its uninstall must remove it.
[ ! -e "$programs" ] || { echo "a new prefix has $programs already"; exit 1; }
snapshot "$out/before"

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
  "UninstallString REG_SZ \"$program_folder_w\\Uninstall.exe\""; do
  grep -qF "$value" <<<"$(sed 's/  */ /g; s/^ //' <<<"$entry")" ||
    { echo "the uninstall entry lacks \"$value\":"; echo "$entry"; exit 1; }
done
echo "installed: $program_folder_w, version $version"

# The installed game starts, shows its window, plays and ends with status 0 on "Exit".
TOWNWRIGHT_EXE="$program_folder_w\townwright.exe" \
  wine "$exe_tests" --gtest_filter='*PlaysTurnsTakesTaxRatesAndExitsWithStatusZero'

uninstall
snapshot "$out/after"
differs "install and uninstall"
echo "uninstalled: files and registry as before the install, $programs_w gone with it"

# Another program in %LOCALAPPDATA%\Programs: the uninstall leaves it, and the folder, alone.
another="$programs/Another/another.exe"
mkdir -p "$(dirname "$another")"
echo "another program" >"$another"
wine "$setup" /S
uninstall
[ -f "$another" ] || { echo "the uninstall removed another program: $another"; exit 1; }
echo "with another program beside it: $programs_w kept, the other program with it"
