#!/usr/bin/env bash
# Fails when a C++ source of the project is not formatted as .clang-format says.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
bad=()
while IFS= read -r f; do
  clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done < <(git ls-files '*.h' '*.cpp')
if [ ${#bad[@]} -gt 0 ]; then
  printf 'not formatted (run: clang-format -i FILE):\n' >&2
  printf '  %s\n' "${bad[@]}" >&2
  exit 1
fi
echo "formatting: ok"
