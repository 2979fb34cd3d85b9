#!/usr/bin/env bash
# This release's Windows downloads over the previous release's, under Wine, as a player meets them:
# - the installer over an installed previous release while a game of it runs: it waits for the
#   player to end that game (only the player ends a game), then leaves one folder holding this
#   release's files alone, one Start-menu shortcut and one entry in installed apps, of this
#   version; run again over itself, the same; the installed game plays; uninstalled, nothing of
#   either release is left, files, shortcut or registry;
# - the zip unpacked over the previous release's unpacked folder: this release's files, and they
#   play.
# Usage, on an X display (scripts/with-xvfb):
#   installer_upgrade_test.sh PREVIOUS_DIST THIS_DIST EXE_TESTS PRESS_BUTTONS PRISTINE_PREFIX
# (the folders of the two releases' downloads; townwright_exe_tests.exe and press_buttons.exe of
# the Windows build; a prefix to copy, made the first time, in which nothing is ever run)
set -Eeuo pipefail
trap 'echo "installer_upgrade_test.sh: line $LINENO failed (status $?): $BASH_COMMAND" >&2' ERR
previous_dist="$(realpath "$1")"
this_dist="$(realpath "$2")"
exe_tests="$3"
press_buttons="$4"
pristine="$5"
root="$(cd "$(dirname "$0")/../.." && pwd)"
source "$root/scripts/lib/wine.sh"
source "$root/packaging/tests/wine_install.sh"
[ -n "${DISPLAY:-}" ] || { echo "installer_upgrade_test.sh needs an X display (DISPLAY)"; exit 1; }
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
download() { local found=("$1"/townwright-*-windows-x86_64"$2"); echo "${found[0]}"; }
previous_setup="$(download "$previous_dist" -setup.exe)"
this_setup="$(download "$this_dist" -setup.exe)"
previous_zip="$(download "$previous_dist" .zip)"
this_zip="$(download "$this_dist" .zip)"
version_of() { basename "$1" | sed 's/^townwright-\([0-9.]*\)-.*/\1/'; }
previous_version="$(version_of "$previous_setup")"
version="$(version_of "$this_setup")"

work="$(mktemp -d)"
clean_up() {
  wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap clean_up EXIT
new_prefix "$pristine" "$work"
# This release's files, as its zip holds them.
unzip -q "$this_zip" -d "$work/this"
release_files="$( (cd "$work/this" && ls) | sort)"

# The folder, the shortcuts and the entries of installed apps hold this release alone.
check_this_release() {
  local files
  files="$( (cd "$program_folder" && ls) | sort)"
  [ "$files" = "$(printf '%s\nUninstall.exe' "$release_files" | sort)" ] ||
    { echo "$1: the folder holds $(echo "$files" | tr '\n' ' ')"; exit 1; }
  for file in $release_files; do
    cmp -s "$work/this/$file" "$program_folder/$file" || { echo "$1: $file is not $version's"; exit 1; }
  done
  if [ "$(find "$start_menu" -iname '*townwright*' | wc -l)" -ne 1 ] || [ ! -f "$shortcut" ]; then
    echo "$1: Start-menu entries:"
    find "$start_menu" -iname '*townwright*'
    exit 1
  fi
  local entries
  entries="$(wine reg query "$uninstall_keys" /s | tr -d '\r' | grep -c 'DisplayName.*Townwright')"
  if [ "$entries" -ne 1 ] || [ "$(installed_version)" != "$version" ]; then
    echo "$1: $entries entries in installed apps, of version $(installed_version)"
    exit 1
  fi
}

snapshot "$work/before"
wine "$previous_setup" /S
[ "$(installed_version)" = "$previous_version" ]

# A game of the previous release runs while this release installs: the installer waits (for ten
# seconds here) with the game's files untouched, and goes on once its player has pressed "Exit".
wine "$program_folder/townwright.exe" &
game=$!
wine "$press_buttons" "Choice 1" >/dev/null  # its window is up, and a turn played
wine "$this_setup" /S &
setup=$!
for _ in $(seq 10); do
  sleep 1
  kill -0 "$setup" 2>/dev/null || { echo "the installer went on while a game ran"; exit 1; }
done
if [ "$(installed_version)" != "$previous_version" ] ||
  ! cmp -s "$program_folder/townwright.exe" <(unzip -p "$previous_zip" townwright.exe); then
  echo "the installer changed the installed game while it ran"
  exit 1
fi
wine "$press_buttons" Exit >/dev/null
wait "$game"
wait "$setup"
check_this_release "over $previous_version, once its game had ended"
echo "installed over $previous_version: waited for its game, then $version's files alone, one" \
  "shortcut, one entry of version $version"

wine "$this_setup" /S
check_this_release "over itself"
TOWNWRIGHT_EXE="$program_folder_w\townwright.exe" \
  wine "$exe_tests" --gtest_filter='*PlaysTurnsTakesTaxRatesAndExitsWithStatusZero' >/dev/null
uninstall
snapshot "$work/after"
differs "installing $previous_version, $version over it and again, then uninstalling" \
  "$work/before" "$work/after"
echo "installed over itself, played, uninstalled: files and registry as before $previous_version"

# The zip over the previous release's unpacked folder.
zip_folder="$work/Townwright"
unzip -q "$previous_zip" -d "$zip_folder"
unzip -q -o "$this_zip" -d "$zip_folder"
for file in $release_files; do
  cmp -s "$work/this/$file" "$zip_folder/$file" || { echo "the zip over $previous_version: $file"; exit 1; }
done
TOWNWRIGHT_EXE="$(winepath -w "$zip_folder/townwright.exe")" \
  wine "$exe_tests" --gtest_filter='*PlaysTurnsTakesTaxRatesAndExitsWithStatusZero' >/dev/null
echo "the zip unpacked over $previous_version's folder: $version's files, which play"
