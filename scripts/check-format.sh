#!/usr/bin/env bash
# Fails when a C++ file of ours is not clang-format clean. With --fix it rewrites them.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files -co --exclude-standard -- '*.cpp' '*.h' | grep -v '^build')
[ ${#files[@]} -eq 0 ] && exit 0
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
if ! clang-format --dry-run --Werror "${files[@]}"; then
  echo "clang-format: run scripts/check-format.sh --fix" >&2
  exit 1
fi
echo "clang-format: ${#files[@]} files clean"
