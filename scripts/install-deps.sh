#!/usr/bin/env bash
# Installs the Debian packages that building, testing, benchmarking and fuzzing Liftwise need.
# Runs apt-get only when something is missing.
set -euo pipefail

packages=(
    cmake g++ make
    qt6-base-dev
    # Qt Charts; its CMake package needs Qt OpenGL's, which Debian ships apart.
    qt6-charts-dev libqt6opengl6-dev
    libbenchmark-dev libeigen3-dev
    xvfb xauth fonts-dejavu-core
    clang-14 libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
"${sudo[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
