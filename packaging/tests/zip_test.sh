#!/usr/bin/env bash
# Makes the Windows zip with CPack and checks what a player unpacks: townwright.exe, README.txt
# and LICENSE.txt at the top, the texts with Windows' line ends and README.txt telling how to play.
# Usage: zip_test.sh BUILD
set -euo pipefail
build="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cpack --config "$build/CPackConfig.cmake" -G ZIP -B "$work" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; exit 1; }
zips=("$work"/townwright-*-windows-x86_64.zip)
[ -f "${zips[0]}" ] || { echo "no zip made"; cat "$work/cpack.log"; exit 1; }
files="$(unzip -Z1 "${zips[0]}" | LC_ALL=C sort | tr '\n' ' ')"
[ "$files" = "LICENSE.txt README.txt townwright.exe " ] || { echo "the zip holds: $files"; exit 1; }
unzip -q "${zips[0]}" -d "$work/unpacked"
for text in README.txt LICENSE.txt; do
  if grep -qv $'\r$' "$work/unpacked/$text"; then
    echo "$text has lines without Windows' line end"
    exit 1
  fi
done
grep -q "^How to play" "$work/unpacked/README.txt" || { echo "README.txt tells not how to play"; exit 1; }
cmp -s "$work/unpacked/townwright.exe" "$build/platform/win32/townwright.exe" ||
  { echo "the zip's townwright.exe is not the one built"; exit 1; }
echo "zip: $(basename "${zips[0]}"): $files"
