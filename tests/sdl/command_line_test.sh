#!/bin/sh
# The game's command line, with no display to open: --help and --version print to stdout and exit
# 0, anything else is one line on stderr and status 2. Usage: command_line_test.sh GAME VERSION
set -u
game="$1" version="$2" errors="$(mktemp)"
trap 'rm -f "$errors"' EXIT
fail() { echo "FAILED: $*"; exit 1; }
run() {  # STATUS ARGS...: the game without a display, its output in $out and $err
  expected="$1"
  shift
  out="$(env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=x11 timeout 20 "$game" "$@" 2>"$errors")"
  status=$? err="$(cat "$errors")"
  [ "$status" -eq "$expected" ] || fail "$* ended with $status: $err"
  if [ "$expected" -eq 0 ]; then silent="$err"; else silent="$out"; fi
  [ -z "$silent" ] || fail "$* wrote to the wrong stream: $silent"
}
run 0 --help
case "$out" in "Usage: quillmere [OPTION]"*) ;; *) fail "--help: $out" ;; esac
run 0 --version
[ "$out" = "quillmere (Quillmere) $version" ] || fail "--version: $out"
for args in --frob -x "--help=1" "play"; do
  run 2 $args
  [ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] || fail "$args: not one line: $err"
  case "$err" in *"argument 1: "*"'$args'; see 'quillmere --help'") ;; *) fail "$args: $err" ;; esac
done
echo "command line as expected"
