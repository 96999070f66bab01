#!/bin/sh
# Builds what the Windows game links statically, SDL2 from Debian bookworm's source package,
# and GoogleTest for its tests from Debian's googletest package (/usr/src/googletest),
# cross-compiled with cmake/mingw-w64.cmake into DEST/prefix. (The game renders its letters at
# build time, so it needs no font renderer of its own.)
# Done once: a stamp names the sources and the recipe, and a later call returns at once.
#   tools/windows-deps.sh DEST        (the Makefile passes build-windows/deps)
set -e
[ $# -eq 1 ] || { echo "usage: tools/windows-deps.sh DEST" >&2; exit 2; }
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$1"
dest=$(cd "$1" && pwd)
prefix=$dest/prefix
"$root/tools/deb-source.sh" "$dest/src" libsdl2
gtest=/usr/src/googletest
[ -f $gtest/CMakeLists.txt ] || { echo "windows-deps: $gtest is missing (googletest)" >&2; exit 1; }
stamp=$(cat "$dest/src/libsdl2.unpacked" "$0" "$root/cmake/mingw-w64.cmake" $gtest/CMakeLists.txt |
  sha256sum | cut -c1-16)
[ "$(cat "$prefix/.stamp" 2>/dev/null)" = "$stamp" ] && exit 0
rm -rf "$prefix" "$dest/build"
mkdir -p "$dest/build"

# NAME SOURCE OPTIONS...: configure, build and install one library; its log is shown only on
# failure.
build() {
  name=$1
  src=$2
  shift 2
  log=$dest/build/$name.log
  start=$(date +%s)
  printf 'windows-deps: building %s for Windows... ' "$name"
  if ! { cmake -S "$src" -B "$dest/build/$name" -G Ninja -DCMAKE_BUILD_TYPE=Release \
           -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DQM_WINDOWS_PREFIX="$prefix" \
           -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF "$@" &&
         cmake --build "$dest/build/$name" -j "${JOBS:-2}" &&
         cmake --install "$dest/build/$name"; } >"$log" 2>&1; then
    tail -n 30 "$log" >&2
    echo "windows-deps: $name failed; the whole log is $log" >&2
    exit 1
  fi
  echo "$(($(date +%s) - start)) s"
}

# Video, events and timers are all the game uses; sound and game controllers stay out.
build libsdl2 "$dest/src/libsdl2" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF \
  -DSDL_CCACHE=OFF -DSDL_AUDIO=OFF -DSDL_JOYSTICK=OFF -DSDL_HAPTIC=OFF -DSDL_HIDAPI=OFF -DSDL_SENSOR=OFF \
  -DSDL_VULKAN=OFF -DSDL_OPENGLES=OFF
build googletest $gtest -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON
echo "$stamp" >"$prefix/.stamp"
