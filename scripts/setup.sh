#!/usr/bin/env bash
# Installs what Korvane needs to build and test on Debian 12 (only what is
# missing), then configures and builds into build/ (or $KORVANE_BUILD).
# KORVANE_SANITIZE=1 builds with the address and undefined-behaviour sanitizers;
# KORVANE_FUZZ=1 builds only the fuzz targets, with clang, into build-fuzz/;
# KORVANE_TESTS=0 installs and builds the program alone, without the tests.
# Progress goes to the error stream; the build folder is the only output.
set -euo pipefail
cd "$(dirname "$0")/.."

paquets=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-image-formats-plugins libqt6svg6
         libxrandr-dev libx11-dev libgl-dev fonts-dejavu-core)
tests="${KORVANE_TESTS:-1}"
if [ "$tests" = 1 ]; then
  # The tests, the benchmarks, the end-to-end runs, the accessibility tree,
  # the package checks, the class report's rendering and the school's file
  # servers (Samba and SSH shares mounted through FUSE).
  paquets+=(googletest libgtest-dev libbenchmark-dev xvfb xdotool x11-utils
            x11-xserver-utils imagemagick xserver-xorg-core xserver-xorg-video-dummy
            dbus at-spi2-core python3-gi gir1.2-atspi-2.0
            dpkg-dev desktop-file-utils appstream lintian xdg-utils chromium
            samba smbnetfs sshfs openssh-server)
fi
[ "${KORVANE_FUZZ:-0}" = 1 ] && paquets+=(clang)
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
if [ "${KORVANE_FUZZ:-0}" = 1 ]; then
  build="${KORVANE_BUILD:-build-fuzz}"
  options=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_FUZZ=ON
           -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang)
fi
if [ "$tests" = 1 ]; then options+=(-DBUILD_TESTING=ON); else options+=(-DBUILD_TESTING=OFF); fi
cmake -S . -B "$build" "${options[@]}" >&2
cmake --build "$build" -j "$(nproc)" >&2
echo "$build"
