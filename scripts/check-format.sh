#!/usr/bin/env bash
# Fails when a C++ file of the repository (committed or new, not ignored) is not formatted as
# .clang-format says, and names the files; `clang-format -i FILE` formats one. The layout is that
# of the clang-format that scripts/install-deps.sh installs.
set -euo pipefail
cd "$(dirname "$0")/.."

unformatted=()
while IFS= read -r -d '' file; do
  [[ -f "$file" ]] || continue
  if ! clang-format --dry-run --Werror "$file" >/dev/null 2>&1; then unformatted+=("$file"); fi
done < <(git ls-files -z --cached --others --exclude-standard -- '*.cpp' '*.h')

if ((${#unformatted[@]})); then
  printf 'not formatted (clang-format -i FILE): %s\n' "${unformatted[@]}" >&2
  exit 1
fi
echo "format: every C++ file follows .clang-format"
