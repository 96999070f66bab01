#!/bin/sh
# Times `quillmere-sim lock` as a whole process: the median of many runs, in milliseconds.
# Usage: bench/sim_process.sh [build-dir] [runs]
set -eu
build="${1:-build}"
runs="${2:-200}"
sim="$build/quillmere-sim"
position=$(mktemp)
trap 'rm -f "$position"' EXIT
{
  echo "score 40"
  for _ in 1 2 3 4 5 6 7 8; do echo "......"; done
  echo "4....."; echo "45...."; echo "356..."; echo "2367.."; echo "77236."
} >"$position"
i=0
while [ "$i" -lt "$runs" ]; do
  start=$(date +%s%N)
  "$sim" lock 4 10 5 3 <"$position" >/dev/null
  end=$(date +%s%N)
  echo $(((end - start) / 1000))
  i=$((i + 1))
done | sort -n | awk '{ a[NR] = $1 } END {
  printf "quillmere-sim lock, whole process: median %.2f ms, p90 %.2f ms over %d runs\n",
         a[int((NR + 1) / 2)] / 1000, a[int(NR * 0.9)] / 1000, NR }'
