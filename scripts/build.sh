#!/usr/bin/env bash
# Builds the 32-bit DLL (the product) in build32/ and the 64-bit DLL with the
# test programs and benchmarks in build64/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
jobs="$(nproc)"

cmake -S "$root" -B "$root/build32" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686.cmake" >/dev/null
cmake --build "$root/build32" -j "$jobs"

cmake -S "$root" -B "$root/build64" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64.cmake" \
  -DTABRIX_TESTS=ON -DTABRIX32_DLL_32="$root/build32/tabrix32.dll" >/dev/null
cmake --build "$root/build64" -j "$jobs"
