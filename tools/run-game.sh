#!/bin/sh
# Starts the windowed game from a build directory.
build="${1:-build}"
if [ ! -x "$build/quillmere" ]; then
  echo "run-game: $build/quillmere was not built (is libsdl2-dev installed?)" >&2
  exit 1
fi
exec "$build/quillmere"
