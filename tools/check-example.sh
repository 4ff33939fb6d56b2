#!/usr/bin/env bash
# Proves the installed package: installs the win64 build into a prefix,
# configures and builds examples/hello-grid against it with find_package,
# runs the program under Wine until its window shows, types into the grid,
# and closes it. Needs a display (run it through tools/with-display.sh).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build/win64}
prefix=$build/install-check
out=$build/hello-grid

rm -rf "$prefix" "$out"
cmake --install "$build" --prefix "$prefix" >/dev/null
cmake -S "$root/examples/hello-grid" -B "$out" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DQuillet_DIR="$prefix/lib/cmake/Quillet" >/dev/null
cmake --build "$out" >/dev/null

# No header may point back into the source or build tree.
if grep -rlE "$root|$build" "$prefix/include" "$prefix/lib/cmake" >/dev/null; then
  echo "installed files name build-internal paths" >&2
  exit 1
fi

wine "$out/HelloGrid.exe" &
pid=$!
win=""
for _ in $(seq 1 100); do
  win=$(xdotool search --name '^Prices$' 2>/dev/null | head -n 1) && [ -n "$win" ] && break
  sleep 0.1
done
if [ -z "$win" ]; then
  kill "$pid" 2>/dev/null || true
  echo "HelloGrid showed no window titled Prices" >&2
  exit 1
fi
xdotool key --window "$win" alt+F4
for _ in $(seq 1 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  kill "$pid"
  echo "HelloGrid did not close" >&2
  exit 1
fi
wait "$pid"
echo "HelloGrid built against the installed package, ran and closed"
