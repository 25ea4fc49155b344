#!/usr/bin/env bash
# What the user touches, on the real program: the popup menu from a right
# click (Exit, Move, Hide, a script item), dragging in move mode, and the
# clickable map's regions.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin

# A 100 x 80 figure placed at 200,150; its top-left pixel is the key colour.
touch_character() {
  convert -size 100x80 xc:'rgb(30,90,200)' -fill 'rgb(255,0,255)' -draw 'point 0,0' \
    -type truecolor BMP3:"$e2e_folder/fig.bmp"
  printf '[WndPos]\r\nX_Pos=200\r\nY_Pos=150\r\n' >"$e2e_folder/tk.ini"
  e2e_script <<'SCRIPT'
*TKScriptFile
_FirstAction:
>IDS=fig.bmp,fig;
>IDP=fig;
>PMS=Save flags,SaveItem;
>AE;
Head:
>FFSV=head.dat;
>AE;
SaveItem:
>FFSV=item.dat;
>AE;
SCRIPT
  # The map: the head is the top half; a bad record is logged and skipped.
  printf '*TKClickableMapFile\r\n>10,10,90,40,CSHAND,Head;\r\n>1,2,x,4,CSHAND,Bad;\r\n' \
    >"$e2e_folder/../tk_map.txt"
  "$TK_TKC" encode "$e2e_folder/../tk_map.txt" "$e2e_folder/tk.map" || e2e_fail "tkc encode failed"
  e2e_start
  # The map loads before the script shows the window.
  e2e_expect_box Tenkoro "パラメータ異常です。"
  e2e_driver wait-visible Tenkoro 30000 >/dev/null || e2e_fail "the main window did not appear"
  sleep 0.3
}

# The popup menu's window rectangle: left top right bottom, once it shows.
menu_rect() {
  local deadline=$((SECONDS + 10)) line
  while :; do
    line="$(e2e_driver list | grep -P '\t#32768\t' | grep -P '\tvisible\t' | head -n1 || true)"
    [[ -n "$line" ]] && break
    ((SECONDS < deadline)) || e2e_fail "the popup menu did not open"
    sleep 0.05
  done
  cut -f4 <<<"$line"
}

right_click() { xdotool mousemove "$1" "$2" click 3; }

# Opens the menu on the figure and clicks the item at offset DY from the
# menu's top (DY < 0: from its bottom).
choose_at() {
  right_click "${click_x:-250}" "${click_y:-220}"
  local l t r b
  read -r l t r b <<<"$(menu_rect)"
  local y=$((t + $1))
  (($1 < 0)) && y=$((b + $1))
  xdotool mousemove $((l + 30)) "$y" click 1
  local deadline=$((SECONDS + 10))
  while e2e_driver list | grep -P '\t#32768\t' | grep -qP '\tvisible\t'; do
    ((SECONDS < deadline)) || e2e_fail "the popup menu did not close"
    sleep 0.05
  done
}

e2e_new_case menu-map-and-exit
touch_character
# The map: a click outside the head runs nothing, one inside saves the flag file.
xdotool mousemove 250 215 click 1
sleep 0.5
[[ ! -f "$e2e_folder/head.dat" ]] || e2e_fail "a click outside every region ran an action"
xdotool mousemove 250 175 click 1
e2e_wait_for_file "$e2e_folder/head.dat"
# The menu, looked at.
right_click 250 220
read -r ml mt mr mb <<<"$(menu_rect)"
sleep 0.3
tk_screenshot "$e2e_work/menu.png"
cp "$e2e_work/menu.png" "$e2e_work/../user_touch_menu.png"
e2e_log "menu at $ml $mt $mr $mb; screenshot $(cd "$e2e_work/.." && pwd)/user_touch_menu.png"
((ml == 250 && mt == 220)) || e2e_fail "the menu's corner is at $ml,$mt, expected the pointer 250,220"
xdotool key Escape
xdotool mousemove 5 5 click 1
sleep 0.3
# Exit is the last item.
choose_at -8
e2e_expect_exit 0
e2e_expect_ini WndPos X_Pos 200
e2e_expect_ini WndPos Y_Pos 150
e2e_expect_lines "$e2e_folder/tk_error.txt" 1
e2e_expect_line "$e2e_folder/tk_error.txt" 1 'Parameter Error Line\(2\) LabelName\[In clickable map file\] >1,2,x,4,CSHAND,Bad;\r$'

# Item offsets in the menu as Wine draws it (about 16 pixels an item, 8 a
# separator): Move, Hide, the script item after Sound and the full-screen switch.
e2e_new_case move-hide-and-script-item
touch_character
choose_at 10  # Move
# A drag by 80,60 from a point of the figure.
xdotool mousemove 230 170 mousedown 1
for step in 1 2 3 4; do
  xdotool mousemove $((230 + 20 * step)) $((170 + 15 * step))
  sleep 0.05
done
xdotool mouseup 1
deadline=$((SECONDS + 10))
until [[ "$(e2e_window_info rect)" == "280 210 380 290" ]]; do
  ((SECONDS < deadline)) || e2e_fail "after the drag the window is at $(e2e_window_info rect), expected 280 210 380 290"
  sleep 0.05
done
click_x=330 click_y=280
choose_at 10 # Move off again; the menu opens on the figure's new place
# Hide: the window goes; the tray icon's right button brings the menu back.
choose_at 43
deadline=$((SECONDS + 10))
until [[ "$(e2e_window_info visible)" == 0 ]]; do
  ((SECONDS < deadline)) || e2e_fail "Hide did not hide the window"
  sleep 0.05
done
xdotool mousemove 400 400
e2e_driver post Tenkoro 1025 1 0x0204 || e2e_fail "could not post the tray message"
read -r l t _ <<<"$(menu_rect)"
xdotool mousemove $((l + 30)) $((t + 43)) click 1
deadline=$((SECONDS + 10))
until [[ "$(e2e_window_info visible)" == 1 ]]; do
  ((SECONDS < deadline)) || e2e_fail "Show did not show the window again"
  sleep 0.05
done
choose_at 99  # the script's own item
e2e_wait_for_file "$e2e_folder/item.dat"
e2e_driver close Tenkoro || e2e_fail "could not post WM_CLOSE"
e2e_expect_exit 0
e2e_expect_ini WndPos X_Pos 280
e2e_expect_ini WndPos Y_Pos 210
