#!/bin/sh
# Installs the build into scratch prefixes and checks what a desktop and a distribution need: both
# programs, the .desktop entry in the games' categories, the icon in every hicolor size, valid
# AppStream metainfo, the manual pages and the licences; once as built and once with Debian's
# games directory (a configuration of its own, given the programs already built).
# Usage: install_test.sh BUILD-DIR
set -eu
build="$(cd "$1" && pwd)"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAILED: $*"; exit 1; }
cached() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
version="$(cached CMAKE_PROJECT_VERSION)"

check() {  # PREFIX BINDIR
  prefix="$1" bin="$1/$2"
  [ -x "$bin/quillmere" ] || fail "no $2/quillmere"
  printf 'draws 2\nuntil 0\n' | "$bin/quillmere-sim" play >/dev/null || fail "$2/quillmere-sim"
  desktop="$prefix/share/applications/quillmere.desktop"
  [ -f "$desktop" ] || fail "no .desktop file"
  grep -qx 'Categories=Game;BlocksGame;' "$desktop" || fail "categories"
  if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$desktop"; fi
  for size in 16 32 48 64 128 256; do
    [ -f "$prefix/share/icons/hicolor/${size}x${size}/apps/quillmere.png" ] || fail "icon $size"
  done
  set -- "$prefix"/share/metainfo/*.metainfo.xml
  [ $# -eq 1 ] && [ -f "$1" ] || fail "no single metainfo file"
  grep -q '<launchable type="desktop-id">quillmere.desktop</launchable>' "$1" || fail "launchable"
  grep -q "<release version=\"$version\"" "$1" || fail "metainfo names no release $version"
  if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net --pedantic "$1" >/dev/null || appstreamcli validate --no-net "$1"
  fi
  for page in quillmere quillmere-sim; do
    man="$prefix/share/man/man6/$page.6"
    [ -f "$man" ] || fail "no manual page $page.6"
    if command -v groff >/dev/null; then
      warnings="$(groff -man -Tutf8 -ww -z "$man" 2>&1)"
      [ -z "$warnings" ] || fail "$page.6: $warnings"
      groff -man -Tascii -P-cbou "$man" 2>/dev/null | grep -q -- "--version" || fail "$page.6 options"
    fi
  done
  copyright="$prefix/share/doc/quillmere/copyright"
  for licence in 'License: Expat' 'License: bitstream-vera' 'IPA Font License Agreement v1.0'; do
    grep -q "$licence" "$copyright" 2>/dev/null || fail "copyright lacks $licence"
  done
}

cmake --install "$build" --prefix "$scratch/default" >/dev/null
check "$scratch/default" "$(cached CMAKE_INSTALL_BINDIR)"

games="$scratch/games-build"
cmake -S "$(cached CMAKE_HOME_DIRECTORY)" -B "$games" -G "$(cached CMAKE_GENERATOR)" \
  -DCMAKE_INSTALL_BINDIR=games -DQM_BENCH=OFF >/dev/null
cp -p "$build/quillmere" "$build/quillmere-sim" "$games/"
cmake --install "$games" --prefix "$scratch/usr" >/dev/null
check "$scratch/usr" games

echo "installed and valid, bin and games"
