#!/bin/sh
# CPU at the start screen and in play, time to the first frame and memory of the windowed game,
# under Xvfb. Usage: bench/measure-window.sh [BUILD-DIR] [--runs N]
set -e
build="${1:-build}"
[ $# -gt 0 ] && shift
exec /usr/bin/python3 "$(dirname "$0")/sdl/measure_window.py" "$build/quillmere" "$@"
