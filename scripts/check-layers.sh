#!/usr/bin/env bash
# Fails when a file under src/ includes a header of a folder that is not below its own in the
# order of the layers: platform -> run -> rules -> relations, xml, image -> check -> cli, app.
# Folders of one rank do not include each other; the tamper-check library stands alone.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A rank=(
  [platform]=0 [run]=1 [rules]=2 [relations]=3 [xml]=3 [image]=3 [check]=4 [cli]=5 [app]=5
)

status=0
while IFS= read -r -d '' file; do
  from=${file#src/}
  from=${from%%/*}
  while IFS=: read -r line target; do
    to=${target%%/*}
    [[ "$to" == "$from" ]] && continue
    allowed=0
    if [[ "$from" != checkhash && -n "${rank[$to]:-}" && -n "${rank[$from]:-}" ]] &&
      ((rank[$to] < rank[$from])); then
      allowed=1
    fi
    if ((!allowed)); then
      echo "$file:$line: $from/ may not include $target" >&2
      status=1
    fi
  done < <(grep -no '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[a-z0-9_]*/[^"]*"' "$file" |
    sed 's/^\([0-9]*\):.*"\(.*\)"$/\1:\2/')
done < <(find src \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)

if ((status == 0)); then
  echo "layers: every include under src/ follows the order"
fi
exit $status
