#!/usr/bin/env bash
# A text picture in the script's default font on the real program: Japanese
# and Latin in one line, navy on white over the figure. Wine draws Japanese as
# empty boxes unless the prefix maps the font to one that has the glyphs, so
# the screenshot is kept to look at.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin

e2e_new_case hello
convert -size 200x80 xc:'rgb(250,240,200)' -fill 'rgb(255,0,255)' -draw 'point 0,0' \
  -type truecolor BMP3:"$e2e_folder/fig.bmp"
printf '[WndPos]\r\nX_Pos=200\r\nY_Pos=150\r\n' >"$e2e_folder/tk.ini"
e2e_script <<'SCRIPT'
*TKScriptFile
_FirstAction:
>IDS=fig.bmp,fig;
>IDP=fig;
>DTSP=こんにちは Tenkoro,10,20,hello,16777215;
>AE;
SCRIPT
e2e_start
e2e_driver wait-visible Tenkoro 30000 >/dev/null || e2e_fail "the main window did not appear"

shot="$e2e_work/text.png"
left=200 top=150
pixel() { convert "$shot" -format "%[pixel:p{$1,$2}]" info:; }
# Polls until the picture's first paint has the white background at the text's corner.
deadline=$((SECONDS + 15))
until tk_screenshot "$shot" && [[ "$(pixel $((left + 10)) $((top + 20)))" == "srgb(255,255,255)" ]]; do
  ((SECONDS < deadline)) || e2e_fail "no text picture at 10,20: $(pixel $((left + 10)) $((top + 20)))"
  sleep 0.1
done
[[ "$(pixel $((left + 5)) $((top + 5)))" == "srgb(250,240,200)" ]] || e2e_fail "the figure is not shown around the text"

# The picture's box: what differs from the figure around it.
read -r width height box_x box_y <<<"$(convert "$shot" -crop "190x60+$((left + 5))+$((top + 15))" +repage \
  -format '%@' info: | tr 'x+' '  ')"
e2e_log "text picture $width x $height at $box_x,$box_y of the crop"
((box_x == 5 && box_y == 5)) || e2e_fail "the text picture is not at 10,20"
((width > 80 && width < 190 && height > 10 && height < 30)) || e2e_fail "text picture $width x $height"
# Pixels exactly the text colour, navy, in the box's first fifth (Japanese)
# and last fifth (Latin).
navy_in() {
  convert "$shot" -crop "$((width / 5))x$height+$1+$((top + 20))" +repage txt:- | grep -c -i '#000080' || true
}
japanese="$(navy_in $((left + 10)))"
latin="$(navy_in $((left + 10 + width - width / 5)))"
e2e_log "navy pixels: $japanese in the first fifth, $latin in the last"
((japanese > 10)) || e2e_fail "the Japanese text has $japanese navy pixels"
((latin > 5)) || e2e_fail "the Latin text has $latin navy pixels"

# Four times as large, to read.
convert "$shot" -crop "$((width + 10))x$((height + 10))+$((left + 5))+$((top + 15))" +repage -scale 400% \
  "$e2e_work/../text_image.png"
e2e_log "the text, enlarged: $(cd "$e2e_work/.." && pwd)/text_image.png"

e2e_driver close Tenkoro || e2e_fail "could not post WM_CLOSE"
e2e_expect_exit 0
[[ ! -f "$e2e_folder/tk_error.txt" ]] || e2e_fail "errors were logged: $(cat "$e2e_folder/tk_error.txt")"
