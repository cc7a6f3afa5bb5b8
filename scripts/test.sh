#!/usr/bin/env bash
# Builds Kestrova and runs every test. With --sanitize, builds in build-asan with
# AddressSanitizer and UndefinedBehaviorSanitizer and runs the same tests there.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [[ "${1:-}" == "--sanitize" ]]; then
  build=build-asan
  # The desktop program is tested in the plain build: the GUI toolkit's own allocations are not
  # ours to chase.
  options=(-DCMAKE_BUILD_TYPE=Debug -DKESTROVA_SANITIZE=ON -DKESTROVA_BUILD_APP=OFF)
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi

cmake -S . -B "$build" -G Ninja "${options[@]}"
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure -j2
