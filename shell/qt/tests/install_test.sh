#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks that a desktop finds the game there: the
# program, its desktop entry (no field codes on the Exec line), its icons and its AppStream
# metainfo, the last two as their validators judge them where those are installed.
set -euo pipefail
build="$1"
app_id="$2"
stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT

cmake --install "$build" --prefix "$stage/usr" >/dev/null
for file in bin/townwright \
  "share/applications/$app_id.desktop" \
  "share/metainfo/$app_id.metainfo.xml" \
  "share/icons/hicolor/scalable/apps/$app_id.svg" \
  "share/icons/hicolor/256x256/apps/$app_id.png" \
  "share/icons/hicolor/48x48/apps/$app_id.png"; do
  [ -f "$stage/usr/$file" ] || { echo "not installed: $file"; exit 1; }
done
[ -x "$stage/usr/bin/townwright" ] || { echo "townwright is not executable"; exit 1; }

desktop="$stage/usr/share/applications/$app_id.desktop"
exec_line="$(grep '^Exec=' "$desktop")"
[ "$exec_line" = "Exec=townwright" ] || { echo "unexpected $exec_line"; exit 1; }
grep -qx "Icon=$app_id" "$desktop" || { echo "the desktop entry names another icon"; exit 1; }

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop"
else
  echo "desktop-file-validate not installed: desktop entry not validated"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net --strict "$stage/usr/share/metainfo/$app_id.metainfo.xml"
else
  echo "appstreamcli not installed: metainfo not validated"
fi
echo "install: all files in place"
