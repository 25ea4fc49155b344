#!/usr/bin/env bash
# The sample character on a display at 200% (192 dots per inch): the program
# scales itself by a whole factor, so its window is twice its picture's size,
# each picture pixel a 2 x 2 block with hard edges, its shape follows, and a
# click on the head still reaches the clickable map's area. A prefix of its
# own holds the display setting, so the other tests keep 96.
TK_WINE_NAME=scale200
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin
if [[ ! -f "$WINEPREFIX/.tk-scale-192" ]]; then
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 192 /f >/dev/null 2>&1 ||
    e2e_fail "cannot set the display scale"
  wineserver -w
  touch "$WINEPREFIX/.tk-scale-192"
fi

e2e_new_case sample
e2e_copy_stage
e2e_start
e2e_driver wait-visible Tenkoro 30000 >/dev/null || e2e_fail "the main window is not visible"

read -r left top right bottom <<<"$(e2e_window_info rect)"
((right - left == 320 && bottom - top == 400)) || e2e_fail "window $left $top $right $bottom, expected 320 x 400"
# Centred on the display, which is 512 x 384 picture pixels at this scale.
((left == 352 && top == 184)) || e2e_fail "window at $left,$top, expected centred at 352,184"
[[ "$(e2e_window_info region)" == "complex"* ]] || e2e_fail "the window has no shape"

shot="$e2e_work/scaled.png"
pixel() { convert "$shot" -format "%[pixel:p{$1,$2}]" info:; }
deadline=$((SECONDS + 15))
while :; do
  tk_screenshot "$shot"
  [[ "$(pixel $((left + 160)) $((top + 80)))" == "srgb(250,215,170)" ]] && break
  ((SECONDS < deadline)) || e2e_fail "the figure was not painted: $(pixel $((left + 160)) $((top + 80)))"
  sleep 0.1
done
cp "$shot" "$e2e_work/../display_scale.png"
desktop="$(pixel 5 5)"
# The key colour's corner shows the desktop through the shape; the coat is
# drawn at twice its place.
[[ "$(pixel $((left + 4)) $((top + 4)))" == "$desktop" ]] || e2e_fail "the shape does not follow the scale"
[[ "$(pixel $((left + 160)) $((top + 340)))" == "srgb(40,110,200)" ]] || e2e_fail "no coat at twice its place"
# Hard edges: every 2 x 2 block of the figure is one colour.
crop() { convert "$shot" -crop 320x400+"$left"+"$top" +repage "$1"; }
crop "$e2e_work/figure.png"
convert "$e2e_work/figure.png" -sample 50% -sample 200% "$e2e_work/blocks.png"
[[ "$(compare -metric AE "$e2e_work/figure.png" "$e2e_work/blocks.png" null: 2>&1)" == 0 ]] ||
  e2e_fail "the figure is not made of 2 x 2 blocks"

# A click on the head (the map's area, in picture pixels) delights it.
cheek_x=$((left + 2 * 58)) cheek_y=$((top + 2 * 98))
xdotool mousemove $((left + 160)) $((top + 80)) click 1
deadline=$((SECONDS + 10))
until tk_screenshot "$shot" && [[ "$(pixel "$cheek_x" "$cheek_y")" == "srgb(250,150,150)" ]]; do
  ((SECONDS < deadline)) || e2e_fail "the click on the head did not reach the map"
  sleep 0.1
done

cp "$shot" "$e2e_work/../display_scale_head.png"

# A drag in move mode (the menu's first item, WM_COMMAND 1) moves the window
# with the pointer, device pixel for device pixel.
e2e_driver post Tenkoro 0x0111 1 0 || e2e_fail "could not turn move mode on"
sleep 0.3
xdotool mousemove $((left + 160)) $((top + 80)) mousedown 1
for step in 1 2 3 4; do
  xdotool mousemove $((left + 160 + 20 * step)) $((top + 80 + 16 * step))
  sleep 0.05
done
xdotool mouseup 1
deadline=$((SECONDS + 10))
until [[ "$(e2e_window_info rect)" == "$((left + 80)) $((top + 64)) $((right + 80)) $((bottom + 64))" ]]; do
  ((SECONDS < deadline)) || e2e_fail "after the drag the window is at $(e2e_window_info rect)"
  sleep 0.05
done
e2e_driver post Tenkoro 0x0111 1 0 || e2e_fail "could not turn move mode off"

e2e_driver close Tenkoro || e2e_fail "could not post WM_CLOSE"
e2e_expect_exit 0
e2e_expect_ini WndPos X_Pos $((176 + 40))
e2e_expect_ini WndPos Y_Pos $((92 + 32))

# Balloon text at the scaled font size: the balloon is twice its picture's
# size and its greeting is drawn finer than 2 x 2 blocks.
e2e_new_case greeting
e2e_balloon_character 100 150
e2e_script <<'SCRIPT'
*TKScriptFile
_FirstAction:
>IDS=fig.bmp,fig;
>IDS=balloon.bmp,balloon;
>IDP=fig;
>CIP=balloon,0,-100;
>MLS=4,20,216,86;
>MSP=Hello;
>AE;
Hello:
こんにちは Tenkoro!@E
SCRIPT
e2e_start
e2e_driver wait-visible Tenkoro 30000 >/dev/null || e2e_fail "the main window did not appear"
bx=200 by=100 # the balloon's corner in device pixels
text="400x60+$((bx + 8))+$((by + 40))"
navy_in() { convert "$shot" -crop "$text" +repage txt:- | grep -c -i '#000080' || true; }
deadline=$((SECONDS + 20))
until tk_screenshot "$shot" && (($(navy_in) > 200)); do
  ((SECONDS < deadline)) || e2e_fail "no greeting typed in the scaled balloon"
  sleep 0.2
done
sleep 1 # the last letters
tk_screenshot "$shot"
convert "$shot" -crop "$text" +repage "$e2e_work/text.png"
convert "$e2e_work/text.png" -sample 50% -sample 200% "$e2e_work/text_blocks.png"
[[ "$(compare -metric AE "$e2e_work/text.png" "$e2e_work/text_blocks.png" null: 2>&1)" != 0 ]] ||
  e2e_fail "the balloon text is enlarged 2 x 2 blocks, not drawn at the scaled size"
convert "$shot" -crop "440x180+$bx+$by" +repage "$e2e_work/../display_scale_greeting.png"
e2e_driver close Tenkoro || e2e_fail "could not post WM_CLOSE"
e2e_expect_exit 0
