#!/bin/sh
# Every benchmark: the rules and whole games on the virtual clock, then the simulator process.
set -eu
build="${1:-build}"
"$build/bench/quillmere_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
"$(dirname "$0")/sim_process.sh" "$build"
