#!/usr/bin/env bash
# Builds the demo and shows it: on the user's display when there is one,
# otherwise on a virtual display, saving a screenshot to build/demo.png.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
tools/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$(nproc)" --target QuilletDemo
exe=build/win64/demo/QuilletDemo.exe
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec tools/with-display.sh wine "$exe"
fi
shot=build/demo.png
tools/with-display.sh bash -c '
  wine "$1" & pid=$!
  for _ in $(seq 1 100); do
    xdotool search --name "TQuillet Test Application" >/dev/null 2>&1 && break
    sleep 0.1
  done
  sleep 1
  import -window root "$2"
  kill $pid; wait $pid 2>/dev/null || true' _ "$exe" "$shot"
echo "No display: the demo ran on a virtual one; screenshot saved to $shot"
