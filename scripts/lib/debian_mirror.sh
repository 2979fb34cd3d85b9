# shellcheck shell=bash
# Sourced by the scripts that make a fresh Debian 12 in a folder: the host's mirrors of bookworm
# and of its security updates (MIRROR, if set, for the first), and its apt proxy, which a fresh
# system is given too (http_proxy for debootstrap, proxies for the system's own apt).
# shellcheck disable=SC2016  # apt's own placeholders
mirror_of() {
  apt-get indextargets --format '$(REPO_URI)' "Codename: $1" "Component: main" 'Origin: Debian' \
    2>/dev/null | head -n 1
}
mirror="${MIRROR:-$(mirror_of bookworm)}"
mirror="${mirror:-http://deb.debian.org/debian/}"
security="$(mirror_of bookworm-security)"
security="${security:-http://deb.debian.org/debian-security/}"
proxies="$(apt-config dump | grep -E '^Acquire::(http|https)::Proxy ' || true)"
http_proxy="$(apt-config dump | sed -n 's/^Acquire::http::Proxy "\(.*\)";$/\1/p')"
[ -z "$http_proxy" ] || export http_proxy

# The sources a Debian 12 installer would have configured, and the host's proxy and name
# resolution, in the fresh system under $1.
configure_fresh_system() {
  cat >"$1/etc/apt/sources.list" <<SOURCES
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb $security bookworm-security main
SOURCES
  [ -z "$proxies" ] || echo "$proxies" >"$1/etc/apt/apt.conf.d/01proxy"
  cp /etc/resolv.conf "$1/etc/resolv.conf"
}
