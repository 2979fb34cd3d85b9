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
source "$root/packaging/tests/wine_install.sh"
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

work="$(mktemp -d)"
clean_up() {
  wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap clean_up EXIT
new_prefix "$build/wine-prefix-pristine" "$work"

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
differs "install and uninstall" "$out/before" "$out/after"
echo "uninstalled: files and registry as before the install, $programs_w gone with it"

# Another program in %LOCALAPPDATA%\Programs: the uninstall leaves it, and the folder, alone.
another="$programs/Another/another.exe"
mkdir -p "$(dirname "$another")"
echo "another program" >"$another"
wine "$setup" /S
uninstall
[ -f "$another" ] || { echo "the uninstall removed another program: $another"; exit 1; }
echo "with another program beside it: $programs_w kept, the other program with it"
