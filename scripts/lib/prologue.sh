# shellcheck shell=bash
# Sourced by the scripts that build before they run something: strict mode, the repository's root
# as the working folder, and prepare, which gets a preset's programs ready on a machine that may
# have nothing yet.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
jobs="$(nproc)"
# Builds and tests on every core, also those of a workflow preset (cmake --workflow takes no -j).
export CMAKE_BUILD_PARALLEL_LEVEL="${CMAKE_BUILD_PARALLEL_LEVEL:-$jobs}"
export CTEST_PARALLEL_LEVEL="${CTEST_PARALLEL_LEVEL:-$jobs}"

# The modules the Python tools share, as the tests find them (cmake/python.cmake): tools/ (drive)
# and platform/web/ (serve).
export PYTHONPATH="$PWD/tools:$PWD/platform/web${PYTHONPATH:+:$PYTHONPATH}"

# stage NAME COMMAND...: runs a stage of a long run and says how long it took.
stage() {
  local name="$1" started=$SECONDS
  shift
  "$@"
  echo "$name: $((SECONDS - started)) s"
}

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
