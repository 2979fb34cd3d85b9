# shellcheck shell=bash
# Sourced by scripts/wine and the Windows tests' scripts: the build's own Wine prefix, no debug
# output, and neither the .NET nor the HTML engine (Wine would otherwise offer to download them).
# Values already set win.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
export WINEPREFIX="${WINEPREFIX:-$root/build/windows/wine-prefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
