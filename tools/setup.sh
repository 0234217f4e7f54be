#!/usr/bin/env bash
# Installs what Lumet needs on Debian 12 (as root, or through sudo) and
# builds it in build/. Sourced by lumet.sh, test.sh, screenshot.sh and
# look.sh.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

packages=(g++ cmake make libgtest-dev libbenchmark-dev qt6-base-dev nlohmann-json3-dev
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  fonts-dejavu-core fonts-liberation xvfb xauth
  librsvg2-bin desktop-file-utils appstream shared-mime-info libxml2-utils dpkg-dev file man-db
  python3 clang-format)
# To look at the window as a user does (tools/look.sh): screenshots of the
# real window on a virtual display, resized by the window system.
if [ "${LUMET_LOOK:-0}" = 1 ]; then
  packages+=(imagemagick xdotool)
fi
missing=()
# The fuzz targets (tools/fuzz.sh): clang, its libFuzzer and sanitizer runtimes, the symbolizer.
packages+=(clang libclang-rt-14-dev llvm)
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  as_root=()
  [ "$(id -u)" -ne 0 ] && as_root=(sudo)
  echo "Installing: ${missing[*]}"
  "${as_root[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

build() {  # build DIR [cmake options...]
  local dir=$1
  shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" -j "$(nproc)"
}
