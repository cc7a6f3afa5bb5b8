#!/usr/bin/env bash
# A newcomer's first command: installs what is missing, builds Kestrova and checks the sample
# medium in examples/.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
build/bin/kestrova-check examples/sample-medium
