#!/usr/bin/env bash
# Sound on the real program: the sample's generated greeting wave played twice
# through the wave device the test prefix gets from ALSA's null output. A loop
# animation tied to the wave runs while it plays and stops on its end frame
# when the first play ends, which only the device's end-of-play notice can do.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin

e2e_new_case greeting
cp "$TK_EXE_DIR/stage/hello.wav" "$e2e_folder/" || e2e_fail "no generated hello.wav in the stage"
convert -size 200x120 xc:'rgb(250,240,200)' -fill 'rgb(255,0,255)' -draw 'point 0,0' \
  -type truecolor BMP3:"$e2e_folder/fig.bmp"
# Three frames: red, green, blue; the end frame is the blue one.
convert -size 30x30 xc:'rgb(255,0,0)' xc:'rgb(0,255,0)' xc:'rgb(0,0,255)' +append \
  -type truecolor BMP3:"$e2e_folder/strip.bmp"
printf '[WndPos]\r\nX_Pos=200\r\nY_Pos=150\r\n' >"$e2e_folder/tk.ini"
e2e_script <<'SCRIPT'
*TKScriptFile
_FirstAction:
>IDS=fig.bmp,fig;
>IDP=fig;
>ACS=strip.bmp,mouth,3,20,20,40;
>AWP=2,hello.wav;
>ACB=mouth,1,1,2;
>AE;
SCRIPT
e2e_start
e2e_driver wait-visible Tenkoro 30000 >/dev/null || e2e_fail "the main window did not appear"

shot="$e2e_work/sound.png"
x=$((200 + 35)) y=$((150 + 35))
pixel() { convert "$shot" -format "%[pixel:p{$x,$y}]" info:; }
# Stopped: the end frame in eight screenshots in a row, over about a second
# (a running loop of three frames every 40 ms would not hold still so long).
seen="" still=0 deadline=$((SECONDS + 20))
while ((still < 8)); do
  ((SECONDS < deadline)) || e2e_fail "the tied animation did not stop on its end frame (seen:$seen)"
  tk_screenshot "$shot"
  colour="$(pixel)"
  [[ "$seen" == *"$colour"* ]] || seen="$seen $colour"
  if [[ "$colour" == "srgb(0,0,255)" ]]; then still=$((still + 1)); else still=0; fi
  sleep 0.13
done
e2e_log "the tied animation stopped on its end frame (colours seen:$seen)"

e2e_driver close Tenkoro || e2e_fail "could not post WM_CLOSE"
e2e_expect_exit 0
[[ ! -f "$e2e_folder/tk_error.txt" ]] || e2e_fail "errors were logged: $(iconv -f CP932 -t UTF-8 "$e2e_folder/tk_error.txt")"
