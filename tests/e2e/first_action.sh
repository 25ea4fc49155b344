#!/usr/bin/env bash
# Start-up loads tk.srt and runs _FirstAction; a failing command there shows
# its message box and is logged, and the program keeps running until closed.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin

e2e_new_case unknown-command
e2e_script <<'SCRIPT'
*TKScriptFile
_FirstAction:
>ZZZ;
>AE;
SCRIPT
e2e_start
e2e_expect_box Tenkoro "命令異常です。"
e2e_expect_lines "$e2e_folder/tk_error.txt" 1
e2e_expect_command_error 1 2 _FirstAction ">ZZZ;"

# Loaded and running: the window is shown, still without a shape, since the
# script has shown no picture.
e2e_driver wait-visible Tenkoro 30000 >/dev/null || e2e_fail "the main window is not visible"
region="$(e2e_window_info region)"
[[ "$region" == "empty"* ]] || e2e_fail "window region \"$region\", expected an empty one"

e2e_driver close Tenkoro || e2e_fail "could not post WM_CLOSE"
e2e_expect_exit 0
e2e_expect_lines "$e2e_folder/tk_error.txt" 1
