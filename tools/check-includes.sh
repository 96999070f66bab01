#!/bin/sh
# Checks that every include in src/ points down the stack
#   app -> sim -> host -> input -> flow -> game -> ui
# and that the SDL host (src/host/sdl) reaches the game through host/ alone.
# Usage: tools/check-includes.sh   (prints each include that runs the wrong way; status 1 if any)
cd "$(dirname "$0")/.." || exit 2
grep -rn '^#include "' src | awk '
  BEGIN { split("ui game flow input host sim app", order, " "); for (i in order) rank[order[i]] = i }
  {
    split($0, parts, ":"); file = parts[1]
    match($0, /#include "[^"]*"/); target = substr($0, RSTART + 10, RLENGTH - 11)
    split(file, f, "/"); from = f[2]
    split(target, t, "/"); to = t[1]
    if (!(to in rank)) next                           # a header of the build or of SDL
    bad = rank[to] > rank[from]
    if (file ~ /^src\/host\/sdl\// && to != "host" && to != "ui") bad = 1
    if (bad) { print "wrong way: " $0; n++ }
  }
  END { exit n > 0 }'
