#!/usr/bin/env bash
# Runs the random-input test of the grid for a long time:
#
#   tools/run-monkey.sh [events] [seed]
#
# events: how many input events (default 1000000); seed: the run's seed
# (default: taken from the clock, and printed). A failure prints the seed and
# the event index, and the command that replays the run up to that event.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
events=${1:-1000000}
seed=${2:-$(date +%s)}

cmake --preset win64 >/dev/null
cmake --build --preset win64 --target QuilletMonkeyTest -j "${JOBS:-2}"

echo "monkey: seed $seed, $events events"
start=$(date +%s)
status=0
QUILLET_MONKEY_SEED=$seed QUILLET_MONKEY_SEEDS=1 QUILLET_MONKEY_EVENTS=$events \
  tools/with-display.sh tools/wine-run build/win64/tests/QuilletMonkeyTest.exe \
  --gtest_filter='Seeds/*' || status=$?
echo "monkey: seed $seed, $events events, exit status $status, $(($(date +%s) - start)) s"
exit $status
