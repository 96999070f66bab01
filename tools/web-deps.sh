#!/bin/sh
# Builds SDL2 for the page with emscripten from Debian's own source (static, no threads) into
# OUT/deps/prefix, once: a stamp records what was built. The game needs no font renderer when it
# runs (its letters are rendered at build time), so SDL2 is all.
#   tools/web-deps.sh [OUT]          (OUT defaults to build-web)
#   tools/web-deps.sh --probe [OUT]  runs SDL2's ~160 configure checks for real and rewrites
#                                    cmake/sdl2-web-checks.cmake from their results
# SDL2's configure links every check through emcc (minutes); the committed initial cache
# (cmake -C) gives the same SDL_config.h in a second.
set -e
probe=""
[ "$1" = "--probe" ] && { probe=1; shift; }
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build-web}
mkdir -p "$out"
out=$(cd "$out" && pwd)
deps=$out/deps
prefix=$deps/prefix
checks=$root/cmake/sdl2-web-checks.cmake
export EMSDK_PYTHON=/usr/bin/python3 NODE_PATH=/usr/share/nodejs

command -v emcmake >/dev/null || { echo "web-deps: emcmake is missing (install emscripten)" >&2; exit 1; }
"$root/tools/deb-source.sh" "$deps/src" libsdl2

# Only what the game uses: video, events, timers; no audio, no joysticks, no threads.
sdl_options="-DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL_THREADS=OFF -DSDL_AUDIO=OFF
  -DSDL_JOYSTICK=OFF -DSDL_HAPTIC=OFF -DSDL_SENSOR=OFF -DSDL_HIDAPI=OFF -DSDL_POWER=OFF"
common="-G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=$prefix"
log=$deps/build.log
build=$deps/b/sdl2

if [ -n "$probe" ]; then
  rm -rf "$build-probe"
  # shellcheck disable=SC2086
  emcmake cmake -S "$deps/src/libsdl2" -B "$build-probe" $common $sdl_options >"$log" 2>&1
  {
    echo "# SDL2's configure checks under Debian's emscripten, with tools/web-deps.sh's options:"
    echo "# cmake -C this file skips ~160 links through emcc. Written by tools/web-deps.sh --probe"
    echo "# from $(cat "$deps/src/libsdl2.unpacked") and $(emcc --version | sed -n 1p |
      sed -E 's/.* ([0-9]+[.][0-9]+[.][0-9]+).*/emcc \1/')."
    grep -E "^(HAVE_[A-Za-z0-9_]*|LIBC_IS_GLIBC|STDC_HEADERS):INTERNAL=" "$build-probe/CMakeCache.txt" |
      sed -E 's/^([^:]*):INTERNAL=(.*)$/set(\1 "\2" CACHE INTERNAL "")/'
  } >"$checks"
  echo "web-deps: wrote $checks"
  exit 0
fi

stamp=$prefix/.built
want=$(cat "$deps/src/libsdl2.unpacked"
  emcc --version | sed -n 1p
  echo "$sdl_options"
  cat "$checks")
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$want" ]; then exit 0; fi

start=$(date +%s)
echo "web-deps: building SDL2 with emscripten (log: $log)"
rm -rf "$deps/b" "$prefix"
# shellcheck disable=SC2086
emcmake cmake -S "$deps/src/libsdl2" -B "$build" -C "$checks" $common $sdl_options >"$log" 2>&1 &&
  cmake --build "$build" >>"$log" 2>&1 &&
  cmake --install "$build" >>"$log" 2>&1 ||
  { echo "web-deps: SDL2 failed; the end of $log:" >&2; tail -n 20 "$log" >&2; exit 1; }
rm -rf "$deps/b"
echo "$want" >"$stamp"
echo "web-deps: built in $(($(date +%s) - start)) s"
