#!/usr/bin/env bash
# Out of the way of a full-screen program on the real program: another
# program's borderless window covering the screen comes to the front (tkdriver
# stands in for a game), the character hides within about a second, and once
# that window is closed it shows again where it was.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin

cover_title="Full Screen Game"
cover_pid=""

# Waits (bounded) until the character's main window is visible (1) or not (0);
# prints how many milliseconds that took, for the log.
expect_visible() {
  local start deadline=$((SECONDS + 10))
  start="$(date +%s%3N)"
  until [[ "$(e2e_window_info visible)" == "$1" ]]; do
    ((SECONDS < deadline)) || e2e_fail "the character's visible state stayed $(e2e_window_info visible), expected $1"
    sleep 0.05
  done
  echo $(($(date +%s%3N) - start))
}

e2e_new_case hides_and_comes_back
convert -size 80x60 xc:'rgb(200,60,40)' -type truecolor BMP3:"$e2e_folder/fig.bmp"
printf '[WndPos]\r\nX_Pos=300\r\nY_Pos=200\r\n' >"$e2e_folder/tk.ini"
e2e_script <<'SCRIPT'
*TKScriptFile
_FirstAction:
>IDS=fig.bmp,fig;
>IDP=fig;
>AE;
SCRIPT
e2e_start
e2e_driver wait-visible Tenkoro 30000 >/dev/null || e2e_fail "the main window did not appear"
before="$(e2e_window_info rect)"
[[ "$before" == "300 200 "* ]] || e2e_fail "the character is at $before, expected its corner at 300,200"

timeout 120 wine "$TK_EXE_DIR/tkdriver.exe" cover "$cover_title" 30 >"$e2e_work/cover.txt" 2>&1 &
cover_pid=$!
e2e_driver wait-visible "$cover_title" 30000 >/dev/null || e2e_fail "the full-screen window did not open"
[[ "$(e2e_driver foreground)" == "foreground $cover_title"* ]] ||
  e2e_fail "the full-screen window is not in front: $(e2e_driver foreground | tr '\n' ' ')"
took="$(expect_visible 0)"
e2e_log "stepped aside $took ms after the window showed"

e2e_driver close "$cover_title" >/dev/null || e2e_fail "could not close the full-screen window"
wait "$cover_pid" || true
took="$(expect_visible 1)"
e2e_log "came back $took ms after the window closed"
[[ "$(e2e_window_info rect)" == "$before" ]] ||
  e2e_fail "the character came back at $(e2e_window_info rect), not at $before"

e2e_driver close Tenkoro || e2e_fail "could not post WM_CLOSE"
e2e_expect_exit 0
