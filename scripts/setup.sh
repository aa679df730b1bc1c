#!/usr/bin/env bash
# Installs what Korvane needs to build and test on Debian 12 (only what is
# missing), then configures and builds into build/ (or $KORVANE_BUILD).
# KORVANE_SANITIZE=1 builds with the address and undefined-behaviour sanitizers.
# Progress goes to the error stream; the build folder is the only output.
set -euo pipefail
cd "$(dirname "$0")/.."

paquets=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-image-formats-plugins libqt6svg6
         libxrandr-dev libx11-dev libgl-dev googletest libgtest-dev libbenchmark-dev
         xvfb xdotool x11-utils x11-xserver-utils imagemagick xserver-xorg-core
         xserver-xorg-video-dummy fonts-dejavu-core)
manquants=()
for p in "${paquets[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || manquants+=("$p")
done
if [ ${#manquants[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${manquants[@]}"
fi

build="${KORVANE_BUILD:-build}"
options=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${KORVANE_SANITIZE:-0}" = 1 ]; then
  build="${KORVANE_BUILD:-build-asan}"
  options=(-G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVANE_SANITIZE=ON)
fi
cmake -S . -B "$build" "${options[@]}" >&2
cmake --build "$build" -j "$(nproc)" >&2
echo "$build"
