#!/usr/bin/env bash
# Clinging on the real program: the character sits 30 pixels above the top-left
# corner of another program's window (tkdriver's own), follows it when it
# moves, and never takes the keyboard from it: what the user types while the
# character moves still reaches that window's edit box.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin

# The character's rectangle "left top right bottom", as the system has it.
character_rect() { e2e_window_info rect; }

# Waits until the character's top-left corner is at LEFT TOP.
expect_corner() {
  local deadline=$((SECONDS + 10)) rect=""
  while :; do
    rect="$(character_rect)"
    [[ "$rect" == "$1 $2 "* ]] && return 0
    ((SECONDS < deadline)) || e2e_fail "the character is at $rect, expected its corner at $1,$2"
    sleep 0.05
  done
}

e2e_new_case follow
printf '[WndPos]\r\nX_Pos=600\r\nY_Pos=500\r\n' >"$e2e_folder/tk.ini"
e2e_script <<'SCRIPT'
*TKScriptFile
_FirstAction:
>WCS=0,-30;
>AE;
SCRIPT
e2e_host_open 200 300 400 300
e2e_expect_host_keyboard

e2e_start
e2e_driver wait-visible Tenkoro 30000 >/dev/null || e2e_fail "the main window is not visible"
expect_corner 200 270
[[ "$(e2e_window_info topmost)" == 1 ]] || e2e_fail "the clinging character is not topmost"
e2e_host_take_keyboard_back
e2e_log "sits on the driver's window"

e2e_driver move "$e2e_host_title" 320 350 || e2e_fail "could not move the driver's window"
expect_corner 320 320
e2e_log "follows it"

# Typing while the window, and with it the character, keeps moving.
typed=""
for step in 1 2 3 4 5 6; do
  e2e_driver move "$e2e_host_title" $((320 + step * 15)) $((350 - step * 10)) ||
    e2e_fail "could not move the driver's window"
  e2e_driver type "key$step" || e2e_fail "tkdriver type failed"
  typed+="key$step"
  sleep 0.06
done
expect_corner 410 260
e2e_host_expect_text "$typed"
e2e_expect_host_keyboard
e2e_log "the typing reached the driver's window"

e2e_driver close Tenkoro || e2e_fail "could not post WM_CLOSE"
e2e_expect_exit 0
e2e_expect_ini Cling Mode 1
e2e_expect_ini Cling Dx 0
e2e_expect_ini Cling Dy -30
e2e_expect_ini WndPos Z_Pos 1
e2e_host_close
