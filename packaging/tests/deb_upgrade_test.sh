#!/usr/bin/env bash
# This release's Debian package over the one before it, on clean Debian 12 systems:
#   1. piuparts, Debian's own check: this release installed and purged; the previous release
#      installed by apt (from a repository of its package), upgraded to this one and purged;
#      nothing left behind, no error.
#   2. A player's way: `apt install ./townwright_VERSION_amd64.deb` over an installed previous
#      release on a plain debootstrap system. The game takes no options, so its version is read as
#      a player would find it: dpkg's, and the manual page's; its desktop entry, manual page and
#      metainfo are then this release's, byte for byte.
# Both systems come from one debootstrap (variant minbase) of the host's mirror. Needs root, a
# Debian mirror, piuparts and debootstrap; takes some four minutes.
# Usage: deb_upgrade_test.sh PREVIOUS.deb THIS.deb
# shellcheck disable=SC2016  # dpkg's own ${fields}
set -Eeuo pipefail
trap 'echo "deb_upgrade_test.sh: line $LINENO failed (status $?): $BASH_COMMAND" >&2' ERR
previous="$(realpath "$1")"
this="$(realpath "$2")"
root="$(cd "$(dirname "$0")/../.." && pwd)"
[ "$(id -u)" -eq 0 ] || { echo "deb_upgrade_test.sh: debootstrap, piuparts and chroot need root"; exit 1; }
source "$root/scripts/lib/debian_mirror.sh"
version="$(dpkg-deb -f "$this" Version)"
previous_version="$(dpkg-deb -f "$previous" Version)"
app_id=io.github.townwright.Townwright

work="$(mktemp -d -t townwright-deb-upgrade-XXXXXX)"
system="$work/system"
unmount() {
  for point in dev/pts dev sys proc; do
    ! mountpoint -q "$system/$point" || umount -l "$system/$point"
  done
}
clean_up() {
  unmount
  rm -rf --one-file-system "$work"
}
trap clean_up EXIT

started=$SECONDS
debootstrap --variant=minbase bookworm "$work/base" "$mirror" >"$work/debootstrap.log" 2>&1 ||
  { tail -20 "$work/debootstrap.log"; exit 1; }
tar -C "$work/base" -czf "$work/base.tar.gz" .
rm -rf --one-file-system "$work/base"
echo "a fresh Debian 12: $((SECONDS - started)) s"

# 1. piuparts, with the previous release in a repository of its own that apt in its chroot sees.
started=$SECONDS
mkdir "$work/repository"
cp "$previous" "$work/repository/"
(cd "$work/repository" && dpkg-scanpackages . /dev/null >Packages 2>/dev/null)
mkdir "$work/piuparts"
piuparts --basetgz "$work/base.tar.gz" --distribution bookworm --mirror "$mirror main" \
  --bindmount "$work/repository" --extra-repo "deb [trusted=yes] file://$work/repository ./" \
  --tmpdir "$work/piuparts" --log-file "$work/piuparts.log" "$this" >/dev/null 2>&1 ||
  { grep -E 'ERROR|FAIL' "$work/piuparts.log" | head -40; exit 1; }
for passed in "PASS: Installation and purging test." \
  "PASS: Installation, upgrade and purging tests."; do
  grep -qF "$passed" "$work/piuparts.log" || { echo "piuparts did not say: $passed"; exit 1; }
done
grep -qF "Unpacking townwright ($version) over ($previous_version)" "$work/piuparts.log" ||
  { echo "piuparts did not upgrade $previous_version to $version"; exit 1; }
echo "piuparts: $version installed and purged, $previous_version upgraded to it and purged," \
  "nothing left ($((SECONDS - started)) s)"

# 2. apt install ./THIS.deb over the previous release.
started=$SECONDS
mkdir "$system"
tar -C "$system" -xzf "$work/base.tar.gz"
configure_fresh_system "$system"
mount -t proc proc "$system/proc"
mount -t sysfs sys "$system/sys"
mount --bind /dev "$system/dev"
mount --bind /dev/pts "$system/dev/pts"
cp "$previous" "$this" "$system/tmp/"
in_system() {
  chroot "$system" /usr/bin/env -i DEBIAN_FRONTEND=noninteractive LANG=C.UTF-8 \
    PATH=/usr/sbin:/usr/bin:/sbin:/bin "$@"
}
in_system apt-get -q update >"$work/apt.log" 2>&1
in_system apt-get -q -y install --no-install-recommends "./tmp/$(basename "$previous")" \
  >>"$work/apt.log" 2>&1
[ "$(in_system dpkg-query -W -f='${Version}' townwright)" = "$previous_version" ]
in_system apt-get -q -y install --no-install-recommends "./tmp/$(basename "$this")" \
  >>"$work/apt.log" 2>&1
installed="$(in_system dpkg-query -W -f='${Version} ${Status}' townwright)"
[ "$installed" = "$version install ok installed" ] ||
  { echo "after apt install over $previous_version: $installed"; cat "$work/apt.log"; exit 1; }
man_version="$(in_system zcat /usr/share/man/man6/townwright.6.gz |
  sed -n 's/^\.TH .*"Townwright \([^"]*\)".*/\1/p')"
[ "$man_version" = "$version" ] || { echo "the manual page says version '$man_version'"; exit 1; }
dpkg-deb -x "$this" "$work/package"
for file in "usr/share/applications/$app_id.desktop" usr/share/man/man6/townwright.6.gz \
  "usr/share/metainfo/$app_id.metainfo.xml" usr/games/townwright; do
  cmp -s "$work/package/$file" "$system/$file" || { echo "/$file is not $version's"; exit 1; }
done
# Every file of the package's is this release's, and no other file is the game's.
listed="$(in_system dpkg-query -L townwright | grep -vx '/\.' | sort)"
shipped="$(cd "$work/package" && find . -mindepth 1 | sed 's/^\.//' | sort)"
[ "$listed" = "$shipped" ] || { echo "dpkg lists other files than $version ships:";
  diff <(echo "$shipped") <(echo "$listed"); exit 1; }
echo "apt install over $previous_version: townwright $version, its desktop entry, manual page," \
  "metainfo and program ($((SECONDS - started)) s)"
