#!/usr/bin/env bash
# Builds and runs every test: the native build (platform-free code), the
# fuzzers for a short bounded time, and the Windows build under Wine.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
tools/install-deps.sh
jobs=$(nproc)

tools/check-format.sh

cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native -j "$jobs"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"
ctest --test-dir build/fuzz --output-on-failure -j "$jobs"

cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$jobs"
# One at a time: window tests move the focus and the pointer, which are
# shared by everything on the display. A test whose Wine process fails to
# start at all (seen rarely on a loaded machine) gets one more run.
LANG=en_US.UTF-8 tools/with-display.sh ctest --preset win64 --repeat until-pass:2
