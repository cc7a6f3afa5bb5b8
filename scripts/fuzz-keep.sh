#!/usr/bin/env bash
# Keeps what fuzz runs found: merges the inputs of build-fuzz/corpus/TARGET and of the kept
# archive into the smallest set that adds coverage over the seeds of fuzz/corpus/TARGET, and
# writes it as fuzz/found/TARGET.tar.gz (read by scripts/fuzz.sh). Run after scripts/fuzz.sh.
#   scripts/fuzz-keep.sh TARGET|all
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t targets <fuzz/targets.txt
if [[ $# -ne 1 ]]; then
  echo "usage: $0 TARGET|all" >&2
  exit 64
fi
[[ "$1" == all ]] || targets=("$1")

build=build-fuzz
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TMPDIR=$work ASAN_OPTIONS=detect_leaks=0
for target in "${targets[@]}"; do
  if [[ ! -x "$build/bin/fuzz_$target" ]]; then
    echo "no $build/bin/fuzz_$target: run scripts/fuzz.sh $target first" >&2
    exit 64
  fi
  # The merge adds to its first folder only what covers something new: start from the seeds.
  mkdir -p "$work/$target/merged" "$work/$target/kept"
  cp -r "fuzz/corpus/$target/." "$work/$target/merged/"
  if [[ -f "fuzz/found/$target.tar.gz" ]]; then
    tar -xzf "fuzz/found/$target.tar.gz" -C "$work/$target/kept"
  fi
  "$build/bin/fuzz_$target" -merge=1 "$work/$target/merged" "$work/$target/kept" \
    "$build/corpus/$target" 2>&1 | grep "MERGE-OUTER: .* new files" || true
  for seed in "fuzz/corpus/$target"/*; do rm -f "$work/$target/merged/$(basename "$seed")"; done
  mkdir -p fuzz/found
  tar -czf "fuzz/found/$target.tar.gz" -C "$work/$target/merged" --sort=name --owner=0 \
    --group=0 --numeric-owner --mtime=@0 .
  echo "$target: $(ls "$work/$target/merged" | wc -l) inputs kept in fuzz/found/$target.tar.gz"
done
