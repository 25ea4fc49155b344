#!/usr/bin/env bash
# The sample character as built: the figure appears centred and shaped (its
# key-colour pixels show the desktop), it blinks, it shows no balloon while
# it says nothing, no box shows at start, and a click on its head makes it
# blush.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin

e2e_new_case sample
e2e_copy_stage
e2e_start
e2e_driver wait-visible Tenkoro 30000 >/dev/null || e2e_fail "the main window is not visible"

read -r left top right bottom <<<"$(e2e_window_info rect)"
((right - left == 160 && bottom - top == 200)) || e2e_fail "window $left $top $right $bottom, expected 160 x 200"
# No tk.ini: centred on the 1024 x 768 display.
((left == 432 && top == 284)) || e2e_fail "window at $left,$top, expected centred at 432,284"
region="$(e2e_window_info region)"
[[ "$region" == "complex"* ]] || e2e_fail "window region \"$region\", expected a complex one"

shot="$e2e_work/sample.png"
pixel() { convert "$shot" -format "%[pixel:p{$1,$2}]" info:; }
# Polls until the first paint shows the head's colour.
deadline=$((SECONDS + 15))
while :; do
  tk_screenshot "$shot"
  [[ "$(pixel $((left + 80)) $((top + 40)))" == "srgb(250,215,170)" ]] && break
  ((SECONDS < deadline)) || e2e_fail "the figure was not painted: head pixel $(pixel $((left + 80)) $((top + 40)))"
  sleep 0.1
done
desktop="$(pixel 5 5)"
expect_pixel() {
  local got
  got="$(pixel "$1" "$2")"
  [[ "$got" == "$3" ]] || e2e_fail "pixel $1,$2 is $got, expected $3 ($4)"
}
expect_pixel $((left + 2)) $((top + 2)) "$desktop" "key colour of the figure: the desktop shows"
expect_pixel $((left + 158)) $((top + 198)) "$desktop" "key colour at the bottom right"
expect_pixel $((left + 80)) $((top + 170)) "srgb(40,110,200)" "the coat"
# No balloon (150 x 90 at offset 130,-70 while it talks): it says nothing yet.
expect_pixel $((left + 130 + 75)) $((top - 70 + 37)) "$desktop" "where the balloon shows when it talks"
e2e_driver no-box >/dev/null || e2e_fail "a message box is showing over the character"
# The watch on the coat (eight 5 x 9 cells at 60,148) shows the time: its
# pixels change from one second to the next.
watch() { convert "$shot" -crop 40x9+$((left + 60))+$((top + 148)) +repage rgb:- | md5sum; }
first_time="$(watch)"
[[ "$(pixel $((left + 60)) $((top + 148)))" != "srgb(40,110,200)" ]] || e2e_fail "no watch on the coat"
deadline=$((SECONDS + 5))
until sleep 0.3 && tk_screenshot "$shot" && [[ "$(watch)" != "$first_time" ]]; do
  ((SECONDS < deadline)) || e2e_fail "the watch did not change within 5 s"
done
cp "$shot" "$e2e_work/../sample_character.png"
e2e_log "screenshot: $(cd "$e2e_work/.." && pwd)/sample_character.png"

# The head's reply: the face is delighted for a moment (a blushing cheek),
# then plain again.
cheek_x=$((left + 58)) cheek_y=$((top + 98))
expect_pixel "$cheek_x" "$cheek_y" "srgb(250,215,170)" "the cheek before the click"
xdotool mousemove $((left + 80)) $((top + 40)) click 1
deadline=$((SECONDS + 10))
while :; do
  tk_screenshot "$shot"
  [[ "$(pixel "$cheek_x" "$cheek_y")" == "srgb(250,150,150)" ]] && break
  ((SECONDS < deadline)) || e2e_fail "a click on the head did not make it blush: cheek $(pixel "$cheek_x" "$cheek_y")"
  sleep 0.1
done
cp "$shot" "$e2e_work/../sample_character_head.png"
e2e_log "screenshot of the reply: $(cd "$e2e_work/.." && pwd)/sample_character_head.png"
deadline=$((SECONDS + 10))
until [[ "$(pixel "$cheek_x" "$cheek_y")" == "srgb(250,215,170)" ]]; do
  ((SECONDS < deadline)) || e2e_fail "the face did not come back after the head's reply"
  sleep 0.2
  tk_screenshot "$shot"
done
e2e_driver no-box >/dev/null || e2e_fail "a message box showed after the click"

e2e_driver close Tenkoro || e2e_fail "could not post WM_CLOSE"
e2e_expect_exit 0
[[ ! -f "$e2e_folder/tk_error.txt" ]] || e2e_fail "errors were logged: $(cat "$e2e_folder/tk_error.txt")"
