#!/usr/bin/env bash
# Makes the Debian package with CPack into BUILD/packages and checks it: exactly the game's files,
# stripped, its control fields, and lintian's word (no error, no warning).
# Usage: deb_test.sh BUILD APP_ID
set -euo pipefail
build="$1"
app_id="$2"
out="$build/packages"
rm -rf "$out"
mkdir -p "$out"

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out/cpack.log" 2>&1 ||
  { cat "$out/cpack.log"; exit 1; }
debs=("$out"/townwright_*.deb)
[ -f "${debs[0]}" ] || { echo "no package made"; cat "$out/cpack.log"; exit 1; }
deb="${debs[0]}"

expected="$(printf '%s\n' ./usr/games/townwright \
  "./usr/share/applications/$app_id.desktop" \
  "./usr/share/metainfo/$app_id.metainfo.xml" \
  "./usr/share/icons/hicolor/scalable/apps/$app_id.svg" \
  "./usr/share/icons/hicolor/256x256/apps/$app_id.png" \
  "./usr/share/icons/hicolor/48x48/apps/$app_id.png" \
  ./usr/share/man/man6/townwright.6.gz \
  ./usr/share/doc/townwright/copyright \
  ./usr/share/doc/townwright/changelog.gz | sort)"
files="$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sort)"
if [ "$files" != "$expected" ]; then
  echo "packaged files differ from the game's (< expected, > packaged):"
  diff <(echo "$expected") <(echo "$files") || true
  exit 1
fi

unpacked="$out/unpacked"
dpkg-deb -x "$deb" "$unpacked"
file "$unpacked/usr/games/townwright" | grep -q ', stripped' || { echo "townwright is not stripped"; exit 1; }

for field in Package Version Section Depends Description; do
  [ -n "$(dpkg-deb -f "$deb" "$field")" ] || { echo "no $field field"; exit 1; }
done
[ "$(dpkg-deb -f "$deb" Section)" = games ] || { echo "not in section games"; exit 1; }
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || { echo "no Qt dependency"; exit 1; }
[ "$(dpkg-deb -f "$deb" Recommends)" = qt6-wayland ] || { echo "does not recommend qt6-wayland"; exit 1; }

# Errors and warnings fail; informational tags and overrides are shown.
lintian --fail-on error,warning --display-info "$deb"
echo "package: $(basename "$deb"), lintian clean"
