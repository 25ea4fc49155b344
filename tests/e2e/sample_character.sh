#!/usr/bin/env bash
# The sample character as built: the figure appears centred and shaped (its
# key-colour pixels show the desktop), it blinks, and the balloon window sits
# at its offset.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin

e2e_new_case sample
cp "$TK_EXE_DIR/stage/"{tk.srt,tk_flags.dat,body.bmp,balloon.bmp,eyes.sgd,mouth.sgd} "$e2e_folder/"
e2e_start
e2e_driver wait-visible Tenkoro 10000 >/dev/null || e2e_fail "the main window is not visible"

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
# The balloon: 150 x 90 at offset 130,-70, white inside, cut out at its corner.
expect_pixel $((left + 130 + 75)) $((top - 70 + 37)) "srgb(255,255,255)" "inside the balloon"
expect_pixel $((left + 130 + 1)) $((top - 70 + 1)) "$desktop" "the balloon's cut-out corner"
e2e_driver no-box >/dev/null || e2e_fail "a message box is showing over the character"
cp "$shot" "$e2e_work/../sample_character.png"
e2e_log "screenshot: $(cd "$e2e_work/.." && pwd)/sample_character.png"

e2e_driver close Tenkoro || e2e_fail "could not post WM_CLOSE"
e2e_expect_exit 0
[[ ! -f "$e2e_folder/tk_error.txt" ]] || e2e_fail "errors were logged: $(cat "$e2e_folder/tk_error.txt")"
