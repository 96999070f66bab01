#!/bin/sh
# Installs the build into a scratch prefix and checks what a desktop needs: the program, a valid
# .desktop entry in the games' categories and the icon in every hicolor size.
# Usage: install_test.sh BUILD-DIR
set -eu
build="$1"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
fail() { echo "FAILED: $*"; exit 1; }
[ -x "$prefix/bin/quillmere" ] || fail "no bin/quillmere"
desktop="$prefix/share/applications/quillmere.desktop"
[ -f "$desktop" ] || fail "no .desktop file"
grep -qx 'Categories=Game;BlocksGame;' "$desktop" || fail "categories"
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$desktop"; fi
for size in 16 32 48 64 128 256; do
  [ -f "$prefix/share/icons/hicolor/${size}x${size}/apps/quillmere.png" ] || fail "icon $size"
done
echo "installed and valid"
