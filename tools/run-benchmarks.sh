#!/usr/bin/env bash
# Builds and runs the benchmarks: first the native ones (Google Benchmark,
# optimised with debug information), then the Windows ones under Wine, each
# of which prints its comparisons as ratios of medians measured side by side.
#
# Without arguments each native benchmark is repeated five times and only the
# aggregates are shown; arguments replace those options, e.g.
#
#   tools/run-benchmarks.sh --benchmark_filter=Parse
#
# Environment:
#   BENCH_SIDES     native, win or both (default both)
#   WIN_BENCHES     the Windows benchmarks to run, e.g. "keystroke picklist"
#                   (default: keystroke navigation picklist startup)
#   WIN_BENCH_ARGS  options for each Windows benchmark: --quick, --samples=N
#   WINEPREFIX      the Wine prefix (default: build/wineprefix-bench, apart from
#                   the tests' prefix, whose wineserver a test run may be using)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

sides=${BENCH_SIDES:-both}
jobs=${JOBS:-2}
load() { echo "-- load: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"; }

if [ "$sides" != win ]; then
  args=("$@")
  [ $# -gt 0 ] || args=(--benchmark_repetitions=5 --benchmark_report_aggregates_only=true)

  cmake --preset native >/dev/null
  targets=()
  for src in bench/bench_*.cpp; do
    [ -f "$src" ] && targets+=("$(basename "$src" .cpp)")
  done
  if [ ${#targets[@]} -gt 0 ]; then
    cmake --build --preset native -j "$jobs" --target "${targets[@]}"
    for name in "${targets[@]}"; do
      echo "== $name"
      load
      report="build/native/bench/$name.json"
      "build/native/bench/$name" "${args[@]}" --benchmark_out="$report" --benchmark_out_format=json
      # The rules side by side with the standard library's conversions.
      if [ "$name" = bench_format_rules ]; then
        tools/bench-ratios.py "$report" \
          "BM_ParseIntegerText / BM_FromCharsInt32" \
          "BM_ParseFloatText / BM_FromCharsDouble" \
          "BM_ParseFloatText / BM_Strtold" \
          "BM_NormalizeEditText/kind:0 / BM_FromCharsThenStore<std::int32_t>" \
          "BM_NormalizeEditText/kind:1 / BM_FromCharsThenStore<std::int32_t>" \
          "BM_NormalizeEditText/kind:2 / BM_FromCharsThenStore<double>" \
          "BM_NormalizeEditText/kind:3 / BM_FromCharsThenStore<double>" \
          "BM_NormalizeEditText/kind:4 / BM_FromCharsThenStore<double>"
      fi
    done
  else
    echo "no native benchmarks in bench/"
  fi
fi

if [ "$sides" != native ]; then
  read -r -a names <<<"${WIN_BENCHES:-keystroke navigation picklist startup}"
  targets=()
  for name in "${names[@]}"; do targets+=("bench_win_$name"); done
  cmake --preset win64 >/dev/null
  cmake --build --preset win64 -j "$jobs" --target "${targets[@]}"
  export WINEPREFIX="${WINEPREFIX:-$PWD/build/wineprefix-bench}"
  # One display and one warm wineserver for all of them; the start-up
  # benchmark needs the wineserver warm in particular.
  WIN_BENCH_ARGS="${WIN_BENCH_ARGS:-}" tools/with-display.sh bash -c '
    set -e
    args=($WIN_BENCH_ARGS)
    for name in "$@"; do
      echo "-- load: $(cut -d" " -f1-3 /proc/loadavg) on $(nproc) cores"
      wine "build/win64/bench/win/$name.exe" "${args[@]}"
    done' _ "${targets[@]}"
fi
