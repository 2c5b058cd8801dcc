#!/usr/bin/env bash
# Installs every Debian 12 package that building, running and testing Varenta needs.
set -euo pipefail
packages=(
    build-essential cmake ninja-build pkg-config git
    qt6-base-dev qt6-base-dev-tools libqt6network6 libqt6svg6 libqt6sql6-sqlite
    qt6-httpserver-dev qt6-websockets-dev
    libgumbo-dev libxlsxwriter-dev unzip
    libboost-math-dev qt6-charts-dev libqt6opengl6-dev
    libbenchmark-dev hyperfine valgrind
    fonts-thai-tlwg fonts-dejavu-core
    xvfb xauth x11-apps imagemagick openbox xdotool
    clang clang-format libclang-rt-14-dev
    qt6-qpa-plugins libgl1-mesa-dev libxkbcommon-dev
    dpkg-dev file lintian appstream desktop-file-utils
)
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y --no-install-recommends "${packages[@]}"
