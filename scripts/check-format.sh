#!/usr/bin/env bash
# Fails, naming the files, when clang-format (with the repository's .clang-format) would change
# any C++ file that git tracks. scripts/check-format.sh --fix formats them in place.
set -euo pipefail
cd "$(dirname "$0")/.."
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -d '' files < <(git ls-files -z -- '*.cpp' '*.h' '*.cc' '*.hpp')
else
  mapfile -d '' files < <(find . -path ./build -prune -o -type f \( -name '*.cpp' -o -name '*.h' \
    -o -name '*.cc' -o -name '*.hpp' \) -print0)
fi
if [ "${1:-}" = "--fix" ]; then
  clang-format -i -- "${files[@]}"
  exit 0
fi
mapfile -t bad < <(printf '%s\0' "${files[@]}" | xargs -0 -P "$(nproc)" -I{} \
  sh -c 'clang-format --dry-run --Werror -- "$1" >/dev/null 2>&1 || printf "%s\n" "$1"' _ {} | sort)
if [ ${#bad[@]} -gt 0 ]; then
  echo "these files are not formatted as .clang-format says (scripts/check-format.sh --fix):"
  printf '  %s\n' "${bad[@]}"
  exit 1
fi
echo "formatting: ${#files[@]} files checked, all formatted"
