#!/usr/bin/env bash
# Builds the native preset (optimised, with debug information) and runs every
# bench_* executable. Without arguments each benchmark is repeated five times
# and only the aggregates are shown; arguments replace those options, e.g.
#
#   tools/run-benchmarks.sh --benchmark_filter=Parse
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

args=("$@")
[ $# -gt 0 ] || args=(--benchmark_repetitions=5 --benchmark_report_aggregates_only=true)

cmake --preset native >/dev/null
targets=()
for src in bench/bench_*.cpp; do
  [ -f "$src" ] && targets+=("$(basename "$src" .cpp)")
done
[ ${#targets[@]} -gt 0 ] || { echo "no benchmarks in bench/"; exit 0; }
cmake --build --preset native -j "${JOBS:-2}" --target "${targets[@]}"

for name in "${targets[@]}"; do
  echo "== $name"
  "build/native/bench/$name" "${args[@]}"
done
