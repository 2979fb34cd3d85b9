# shellcheck shell=bash
# Sourced by the scripts that build before they run something: strict mode, the repository's root
# as the working folder, and prepare, which gets a preset's programs ready on a machine that may
# have nothing yet.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
jobs="$(nproc)"

# prepare "LIST..." PRESET [TARGET...]: installs the Debian packages of the lists under
# scripts/packages/ that are missing, configures PRESET and builds TARGETs (everything when none
# is named). Only errors are shown.
prepare() {
  local lists="$1" preset="$2" targets=()
  shift 2
  [ $# -eq 0 ] || targets=(--target "$@")
  # shellcheck disable=SC2086  # one word a list
  scripts/install-packages $lists >&2
  cmake --preset "$preset" --no-warn-unused-cli >/dev/null
  cmake --build --preset "$preset" -j "$jobs" "${targets[@]}" >/dev/null
}
