#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks that it lays down exactly the game: the
# program, its desktop entry (no field codes on the Exec line), its icons, its AppStream metainfo
# and its manual page, the desktop entry and metainfo as their validators judge them, and the
# version's news in the metainfo and the manual page.
# Usage: install_test.sh BUILD APP_ID GAMESDIR VERSION
set -euo pipefail
build="$1"
app_id="$2"
gamesdir="$3"
version="$4"
stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT

cmake --install "$build" --prefix "$stage/usr" >/dev/null
expected="$(printf '%s\n' "$gamesdir/townwright" \
  "share/applications/$app_id.desktop" \
  "share/metainfo/$app_id.metainfo.xml" \
  "share/icons/hicolor/scalable/apps/$app_id.svg" \
  "share/icons/hicolor/256x256/apps/$app_id.png" \
  "share/icons/hicolor/48x48/apps/$app_id.png" \
  "share/man/man6/townwright.6.gz" | sort)"
installed="$(cd "$stage/usr" && find . -type f -printf '%P\n' | sort)"
if [ "$installed" != "$expected" ]; then
  echo "installed files differ from the game's (< expected, > installed):"
  diff <(echo "$expected") <(echo "$installed") || true
  exit 1
fi
[ -x "$stage/usr/$gamesdir/townwright" ] || { echo "townwright is not executable"; exit 1; }

desktop="$stage/usr/share/applications/$app_id.desktop"
exec_line="$(grep '^Exec=' "$desktop")"
[ "$exec_line" = "Exec=townwright" ] || { echo "unexpected $exec_line"; exit 1; }
grep -qx "Icon=$app_id" "$desktop" || { echo "the desktop entry names another icon"; exit 1; }

# The manual page as man formats it: no warnings, how-to-play and the version's news in it.
page="$(MANWIDTH=80 man --warnings -l "$stage/usr/share/man/man6/townwright.6.gz" 2>&1 >/dev/null)"
[ -z "$page" ] || { echo "man warns: $page"; exit 1; }
page="$(MANWIDTH=80 man -l "$stage/usr/share/man/man6/townwright.6.gz" 2>/dev/null)"
for heading in "HOW TO PLAY" "WHAT IS NEW IN $version"; do
  grep -q "^$heading" <<<"$page" || { echo "the manual page has no $heading"; exit 1; }
done

desktop-file-validate "$desktop"
metainfo="$stage/usr/share/metainfo/$app_id.metainfo.xml"
appstreamcli validate --no-net --strict "$metainfo"
"$(dirname "$0")/news_in_metainfo.py" "$(dirname "$0")/../../NEWS" "$metainfo" "$version"
echo "install: exactly the game's $(wc -l <<<"$installed") files"
