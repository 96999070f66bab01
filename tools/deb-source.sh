#!/bin/sh
# Fetches and unpacks Debian bookworm source packages into DEST, with a private source list
# kept under DEST: the system's apt configuration is never written. Unpacked trees are cached;
# a second call with the same packages does nothing.
#   tools/deb-source.sh DEST PACKAGE...
set -e
[ $# -ge 2 ] || { echo "usage: tools/deb-source.sh DEST PACKAGE..." >&2; exit 2; }
dest=$1
shift
mkdir -p "$dest"
dest=$(cd "$dest" && pwd)
missing=""
for pkg in "$@"; do
  [ -f "$dest/$pkg.unpacked" ] || missing="$missing $pkg"
done
[ -z "$missing" ] && exit 0

command -v dpkg-source >/dev/null || {
  echo "deb-source: dpkg-source is missing (install dpkg-dev)" >&2
  exit 1
}
apt="$dest/apt"
mkdir -p "$apt/sources.list.d" "$apt/lists/partial" "$apt/archives/partial"
echo "deb-src http://deb.debian.org/debian bookworm main" >"$apt/sources.list.d/bookworm-src.list"
set -- -q -o Dir::Etc::sourcelist=/dev/null -o "Dir::Etc::sourceparts=$apt/sources.list.d" \
  -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache::Archives=$apt/archives" \
  -o Debug::NoLocking=1 -o APT::Sandbox::User=root
lists_fresh=$(find "$apt/lists" -maxdepth 1 -name '*Sources*' -mmin -1440 2>/dev/null | head -n 1)
[ -n "$lists_fresh" ] || apt-get "$@" update >/dev/null
for pkg in $missing; do
  work="$dest/$pkg.download"
  rm -rf "$work"
  mkdir -p "$work"
  (cd "$work" && apt-get "$@" source --download-only "$pkg" >/dev/null)
  dsc=$(ls "$work"/*.dsc | head -n 1)
  rm -rf "${dest:?}/$pkg"
  (cd "$work" && dpkg-source --no-check -x "$dsc" "$dest/$pkg" >/dev/null)
  rm -rf "$work" "$dest"/*.orig*.tar.*
  # The version unpacked, for whoever wants to know what the cache holds.
  basename "$dsc" .dsc >"$dest/$pkg.unpacked"
done
