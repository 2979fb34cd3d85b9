#!/usr/bin/env bash
# townwright.exe at 144 DPI against 96 DPI, under Wine. The 96-DPI run uses the session's prefix
# and display; the 144-DPI run a prefix of its own (made once, with LogPixels 144 in its
# registry) on a 1280 x 800 screen of its own. dpi_layout compares the two.
# Usage, inside a Wine session (scripts/wine session): dpi_test.sh DPI_LAYOUT HIGH_DPI_PREFIX
set -euo pipefail
tool="$1"
high_prefix="$2"
root="$(cd "$(dirname "$0")/../../.." && pwd)"
source "$root/scripts/lib/wine.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

wine "$tool" measure "$(winepath -w "$work/96.txt")"

# shellcheck disable=SC2016  # expanded by the inner shell
WINEPREFIX="$high_prefix" "$root/scripts/with-xvfb" -s 1280x800x24 bash -c '
  set -euo pipefail
  if [ ! -f "$WINEPREFIX/logpixels-144" ]; then
    "$0/scripts/wine" prefix
    # Where Wine and Windows keep the screen'"'"'s pixels per inch.
    wine reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d 144 /f >/dev/null
    wine reg add "HKEY_CURRENT_CONFIG\\Software\\Fonts" /v LogPixels /t REG_DWORD /d 144 /f >/dev/null
    wineserver -w
    touch "$WINEPREFIX/logpixels-144"
  fi
  "$0/scripts/wine" session wine "$1" measure "$(winepath -w "$2/144.txt")" "$(winepath -w "$2/96.txt")"
' "$root" "$tool" "$work"

wine "$tool" compare "$(winepath -w "$work/96.txt")" "$(winepath -w "$work/144.txt")" 1280 800
