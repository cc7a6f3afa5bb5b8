#!/usr/bin/env bash
# Renders the desktop program's main dialog after a run on a medium into a PNG, under Qt's
# offscreen platform (no display needed).
#   scripts/screenshot.sh [BUILD_DIR] [MEDIUM] [OUTPUT.png]
# Defaults: the build folder "build", the faulty sample medium, and kestrova-screenshot.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
medium=${2:-$root/examples/faulty-medium}
output=${3:-kestrova-screenshot.png}

cmake --build "$build" --target kestrova_screenshot -- -j2 >/dev/null
QT_QPA_PLATFORM=offscreen "$build/bin/kestrova_screenshot" "$medium" "$output"
echo "$output"
