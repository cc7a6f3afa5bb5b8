#!/usr/bin/env bash
# Builds Kestrova and runs every test, on every core; a compiler warning fails the build. With
# --sanitize, builds in build-asan with clang, AddressSanitizer and UndefinedBehaviorSanitizer and
# runs the same tests there.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTROVA_WERROR=ON)
if [[ "${1:-}" == "--sanitize" ]]; then
  build=build-asan
  export CC=${CC:-clang} CXX=${CXX:-clang++}
  # The desktop program is tested in the plain build: the GUI toolkit's own allocations are not
  # ours to chase. The benchmarks are not measured there.
  options=(-DCMAKE_BUILD_TYPE=Debug -DKESTROVA_WERROR=ON -DKESTROVA_SANITIZE=ON
    -DKESTROVA_BUILD_APP=OFF -DKESTROVA_BUILD_BENCH=OFF)
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi

jobs=$(nproc)
cmake -S . -B "$build" -G Ninja "${options[@]}"
cmake --build "$build" -j "$jobs"
ctest --test-dir "$build" --output-on-failure -j "$jobs"
