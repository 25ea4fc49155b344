#!/usr/bin/env bash
# Builds both trees: build/linux (engine, simulated desktop, tests, tools; with
# sanitizers) and then build/windows (the Windows program, cross-compiled; it
# runs the native tools built first).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root="$PWD"
jobs="${TK_BUILD_JOBS:-2}"

cmake -S . -B build/linux \
  -DCMAKE_BUILD_TYPE=Debug \
  -DTK_SANITIZE=ON \
  -DTK_WINDOWS_BUILD_DIR="$root/build/windows"
cmake --build build/linux -j "$jobs"

# The toolchain file counts only when a tree is first configured; naming it
# again later just earns a warning.
toolchain=()
[[ -f build/windows/CMakeCache.txt ]] || toolchain=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake")
cmake -S . -B build/windows "${toolchain[@]}" \
  -DTK_HOST_TOOLS_DIR="$root/build/linux/tools" \
  -DTK_RELEASE_DIR="$root/build/release" \
  -DCMAKE_BUILD_TYPE=Release
cmake --build build/windows -j "$jobs"
