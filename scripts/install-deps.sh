#!/usr/bin/env bash
# Installs the Debian packages a part of the work needs, and only those that are missing:
#   install-deps.sh run       building and running the window and liftwise-cli (the default)
#   install-deps.sh test      the above, and the tools the tests check the desktop files and the
#                             printable report with
#   install-deps.sh bench     the above, and Google Benchmark and Eigen
#   install-deps.sh fuzz      the above, and clang with its sanitizer and fuzzer runtime
set -euo pipefail

# Qt Charts' CMake package needs Qt OpenGL's, which Debian ships apart; Google Highway (libhwy-dev)
# gives the matrix inverse its kernels for each instruction set; dxflib writes the cutting
# templates' DXF drawings; pybind11, Python's headers and numpy build the Python module.
run=(cmake g++ make qt6-base-dev qt6-svg-dev qt6-charts-dev libqt6opengl6-dev libhwy-dev
    libdxflib-dev fonts-dejavu-core pybind11-dev python3-dev python3-numpy)
# poppler-utils reads the exported PDF pages back; ccache keeps what the builds compiled, so
# that the next build of any checkout compiles only what changed; pytest runs the Python
# module's tests, and matplotlib draws its example's plot.
test=("${run[@]}" desktop-file-utils appstream poppler-utils ccache python3-pytest
    python3-matplotlib)
case "${1:-run}" in
    run) packages=("${run[@]}") ;;
    test) packages=("${test[@]}") ;;
    bench) packages=("${test[@]}" libbenchmark-dev libeigen3-dev) ;;
    fuzz) packages=("${test[@]}" clang-14 libclang-rt-14-dev) ;;
    *) echo "usage: $0 [run|test|bench|fuzz]" >&2; exit 2 ;;
esac

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
