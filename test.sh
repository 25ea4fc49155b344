#!/usr/bin/env bash
# Installs what is missing, builds both trees and runs every test: unit and
# scenario tests on the simulated desktop, and the Windows program end to end
# under Wine on a virtual display.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"

./scripts/install-deps.sh
./scripts/build.sh
# End-to-end tests take a lock on their Wine prefix, so two at a time is safe.
# --timeout bounds every test that sets no TIMEOUT of its own.
ctest --test-dir build/linux --output-on-failure --parallel "${TK_TEST_JOBS:-2}" --timeout 300

# Each fuzzing harness for a few seconds, from its seeds: a harness that no
# longer builds, or a fault its seeds reach, fails the run.
./scripts/fuzz.sh "${TK_FUZZ_SMOKE_SECONDS:-5}"
