#!/usr/bin/env bash
# Speech on the real program: the balloon types a greeting in Japanese and
# Latin, waits for a click with its prompt mark, then offers two choices; a
# click on the second runs that choice's action.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin

e2e_new_case greeting
e2e_balloon_character 200 250
e2e_script <<'SCRIPT'
*TKScriptFile
_FirstAction:
>IDS=fig.bmp,fig;
>IDS=balloon.bmp,balloon;
>IDP=fig;
>CIP=balloon,0,-100;
>MLS=4,20,216,86;
>MSP=Hello;
>MSC;
>SDS=PickOne,One@E;
>SDS=PickTwo,Two@E;
>SEL=0,1;
PickOne:
>FFSV=one.dat;
>AE;
PickTwo:
>FFSV=two.dat;
>AE;
Hello:
こんにちは Tenkoro!@W@E
SCRIPT
e2e_start
e2e_driver wait-visible Tenkoro 30000 >/dev/null || e2e_fail "the main window did not appear"

shot="$e2e_work/speech.png"
bx=200 by=150  # the balloon's corner on the screen
navy_in() { convert "$shot" -crop "$1" +repage txt:- | grep -c -i '#000080' || true; }
# Cyan pixels of the prompt mark in the balloon's corner.
prompt_pixels() { convert "$shot" -crop "16x16+$bx+$by" +repage txt:- | grep -c -i '#00FFFF' || true; }
# The greeting is typed: navy text appears in the text area's first line, the
# Japanese at its left and the Latin further right.
deadline=$((SECONDS + 20))
until tk_screenshot "$shot" && (($(navy_in "90x14+$((bx + 4))+$((by + 20))") > 10 &&
  $(navy_in "60x14+$((bx + 100))+$((by + 20))") > 5)); do
  ((SECONDS < deadline)) || e2e_fail "no greeting typed in the balloon"
  sleep 0.2
done
# The prompt mark appears in the balloon's corner while it waits for a click.
deadline=$((SECONDS + 10))
until tk_screenshot "$shot" && (($(prompt_pixels) > 0)); do
  sleep 0.2
  ((SECONDS < deadline)) || e2e_fail "no prompt mark while the greeting waits"
done
convert "$shot" -crop "220x90+$bx+$by" +repage -scale 300% "$e2e_work/../speech_greeting.png"
e2e_log "the greeting, enlarged: $(cd "$e2e_work/.." && pwd)/speech_greeting.png"

# A click ends the wait: the mark goes, the greeting is cleared and the short
# choices are written, one a line.
xdotool mousemove $((bx + 100)) $((by + 50)) click 1
deadline=$((SECONDS + 10))
until tk_screenshot "$shot" && (($(prompt_pixels) == 0)) &&
  (($(navy_in "60x40+$((bx + 100))+$((by + 20))") == 0)) &&
  (($(navy_in "40x40+$((bx + 4))+$((by + 20))") > 10)); do
  ((SECONDS < deadline)) || e2e_fail "the click did not end the wait and show the choices"
  sleep 0.2
done
sleep 0.5
# Choices start a line below the cleared cursor; with a line of 11 to 14
# pixels, 50 pixels down lies in the second.
xdotool mousemove $((bx + 20)) $((by + 50)) sleep 0.3 click 1
deadline=$((SECONDS + 10))
until [[ -f "$e2e_folder/two.dat" ]]; do
  ((SECONDS < deadline)) || e2e_fail "a click on the second choice did not run its action"
  sleep 0.2
done
[[ ! -f "$e2e_folder/one.dat" ]] || e2e_fail "the first choice ran too"

e2e_driver close Tenkoro || e2e_fail "could not post WM_CLOSE"
e2e_expect_exit 0
[[ ! -f "$e2e_folder/tk_error.txt" ]] || e2e_fail "errors were logged: $(cat "$e2e_folder/tk_error.txt")"
