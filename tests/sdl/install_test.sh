#!/bin/sh
# Installs the build into scratch prefixes and checks what a desktop and a distribution need; once
# as built and once with Debian's games directory (a configuration of its own, given the programs
# already built). Usage: install_test.sh BUILD-DIR
set -eu
build="$(cd "$1" && pwd)"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAILED: $*"; exit 1; }
cached() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
have() { command -v "$1" >/dev/null; }

check() {  # PREFIX BINDIR
  share="$1/share" bin="$1/$2"
  [ -x "$bin/quillmere" ] || fail "no $2/quillmere"
  printf 'draws 2\nuntil 0\n' | "$bin/quillmere-sim" play >/dev/null || fail "$2/quillmere-sim"
  desktop="$share/applications/quillmere.desktop"
  grep -qx 'Categories=Game;BlocksGame;' "$desktop" || fail ".desktop file not in the games"
  if have desktop-file-validate; then desktop-file-validate "$desktop"; fi
  for size in 16 32 48 64 128 256; do
    [ -f "$share/icons/hicolor/${size}x${size}/apps/quillmere.png" ] || fail "icon $size"
  done
  set -- "$share"/metainfo/*.metainfo.xml
  [ $# -eq 1 ] && [ -f "$1" ] || fail "no single metainfo file"
  grep -q '<launchable type="desktop-id">quillmere.desktop</launchable>' "$1" || fail "launchable"
  grep -q "<release version=\"$(cached CMAKE_PROJECT_VERSION)\"" "$1" || fail "no release"
  if have appstreamcli; then
    appstreamcli validate --no-net --pedantic "$1" >/dev/null || appstreamcli validate --no-net "$1"
  fi
  for page in quillmere quillmere-sim; do
    man="$share/man/man6/$page.6"
    [ -f "$man" ] || fail "no manual page $page.6"
    if have groff; then
      warnings="$(groff -man -Tutf8 -ww -z "$man" 2>&1)"
      [ -z "$warnings" ] || fail "$page.6: $warnings"
      groff -man -Tascii -P-cbou "$man" 2>/dev/null | grep -q -- "--version" || fail "$page.6 options"
    fi
  done
  for licence in 'License: Expat' 'License: bitstream-vera' 'IPA Font License Agreement v1.0'; do
    grep -q "$licence" "$share/doc/quillmere/copyright" || fail "copyright lacks $licence"
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
