#!/usr/bin/env bash
# A folder without a usable script: the program says why, runs no action,
# ends by itself and still writes tk.ini.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin

e2e_new_case no-script
e2e_start
e2e_expect_box Tenkoro "スクリプトファイルが読み込めません。"
e2e_expect_exit 0
[[ ! -e "$e2e_folder/tk_error.txt" ]] || e2e_fail "tk_error.txt written, but no action should have run"
e2e_expect_ini WndPos X_Pos 0
e2e_expect_ini WndPos Y_Pos 0
e2e_expect_ini WndPos Z_Pos 0

e2e_new_case not-a-script
# A clickable map where the script should be: tkc encodes it, as it would
# encode no file without a marker of some kind.
e2e_script <<'SCRIPT'
*TKClickableMapFile
_FirstAction:
>ZZZ;
>AE;
SCRIPT
e2e_start
e2e_expect_box Tenkoro "スクリプトファイルを認識できませんでした。"
e2e_expect_exit 0
[[ ! -e "$e2e_folder/tk_error.txt" ]] || e2e_fail "tk_error.txt written, but no action should have run"
e2e_expect_ini WndPos X_Pos 0
