#!/usr/bin/env bash
# Builds the fuzz preset and gives every fuzz_* target a long run.
#
#   tools/run-fuzzers.sh                  each target for 300 s
#   tools/run-fuzzers.sh 600              each target for 600 s
#   tools/run-fuzzers.sh -runs=10000000   each target for that many inputs
#
# Further arguments go to libFuzzer as they are. The committed corpus in
# fuzz/corpus/NAME only seeds a run: new inputs go to build/fuzz-corpus/NAME,
# and crashes to build/fuzz-artifacts/. A dictionary fuzz/NAME.dict is used
# when there is one.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

args=()
if [ $# -eq 0 ]; then
  args=(-max_total_time=300)
elif [[ $1 =~ ^[0-9]+$ ]]; then
  args=("-max_total_time=$1")
  shift
fi
args+=("$@")

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "${JOBS:-2}"

mkdir -p build/fuzz-artifacts
status=0
for exe in build/fuzz/fuzz/fuzz_*; do
  [ -f "$exe" ] && [ -x "$exe" ] || continue
  name=$(basename "$exe")
  corpus=${name#fuzz_}
  scratch=build/fuzz-corpus/$corpus
  mkdir -p "$scratch"
  seeds=()
  [ -d "fuzz/corpus/$corpus" ] && seeds=("fuzz/corpus/$corpus")
  dict=()
  [ -f "fuzz/$corpus.dict" ] && dict=("-dict=fuzz/$corpus.dict")
  echo "== $name ${args[*]}"
  if ! "$exe" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="build/fuzz-artifacts/$name-" "${dict[@]}" "${args[@]}" "$scratch" "${seeds[@]}"; then
    echo "== $name FAILED (see build/fuzz-artifacts/)"
    status=1
  fi
done
exit $status
