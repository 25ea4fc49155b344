#!/usr/bin/env bash
# The Windows platform's own tests (tk_win32_tests.exe: regions, files, timers,
# windows, text conversion, text in the script's fonts) under the same Wine
# and virtual display as the program. They write their files into the current
# directory; text_sample.png there shows Japanese and Latin text as drawn.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin

tests="$TK_EXE_DIR/tk_win32_tests.exe"
[[ -f "$tests" ]] || e2e_fail "$tests was not built (it needs GoogleTest's sources in /usr/src/googletest)"
cd "$e2e_work"
rc=0
timeout 300 wine "$tests" --gtest_color=no || rc=$?
((rc == 0)) || e2e_fail "tk_win32_tests.exe exited with $rc"
