#!/usr/bin/env bash
# Installs the Debian packages that building and testing Kestrova needs, skipping those already
# there. Run as root on Debian 12 (bookworm) or later.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang clang-format pkg-config
  libxml2-dev libssl-dev nlohmann-json3-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev
  xvfb xauth fonts-noto-cjk
  libimage-exiftool-perl libtiff-tools python3-jsonschema
  libclang-rt-14-dev
  dpkg-dev lintian appstream desktop-file-utils
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  apt-get update -q
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
