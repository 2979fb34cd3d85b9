#!/usr/bin/env bash
# Installs the Debian package that deb_test.sh made with apt-get, as a player would, checks that
# townwright runs from PATH (on a virtual X server) and that the desktop entry's Exec finds it,
# then purges the package and checks that nothing of it is left. Needs root; skipped (status 77)
# otherwise, and when the package is already installed (it would not be ours to purge) by anything
# but an interrupted run of this test.
# Usage: deb_install_test.sh BUILD APP_ID
set -euo pipefail
build="$1"
app_id="$2"
root="$(cd "$(dirname "$0")/../.." && pwd)"
debs=("$build"/packages/townwright_*.deb)
[ -f "${debs[0]}" ] || { echo "no package: townwright_deb_package makes it"; exit 1; }
deb="${debs[0]}"

if [ "$(id -u)" -ne 0 ]; then
  echo "SKIPPED: installing a package needs root"
  exit 77
fi
# The package is the machine's: runs from other checkouts on the same machine would install and
# purge it under each other, so they take turns.
mkdir -p /run/lock
exec 9>>/run/lock/townwright-deb-install-test.lock
flock -w 120 9 || { echo "another run of this test has held the package for 120 s"; exit 1; }

files="$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print substr($6, 2)}')"
apt=(apt-get -q -y -o DPkg::Lock::Timeout=120)
# Marks the package as this test's while it is installed, so that one left by a run that was
# killed (a timeout) is purged rather than taken for the player's own.
ours=/var/lib/townwright-deb-install-test
installed() { dpkg-query -W -f='${Status}' townwright 2>/dev/null | grep -q "ok installed"; }
purge() {
  "${apt[@]}" purge townwright >/dev/null 2>&1 || true
  ! installed && rm -f "$ours"
}
if installed; then
  if [ ! -e "$ours" ]; then
    echo "SKIPPED: townwright is installed already"
    exit 77
  fi
  echo "purging the townwright that an interrupted run of this test left"
  purge
fi
touch "$ours"
trap 'purge || true' EXIT
DEBIAN_FRONTEND=noninteractive "${apt[@]}" install --no-install-recommends "$deb" >/dev/null

# A player's PATH, as Debian's /etc/profile gives it to every user but root.
player_path=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games
found="$(PATH=$player_path command -v townwright)"
[ "$found" = /usr/games/townwright ] || { echo "townwright from PATH is ${found:-missing}"; exit 1; }
exec_command="$(sed -n 's/^Exec=//p' "/usr/share/applications/$app_id.desktop")"
[ "$(PATH=$player_path command -v "${exec_command%% *}")" = /usr/games/townwright ] ||
  { echo "the desktop entry's Exec=$exec_command finds no townwright"; exit 1; }

# The game from PATH shows its window; the window manager's close ends it with status 0.
PATH=$player_path /usr/bin/python3 "$root/packaging/tests/run_once.py" townwright

purge || { echo "apt-get purge townwright failed"; exit 1; }
trap - EXIT
if dpkg-query -W -f='${Status}' townwright 2>/dev/null | grep -v not-installed >/dev/null; then
  echo "townwright is still known to dpkg"
  exit 1
fi
left=""
while read -r file; do
  [ -e "$file" ] && left+=" $file"
done <<<"$files"
for dir in /usr/share/doc/townwright /var/lib/dpkg/info/townwright.list; do
  [ -e "$dir" ] && left+=" $dir"
done
[ -z "$left" ] || { echo "left after purge:$left"; exit 1; }
echo "installed, played from PATH and purged without a trace: $(basename "$deb")"
