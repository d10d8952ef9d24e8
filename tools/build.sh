#!/bin/sh
# Builds the set-up program (32-bit Windows) into build/win32/setup.exe.
# Installs what it needs first. Extra arguments go to CMake's configure step,
# for instance -DBRIGHTLARK_PRODUCT_DIR=/path/to/product.
set -eu
cd "$(dirname "$0")/.."
./tools/deps.sh
build=${BRIGHTLARK_BUILD:-build}
cmake --no-warn-unused-cli -S . -B "$build/win32" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake "$@" >/dev/null
cmake --build "$build/win32" -j "$(nproc)"
echo "Built $build/win32/setup.exe"
