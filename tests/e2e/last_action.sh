#!/usr/bin/env bash
# A close request runs _LastAction, then writes the window placement to tk.ini
# in the program's folder; the next start reads it back.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin

e2e_new_case close-runs-last-action
e2e_script <<'SCRIPT'
*TKScriptFile
_FirstAction:
>AE;
_LastAction:
>ZZY;
>AE;
SCRIPT
e2e_start
e2e_driver wait-visible Tenkoro 30000 >/dev/null || e2e_fail "the main window did not appear"
e2e_driver close Tenkoro || e2e_fail "could not post WM_CLOSE"
e2e_expect_box Tenkoro "命令異常です。"
e2e_expect_exit 0
# One line only: _FirstAction ran without error, _LastAction ran once.
e2e_expect_lines "$e2e_folder/tk_error.txt" 1
e2e_expect_command_error 1 4 _LastAction ">ZZY;"
# No tk.ini before: the window stayed at 0,0 (no picture centred it), not topmost.
e2e_expect_ini WndPos X_Pos 0
e2e_expect_ini WndPos Y_Pos 0
e2e_expect_ini WndPos Z_Pos 0

e2e_case=placement-round-trip
printf '[WndPos]\r\nX_Pos=120\r\nY_Pos=80\r\nZ_Pos=1\r\n' >"$e2e_folder/tk.ini"
e2e_start
e2e_driver wait-visible Tenkoro 30000 >/dev/null || e2e_fail "the main window did not appear"
read -r left top _ <<<"$(e2e_window_info rect)"
[[ "$left $top" == "120 80" ]] || e2e_fail "window at $left,$top, expected 120,80 from tk.ini"
[[ "$(e2e_window_info topmost)" == 1 ]] || e2e_fail "Z_Pos=1 but the window is not topmost"
e2e_driver close Tenkoro || e2e_fail "could not post WM_CLOSE"
e2e_expect_box Tenkoro "命令異常です。"
e2e_expect_exit 0
e2e_expect_lines "$e2e_folder/tk_error.txt" 2
e2e_expect_command_error 2 4 _LastAction ">ZZY;"
e2e_expect_ini WndPos X_Pos 120
e2e_expect_ini WndPos Y_Pos 80
e2e_expect_ini WndPos Z_Pos 1
