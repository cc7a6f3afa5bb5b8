#!/usr/bin/env bash
# Builds the libFuzzer targets in build-fuzz (clang) and runs one of them, or all of them one
# after the other, for the given number of seconds each:
#   scripts/fuzz.sh TARGET SECONDS      e.g. scripts/fuzz.sh exif 60
#   scripts/fuzz.sh all SECONDS
# Further arguments go to every target as libFuzzer options, e.g. -runs=10000000 to stop after
# that many executions (whichever of time and runs comes first).
# The targets are those of fuzz/targets.txt. The seeds in fuzz/corpus/TARGET and the inputs kept
# in fuzz/found/TARGET.tar.gz (scripts/fuzz-keep.sh) are read only; inputs found to add coverage
# go to build-fuzz/corpus/TARGET, a crashing input to build-fuzz/artifacts/TARGET/. The status is
# not 0 when a target fails.
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ $# -lt 2 || ! "$2" =~ ^[0-9]+$ ]]; then
  echo "usage: $0 TARGET|all SECONDS [libFuzzer options]" >&2
  exit 64
fi
mapfile -t targets <fuzz/targets.txt
if [[ "$1" != all ]]; then
  if [[ ! " ${targets[*]} " =~ " $1 " ]]; then
    echo "unknown target $1; targets: ${targets[*]}" >&2
    exit 64
  fi
  targets=("$1")
fi

build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKESTROVA_FUZZ=ON -DKESTROVA_BUILD_APP=OFF -DKESTROVA_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target "${targets[@]/#/fuzz_}"

# Every input is written to a file: a memory file system makes the runs about three times faster.
# The targets' input folders go to a folder of this script, removed when it ends.
scratch_parent=/tmp
if [[ -d /dev/shm && -w /dev/shm ]]; then scratch_parent=/dev/shm; fi
TMPDIR=$(mktemp -d "$scratch_parent/kestrova-fuzz-run.XXXXXX")
export TMPDIR
trap 'rm -rf "$TMPDIR"' EXIT
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
for target in "${targets[@]}"; do
  mkdir -p "$build/corpus/$target" "$build/artifacts/$target"
  # The inputs that earlier long runs found, minimized, start every run from where they got.
  found=()
  if [[ -f "fuzz/found/$target.tar.gz" ]]; then
    rm -rf "$build/found/$target"
    mkdir -p "$build/found/$target"
    tar -xzf "fuzz/found/$target.tar.gz" -C "$build/found/$target"
    found=("$build/found/$target")
  fi
  echo "== $target: $2 s"
  "$build/bin/fuzz_$target" -max_total_time="$2" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$build/artifacts/$target/" "${@:3}" \
    "$build/corpus/$target" "fuzz/corpus/$target" "${found[@]}"
done
