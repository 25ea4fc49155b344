#!/usr/bin/env bash
# Makes the zip a Windows user downloads, build/release/tenkoro-<version>-win64.zip
# (the version is the project's, in the top CMakeLists.txt): installs what is
# missing, builds both trees, makes the zip and runs the checks of what it holds
# (the program's manifest and version, and the unzipped folder under Wine).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

./scripts/install-deps.sh
./scripts/build.sh
cmake --build build/windows --target release
ctest --test-dir build/linux -R '^(exe_resources|e2e\.release)$' --output-on-failure
echo "release: $(<build/windows/release_zip.txt)"
