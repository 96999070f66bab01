#!/bin/sh
# The game's command line, with no display to open: --help and --version print to stdout and
# exit 0, anything else is one line on stderr and status 2.
# Usage: command_line_test.sh GAME VERSION
set -u
game="$1"
version="$2"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAILED: $*"; exit 1; }
# run EXPECTED-STATUS ARGS...: the game without a display, its output in $out and $err.
run() {
  expected="$1"
  shift
  env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=x11 timeout 20 "$game" "$@" \
    >"$scratch/out" 2>"$scratch/err"
  status=$?
  out="$(cat "$scratch/out")"
  err="$(cat "$scratch/err")"
  [ "$status" -eq "$expected" ] || fail "$* ended with $status: $err"
}
run 0 --help
[ -z "$err" ] || fail "--help wrote to stderr: $err"
case "$out" in "Usage: quillmere [OPTION]"*) ;; *) fail "--help: $out" ;; esac
run 0 --version
[ "$out" = "quillmere (Quillmere) $version" ] || fail "--version: $out"
[ -z "$err" ] || fail "--version wrote to stderr: $err"
for args in --frob -x "--help=1" "play"; do
  run 2 $args
  [ -z "$out" ] || fail "$args wrote to stdout: $out"
  [ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] || fail "$args: not one line: $err"
  case "$err" in *"argument 1: "*"'$args'; see 'quillmere --help'") ;; *) fail "$args: $err" ;; esac
done
echo "command line as expected"
