#!/usr/bin/env bash
# Moves on the real program: MVA takes the window to a screen point, MVR is
# blocked at the screen's left edge. Positions are read from outside. And
# walking never takes the keyboard: what the user types into another
# program's window while the character walks still reaches it.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin

# The corner right now: the window is at rest when this is asked.
expect_corner() {
  local rect
  rect="$(e2e_window_info rect)"
  [[ "${rect% * *}" == "$1" ]] || e2e_fail "window at \"$rect\", expected its corner at $1"
}

e2e_new_case moves
convert -size 100x80 xc:'rgb(30,90,200)' -type truecolor BMP3:"$e2e_folder/fig.bmp"
printf '[WndPos]\r\nX_Pos=200\r\nY_Pos=150\r\n' >"$e2e_folder/tk.ini"
e2e_script <<'SCRIPT'
*TKScriptFile
_BeginInitFlags:
int:n,0;
_EndInitFlags:
_FirstAction:
>IDS=fig.bmp,fig;
>IDP=fig;
>MVA=300,250,10,20,Arrived;
>AE;
Arrived:
>MVE;
>FFSV=arrived.dat;
>WAT=3000;
>MVR=-1000,0,10,25,Blocked;
>AE;
Blocked:
>MVE;
>FFSV=blocked.dat;
>AE;
SCRIPT
e2e_start
e2e_driver wait-visible Tenkoro 30000 >/dev/null || e2e_fail "the main window did not appear"
e2e_wait_for_file "$e2e_folder/arrived.dat" 20
# 20 pixels a step along the diagonal: the step that would reach the
# target arrives instead, one step short.
expect_corner "299 249"
e2e_wait_for_file "$e2e_folder/blocked.dat" 20
# Steps of 25 to the left from 299: the one after x = 24 would leave the screen.
expect_corner "24 249"
e2e_driver close Tenkoro || e2e_fail "could not post WM_CLOSE"
e2e_expect_exit 0
[[ ! -s "$e2e_folder/tk_error.txt" ]] || e2e_fail "errors logged: $(cat "$e2e_folder/tk_error.txt")"

e2e_new_case typing-while-walking
convert -size 100x80 xc:'rgb(30,90,200)' -type truecolor BMP3:"$e2e_folder/fig.bmp"
printf '[WndPos]\r\nX_Pos=500\r\nY_Pos=400\r\n' >"$e2e_folder/tk.ini"
e2e_script <<'SCRIPT'
*TKScriptFile
_FirstAction:
>IDS=fig.bmp,fig;
>IDP=fig;
>MVB=50,4,1;
>AE;
SCRIPT
e2e_host_open 100 100 300 200
e2e_start
e2e_driver wait-visible Tenkoro 30000 >/dev/null || e2e_fail "the main window did not appear"
e2e_host_take_keyboard_back
typed="" places=()
for step in 1 2 3 4 5 6 7 8; do
  e2e_driver type "walk$step" || e2e_fail "tkdriver type failed"
  typed+="walk$step"
  places+=("$(e2e_window_info rect)")
  sleep 0.1
done
e2e_host_expect_text "$typed"
e2e_expect_host_keyboard
(($(printf '%s\n' "${places[@]}" | sort -u | wc -l) > 1)) || e2e_fail "the character never moved"
e2e_host_close
e2e_driver close Tenkoro || e2e_fail "could not post WM_CLOSE"
e2e_expect_exit 0
