#!/usr/bin/env bash
# Makes the Debian package with CPack and checks its contents and its dependencies.
set -euo pipefail
build="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; exit 1; }
debs=("$work"/*.deb)
[ -f "${debs[0]}" ] || { echo "no package made"; cat "$work/cpack.log"; exit 1; }
contents="$(dpkg-deb -c "${debs[0]}")"
for file in ./usr/bin/townwright ./usr/share/applications/io.github.townwright.Townwright.desktop \
  ./usr/share/metainfo/io.github.townwright.Townwright.metainfo.xml; do
  grep -q " $file\$" <<<"$contents" || { echo "not in the package: $file"; exit 1; }
done
depends="$(dpkg-deb -f "${debs[0]}" Depends)"
grep -q libqt6widgets6 <<<"$depends" || { echo "no Qt dependency: $depends"; exit 1; }
echo "package: $(basename "${debs[0]}"), depends on: $depends"
