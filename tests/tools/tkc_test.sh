#!/usr/bin/env bash
# The author tool as an author uses it: encode, decode, refuse bad files, run.
set -euo pipefail
tkc=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

printf '*TKScriptFile\r\n_FirstAction:\r\n>Nope;\r\n>AE;\r\n_LastAction:\r\n>AE;\r\n' > "$work/tk_srt.txt"
"$tkc" encode "$work/tk_srt.txt" "$work/tk.srt"
# Every byte is stored plus one, lines end in 14 11, the file in a plain CR LF.
[ "$(head -c 4 "$work/tk.srt" | od -An -tu1 | tr -s ' ')" = " 43 85 76 84" ] || fail "encoded bytes"
[ "$(tail -c 4 "$work/tk.srt" | od -An -tu1 | tr -s ' ')" = " 14 11 13 10" ] || fail "encoded end"
"$tkc" decode "$work/tk.srt" "$work/back.txt"
cmp "$work/tk_srt.txt" "$work/back.txt" || fail "round trip"
# A form feed cannot be stored: it is left out, with a warning naming the line.
printf '*TKScriptFile\r\nA:\r\na\fb@E\r\n' > "$work/ff.txt"
"$tkc" encode "$work/ff.txt" "$work/ff.srt" 2> "$work/err"
grep -q "ff.txt:3: the encoded form cannot hold a form feed" "$work/err" || fail "no form-feed warning"
"$tkc" decode "$work/ff.srt" "$work/ff_back.txt"
grep -q '^ab@E' "$work/ff_back.txt" || fail "form feed not left out cleanly"

# Encode takes only what the program would take for a script, a map or a flag
# file; anything else is refused then and there, naming the file and the
# markers, and nothing is written. The first column is the exit code.
markers='put one of these on its first line: *TKScriptFile (a script), *TKClickableMapFile (a clickable map), *TKFlagFile (a flag file)'
while IFS='|' read -r code text; do
  printf '%b' "$text" > "$work/marked.txt"
  rm -f "$work/marked.out"
  rc=0
  "$tkc" encode "$work/marked.txt" "$work/marked.out" 2> "$work/err" || rc=$?
  [[ $rc == "$code" ]] || fail "encode of \"$text\": exit $rc, expected $code"
  if ((code == 0)); then
    [ -f "$work/marked.out" ] || fail "encode of \"$text\" wrote nothing"
  else
    [ ! -e "$work/marked.out" ] || fail "encode of \"$text\" wrote its output"
    grep -q -F "tkc: $work/marked.txt has no marker line, so the program would refuse it; $markers" \
      "$work/err" || fail "encode of \"$text\": $(cat "$work/err")"
  fi
done <<'TABLE'
0|*tkscriptfile\r\n_FirstAction:\r\n>AE;\r\n
0|Notes first.\r\n*TKScriptFile\r\n_FirstAction:\r\n>AE;\r\n
0|*TKClickableMapFile\r\n
0|*TKFlagFile\r\n*FLI;*FLS;*EOF;\r\n
1|_FirstAction:\r\n>AE;\r\n
1|*TKScriptFile;\r\n_FirstAction:\r\n
1|*FLI;*FLS;*EOF;\r\n*TKFlagFile\r\n
1|
TABLE
printf '\xEF\xBB\xBF*TKScriptFile\r\n' > "$work/bom.txt"
if "$tkc" encode "$work/bom.txt" "$work/bom.srt" 2> "$work/err"; then fail "a marker after a BOM accepted"; fi
grep -q "starts with a UTF-8 byte-order mark: save the file as Shift-JIS" "$work/err" || fail "BOM: $(cat "$work/err")"

# Unreadable and malformed input: a message and a non-zero exit.
if "$tkc" decode "$work/missing.srt" "$work/x.txt" 2> "$work/err"; then fail "missing file accepted"; fi
grep -q "cannot read" "$work/err" || fail "missing-file message"
printf 'B\016\014' > "$work/bad.srt"
if "$tkc" decode "$work/bad.srt" "$work/x.txt" 2> "$work/err"; then fail "malformed file accepted"; fi
grep -q "not an encoded file" "$work/err" || fail "malformed-file message"
for bad in "--seconds abc" "--seconds 5 --real-seconds -1" "--seconds" "--real-seconds 5" "--seconds 1 --loud 1"; do
  # shellcheck disable=SC2086 # the options are meant to split
  if "$tkc" run "$work" $bad 2> /dev/null; then fail "run $bad accepted"; fi
done

# Running: the box is printed, the log and the settings are left behind.
"$tkc" run "$work" --seconds 2 > "$work/out"
grep -q -F 'Tenkoro: 命令異常です。 (Command error.)' "$work/out" || fail "box not printed: $(cat "$work/out")"
grep -q 'Command Error Line(2) LabelName\[_FirstAction:\] >Nope;' "$work/tk_error.txt" || fail "log line"
grep -q '^X_Pos=0' "$work/tk.ini" || fail "tk.ini not written"

# A folder without a script: the start-up failure is printed and tk.ini written.
mkdir "$work/empty"
"$tkc" run "$work/empty" --seconds 1 > "$work/out2" 2> /dev/null || true
grep -q 'スクリプトファイルが読み込めません。' "$work/out2" || fail "missing script not reported"
[ -f "$work/empty/tk.ini" ] || fail "tk.ini not written after a failed start"

# Characters that cannot start or would not stop. Each case is a folder made
# below; tkc run must end with the exit code and print the line.
case_dir() { mkdir -p "$work/cases/$1" && echo "$work/cases/$1"; }
# script NAME: the script from stdin (UTF-8, one command a line) as tk.srt.
script() {
  local dir
  dir=$(case_dir "$1")
  { echo '*TKScriptFile'; cat; } | sed 's/$/\r/' | iconv -f UTF-8 -t CP932 > "$dir/tk_srt.txt"
  "$tkc" encode "$dir/tk_srt.txt" "$dir/tk.srt"
}
# refuses DIR OPTIONS...: tkc run refuses each set of options for DIR.
refuses() {
  local dir=$1 bad
  shift
  for bad in "$@"; do
    # shellcheck disable=SC2086 # the options are meant to split
    if "$tkc" run "$dir" --seconds 1 $bad 2> /dev/null; then fail "run $bad accepted"; fi
  done
}
case_dir empty > /dev/null
printf '*TKScriptFile\r\n_FirstAction:\r\n>AE;\r\n' > "$(case_dir text-only)/tk_srt.txt"
printf 'MZ\220\0\3\0\0\0\4\0\0\0\377\377\0\0' > "$(case_dir garbage)/tk.srt"  # a program, say
cp "$work/tk_srt.txt" "$(case_dir plain-text)/tk.srt"
cp "$work/bad.srt" "$(case_dir broken-line-end)/tk.srt"
printf '[Debug]\r\nScript=1\r\n' > "$(case_dir debug-without-text)/tk.ini"
printf '_FirstAction:\r\n>AE;\r\n' > "$(case_dir debug-text-without-marker)/tk_srt.txt"
printf '[Debug]\r\nScript=1\r\n' > "$work/cases/debug-text-without-marker/tk.ini"
printf '_FirstAction:\n>WAT=3000;\n>Nope;\n>AE;\n' | script slow-start
printf '_FirstAction:\n>WAT=100;\n>JMP=_FirstAction;\n' | script first-waits
printf '_FirstAction:\n>JMP=_FirstAction;\n' | script first-spins
printf '_LastAction:\n>WAT=100;\n>JMP=_LastAction;\n' | script last-waits
printf '_LastAction:\n>JMP=_LastAction;\n' | script last-spins
printf '_FirstAction:\n>CLL=Loop;\n>AE;\nLoop:\n>WAT=10;\n>JMP=Loop;\n' | script called-loop

trim() { local s="${1#"${1%%[! ]*}"}"; echo "${s%"${s##*[! ]}"}"; }
while IFS='|' read -r name options code line; do
  name=$(trim "$name") code=$(trim "$code") line=$(trim "$line")
  rc=0
  # shellcheck disable=SC2086 # the options are meant to split
  "$tkc" run "$work/cases/$name" $options > "$work/out" 2>&1 || rc=$?
  [[ $rc == "$code" ]] || fail "$name: exit $rc, expected $code: $(cat "$work/out")"
  grep -q -F -- "$line" "$work/out" || fail "$name: no line \"$line\" in: $(cat "$work/out")"
  [ -f "$work/cases/$name/tk.ini" ] || fail "$name: tk.ini not written"
done <<'TABLE'
empty                     | --seconds 1                  | 1 | has no tk.srt; encode the script with "tkc encode tk_srt.txt tk.srt", or put "[Debug]" with "Script=1" into tk.ini to read tk_srt.txt directly
text-only                 | --seconds 1                  | 1 | has no tk.srt; encode the script with "tkc encode tk_srt.txt tk.srt", or put "[Debug]" with "Script=1" into tk.ini to read tk_srt.txt directly
garbage                   | --seconds 1                  | 1 | garbage/tk.srt is not an encoded script file
plain-text                | --seconds 1                  | 1 | plain-text/tk.srt is not an encoded script file
broken-line-end           | --seconds 1                  | 1 | broken-line-end/tk.srt is not an encoded script file
debug-without-text        | --seconds 1                  | 1 | has no tk_srt.txt, which "Script=1" in tk.ini asks for
debug-text-without-marker | --seconds 1                  | 1 | tk_srt.txt is not a script: it has no "*TKScriptFile" line
slow-start                | --seconds 1                  | 0 | [3000 ms] Tenkoro: 命令異常です。
first-waits               | --seconds 1                  | 3 | tkc: stopped after 61 s of virtual time: action _FirstAction was still running
first-spins               | --seconds 1 --real-seconds 1 | 3 | tkc: stopped after 1 s of real time: action _FirstAction was still running
last-waits                | --seconds 2                  | 3 | tkc: stopped after 62 s of virtual time: action _LastAction was still running
last-spins                | --seconds 1 --real-seconds 1 | 3 | tkc: stopped after 1 s of real time: action _LastAction was still running
called-loop               | --seconds 1                  | 3 | action _FirstAction was still running
TABLE
# Scripted input: the README's example, run as written on a fresh copy of the
# sample character, against the same run without the click: the pictures
# agree before the click and differ after it.
stage=$2
readme="$(dirname "${BASH_SOURCE[0]}")/../../README.md"
example=$(grep -m1 '^tkc run sample ' "$readme") || fail "no tkc run example in the README"
cp -r "$stage" "$work/sample"
(cd "$work" && eval "\"$tkc\" ${example#tkc }") > "$work/out" 2>&1 || fail "README example: $(cat "$work/out")"
[ -s "$work/before.png" ] && [ -s "$work/delighted.png" ] || fail "README example saved no shots"
cp -r "$stage" "$work/unclicked"
"$tkc" run "$work/unclicked" --seconds 3 --shot 900="$work/before2.png" \
  --shot 1500="$work/plain.png" > /dev/null
# Only the head is compared: the watch on the coat shows the wall clock.
head_pixels() { convert "$work/$1" -crop 132x114+446+302 +repage rgb:-; }
cmp -s <(head_pixels before.png) <(head_pixels before2.png) || fail "the runs differ before the click"
cmp -s <(head_pixels delighted.png) <(head_pixels plain.png) && fail "the click on the head changed nothing"
"$tkc" run "$work/sample" --seconds 1 --click 5,5@100 --move 6,6@200 > "$work/out"
grep -q -F '[100 ms] click at 5,5: no window of the character there' "$work/out" || fail "missed click"
grep -q -F '[200 ms] move at 6,6: no window of the character there' "$work/out" || fail "missed move"
# The wakes: the sample's eyes (20 frames at 150 ms) wake only to change:
# open at 150 ms, then half, closed and half from 2.7 s on. Its clock finds
# the turn of the second in the first second (20 looks, 50 ms apart) and
# then wakes once a second; its only event is two minutes away, so the event
# timer sleeps. tkc's own timers are not counted.
"$tkc" run "$work/unclicked" --seconds 3 --stats --click 5,5@100 > "$work/out"
grep -q -F '  animation eyes: 4 ticks' "$work/out" || fail "stats: $(cat "$work/out")"
grep -q -F '  second beat (clock image, front-window look, event checks): 22 ticks' "$work/out" || fail "stats: $(cat "$work/out")"
grep -q -F 'event timer' "$work/out" && fail "stats: $(cat "$work/out")"
grep -q -E '^wakes: [0-9]+ in 3000 ms of virtual time' "$work/out" || fail "stats: $(cat "$work/out")"
grep -q -F 'timer ' "$work/out" && fail "stats name tkc's own timers: $(cat "$work/out")"
# A click drives a choice: the greeting's click-wait ends, then the second of
# two choices runs its action, which writes its flag file.
speech="$work/speech"
mkdir "$speech"
convert -size 200x80 xc:'rgb(250,240,200)' -fill 'rgb(255,0,255)' -draw 'point 0,0' -type truecolor BMP3:"$speech/fig.bmp"
convert -size 220x90 xc:white -fill 'rgb(255,0,255)' -draw 'point 0,0' -type truecolor BMP3:"$speech/balloon.bmp"
printf '[WndPos]\r\nX_Pos=200\r\nY_Pos=250\r\n' > "$speech/tk.ini"
printf '*TKClickableMapFile\r\n' > "$work/map.txt"
"$tkc" encode "$work/map.txt" "$speech/tk.map"
printf '%s\r\n' '*TKScriptFile' '_FirstAction:' '>IDS=fig.bmp,fig;' '>IDS=balloon.bmp,balloon;' \
  '>IDP=fig;' '>CIP=balloon,0,-100;' '>MLS=4,20,216,86;' '>MSP=Hello;' '>MSC;' '>SDS=PickOne,One@E;' \
  '>SDS=PickTwo,Two@E;' '>SEL=0,1;' 'PickOne:' '>FFSV=one.dat;' '>AE;' 'PickTwo:' '>FFSV=two.dat;' '>AE;' \
  'Hello:' 'Hello there!@W@E' > "$speech/tk_srt.txt"
"$tkc" encode "$speech/tk_srt.txt" "$speech/tk.srt"
# The balloon's corner is at 200,150; in the block font a line is 9 pixels,
# and the choices start a line below the cleared text cursor (20).
"$tkc" run "$speech" --block-font --seconds 5 --click 300,200@2000 --click 220,192@3000 > "$work/out" 2>&1 ||
  fail "speech run: $(cat "$work/out")"
[ -f "$speech/two.dat" ] && [ ! -f "$speech/one.dat" ] || fail "the click did not choose the second choice"

refuses "$work/sample" "--click 1,2" "--click a,b@3" "--move 1,2@-5" "--shot 5" "--shot x=f.png" "--right-click 1@2"

# The virtual clock starts where --start says, and runs for up to a week: a
# character started late on Christmas Eve notes the date at its start and, two
# days on, when it is closed.
# character NAME: as script NAME, beside the empty clickable map; prints its folder.
character() { script "$1" && cp "$work/speech/tk.map" "$work/cases/$1/" && echo "$work/cases/$1"; }
clock=$(printf '%s\n' '_BeginInitFlags:' 'int:Y,0;' 'int:M,0;' 'int:D,0;' 'int:H,0;' 'int:N,0;' \
  'int:S,0;' '_EndInitFlags:' '_FirstAction:' '>CLL=Note;' '>FFSV=first.dat;' '>AE;' '_LastAction:' \
  '>CLL=Note;' '>FFSV=last.dat;' '>AE;' 'Note:' '>FDTS=Y,0;' '>FDTS=M,1;' '>FDTS=D,2;' '>FDTS=H,3;' \
  '>FDTS=N,4;' '>FDTS=S,5;' '>AE;' | character clock)
"$tkc" run "$clock" --seconds 172800 --start "2026-12-24 23:59:58" > "$work/out" 2>&1 || fail "clock run: $(cat "$work/out")"
flags() { "$tkc" decode "$clock/$1" "$work/$1.txt" && tr -d '\r' < "$work/$1.txt" | tr '\n' ' '; }
[[ "$(flags first.dat)" == *"2026"*"12"*"24"*"23"*"59"*"58"* ]] || fail "the start: $(flags first.dat)"
[[ "$(flags last.dat)" == *"2026"*"12"*"26"*"23"*"59"*"58"* ]] || fail "two days on: $(flags last.dat)"
refuses "$clock" "--start 2026-02-30_12:00:00" "--start 2026-13-01" "--seconds 604801"
if "$tkc" run "$clock" --seconds 1 --start "2026-02-29 12:00:00" 2> /dev/null; then fail "a 29 February of 2026 accepted"; fi
"$tkc" run "$clock" --seconds 1 --start "2028-02-29 12:00:00" > /dev/null || fail "a leap day refused"

# --seed repeats a run's random picks: the same seed, the same twelve picks.
dice=$({
  printf '%s\n' '_BeginInitFlags:' 'str:S,x;' '_EndInitFlags:' '_FirstAction:'
  for letter in A B C D E F G H; do printf '>RJS=t,%s;\n' "$letter"; done
  for _ in 1 2 3 4 5 6 7 8 9 10 11 12; do printf '>RCL=t;\n'; done
  printf '%s\n' '>FFSV=picks.dat;' '>AE;'
  for letter in A B C D E F G H; do printf '%s:\n>FV+=S,%s;\n>AE;\n' "$letter" "$letter"; done
} | character dice)
picks() { "$tkc" run "$dice" --seconds 1 "$@" > /dev/null && "$tkc" decode "$dice/picks.dat" "$work/picks.txt" && grep -o 'S;x[A-H]*' "$work/picks.txt"; }
first=$(picks --seed 7) && second=$(picks --seed 7) && other=$(picks --seed 8) || fail "seeded runs"
[[ ${#first} == 15 && "$first" == "$second" ]] || fail "the same seed picked $first, then $second"
[[ "$first" != "$other" ]] || fail "seeds 7 and 8 picked the same: $first"
refuses "$dice" "--seed -1" "--seed 4294967296" "--seed x"

# The popup menu by its captions, built-in and the script's own, and a drag:
# move mode on, the figure dragged by 100,50 from where it stands centred.
cp -r "$stage" "$work/menu"
"$tkc" run "$work/menu" --seconds 3 --menu "移動(&M)"@500 --drag 512,384\>612,434@1000 \
  --menu "&Nope"@1500 --menu "終了(&X)"@2000 > "$work/out"
grep -q '^X_Pos=532' "$work/menu/tk.ini" && grep -q '^Y_Pos=334' "$work/menu/tk.ini" ||
  fail "the drag in move mode: $(cat "$work/menu/tk.ini")"
grep -q -F '[1500 ms] menu "&Nope": no such item; it holds 移動(&M), ' "$work/out" || fail "unknown item: $(cat "$work/out")"
refuses "$work/menu" "--menu Exit" "--menu @5" "--drag 1,2@3" "--drag 1,2>3@4" "--drag 1,2>3,4"

# Another program's window to sit on: WCS from a script item finds it, and the
# character follows when the same title opens again elsewhere.
sit=$(printf '%s\n' '_FirstAction:' '>IDS=body.bmp,body;' '>IDP=body;' '>PMS=&Sit,Sit;' '>AE;' \
  'Sit:' '>WCS=0,-200;' '>AE;' | character sit)
cp "$stage/body.bmp" "$sit/"
"$tkc" run "$sit" --seconds 3 --window "Editor@300,400,400,300@500" --menu "&Sit"@1000 \
  --window "Editor@100,500,400,300@2000" --close-window "Nope@2500" > "$work/out"
grep -q '^X_Pos=100' "$sit/tk.ini" && grep -q '^Y_Pos=300' "$sit/tk.ini" || fail "sitting: $(cat "$sit/tk.ini")"
grep -q -F '[2500 ms] close window "Nope": no such window' "$work/out" || fail "close: $(cat "$work/out")"
refuses "$sit" "--window Editor@1,2,3" "--window @1,2,3,4" "--window E@1,2,0,4" "--close-window Editor" "--cd 0" "--cd x"

# Sound plays by default, so a missing wave is an error on its line; a
# machine without devices (--no-sound) ignores sound commands; --cd puts a
# disc in the drive for the CD commands.
sound=$(printf '%s\n' '_FirstAction:' '>AWP=1,missing.wav;' '>AE;' | character sound)
"$tkc" run "$sound" --seconds 1 > "$work/out"
grep -q 'File open Error Line(2) LabelName\[_FirstAction:\] >AWP=1,missing.wav;' "$sound/tk_error.txt" ||
  fail "no error for a missing wave"
grep -q -F 'Tenkoro: ファイルオープン異常です。 (A file could not be opened.)' "$work/out" ||
  fail "the box's English: $(cat "$work/out")"
rm "$sound/tk_error.txt"
"$tkc" run "$sound" --seconds 1 --no-sound > /dev/null
[ ! -e "$sound/tk_error.txt" ] || fail "sound commands acted without a device"
printf '%s\n' '_FirstAction:' '>ACP=1,2;' '>AE;' | script sound
"$tkc" run "$sound" --seconds 1 > /dev/null
grep -q 'File open Error Line(2) LabelName\[_FirstAction:\] >ACP=1,2;' "$sound/tk_error.txt" ||
  fail "no error for a CD track without a disc"
rm "$sound/tk_error.txt"
"$tkc" run "$sound" --seconds 1 --cd 3 > /dev/null
[ ! -e "$sound/tk_error.txt" ] || fail "track 2 of a three-track disc: $(cat "$sound/tk_error.txt")"

# Screenshots show text in a real Japanese font: crisp glyphs, far less ink
# than the blocks of --block-font, and smoothed edges at large sizes. Without
# a font file tkc says so once and draws the blocks.
greeting() {
  printf '%s\n' '_FirstAction:' '>IDS=fig.bmp,fig;' '>IDS=balloon.bmp,balloon;' '>IDP=fig;' \
    '>CIP=balloon,0,-100;' '>MLS=4,4,216,86;' "$2" '>MSP=Hello;' '>AE;' 'Hello:' 'こんにちは Hello@E' |
    character "$1" > /dev/null
  cp "$speech"/{fig.bmp,balloon.bmp,tk.ini} "$work/cases/$1/"
}
# text NAME SHOT OPTIONS...: the balloon's text area after a run, as SHOT.png.
text() {
  "$tkc" run "$work/cases/$1" --seconds 1 --screenshot "$work/$2.png" "${@:3}" > /dev/null 2> "$work/err"
  convert "$work/$2.png" -crop 212x82+204+154 +repage "$work/$2.png"
}
ink() { convert "$work/$1.png" -negate -threshold 0 -format '%[fx:int(mean*w*h)]' info:; }
shades() { convert "$work/$1.png" -format %k info:; }
greeting greeting '>MFS=9,0,0,0,0;' && greeting large '>MFS=16,1,1,1,0;'
text greeting real && text greeting blocks --block-font
[ "$(shades real)" = 2 ] && (($(ink real) > 100 && $(ink real) * 2 < $(ink blocks))) ||
  fail "the text is not crisp glyphs: $(shades real) shades, ink $(ink real) against $(ink blocks) in blocks"
TKC_FONT="$work/none.ttf" text greeting fallback
cmp -s <(convert "$work/fallback.png" rgb:-) <(convert "$work/blocks.png" rgb:-) || fail "without a font file the text is not in blocks"
[ "$(grep -c 'text is drawn as blocks' "$work/err")" = 1 ] || fail "the missing font: $(cat "$work/err")"
text large smooth
(($(shades smooth) > 8)) || fail "large text is not smoothed: $(shades smooth) shades"

# --trace says what happened, a line each at its virtual time: the greeting's
# text once it is over, an event's action whose command is refused while the
# choice waits, the choice where it stands on the screen (the balloon's corner
# is at 200,150), a click on an area held back meanwhile and later run, a
# missing wave's box with its file and English, a half-second wave played
# twice, and a walk of 24 steps as one line.
traced=$(printf '%s\n' '_FirstAction:' '>IDS=fig.bmp,fig;' '>IDS=balloon.bmp,balloon;' '>IDP=fig;' \
  '>CIP=balloon,0,-100;' '>MLS=4,20,216,86;' '>IES=0,1,Tick;' '>MSP=Hello;' '>SDS=Pick,Pick me@E;' \
  '>SEL=0,1;' 'Tick:' '>IEA;' '>MSC;' '>AE;' 'Pick:' '>AWP=1,missing.wav;' '>AWP=2,half.wav;' '>AE;' \
  'Poke:' '>MVR=100,0,20,4,;' '>AE;' 'Hello:' 'Hello@\there!@E' | character traced)
cp "$speech"/{fig.bmp,balloon.bmp,tk.ini} "$traced/"
{ printf 'RIFF\xc4\x0f\0\0WAVEfmt \x10\0\0\0\1\0\1\0\x40\x1f\0\0\x40\x1f\0\0\1\0\x08\0data\xa0\x0f\0\0'
  head -c 4000 /dev/zero | tr '\0' '\200'; } > "$traced/half.wav"
printf '*TKClickableMapFile\r\n>10,10,100,60,CSHAND,Poke\r\n' > "$work/map.txt"
"$tkc" encode "$work/map.txt" "$traced/tk.map"
"$tkc" run "$traced" --seconds 6 --block-font --trace --click 220,270@1500 --click 220,192@2000 \
  --click 220,270@4000 > "$work/out" || fail "traced run: $(cat "$work/out")"
while read -r line; do
  grep -q -x -F -- "$line" "$work/out" || fail "no trace line \"$line\" in: $(cat "$work/out")"
done <<'LINES'
[     0.000] action _FirstAction started (start-up)
[     0.650] speech Hello: "Hello\nthere!"
[     1.000] action Tick started (event every 1000 ms)
[     1.000] refused >MSC; in Tick: choices wait for a click
[     1.100] choice 1 "Pick me" at 204,188,416,197 -> Pick
[     1.500] refused action Poke (click at 20,20 in area 10,10,100,60): choices wait for a click
[     2.000] action Pick started (choice "Pick me")
[     2.000] sound open failed missing.wav: no such file
[     2.000] box "ファイルオープン異常です。" (A file could not be opened.) file missing.wav
[     2.000] sound played half.wav 2 times
[     3.000] sound ended half.wav
[     4.000] action Poke started (click at 20,20 in area 10,10,100,60)
[     4.500] window moved 200,250,400,330 -> 296,250,496,330 (24 moves since 4.040)
LINES
grep -v -E '^\[ {0,5}[0-9]+\.[0-9]{3}\] (action|refused|speech|choice|box|sound|window) ' "$work/out" &&
  fail "lines not in the trace's form"
# The same run without --trace prints the box alone; on a machine without
# sound the sound commands are refused, and hiding is told.
cp "$speech/tk.ini" "$traced/"  # where the walk left it
"$tkc" run "$traced" --seconds 6 --block-font --click 220,192@2000 > "$work/out"
[ "$(cat "$work/out")" = "[2000 ms] Tenkoro: ファイルオープン異常です。 (A file could not be opened.)" ] ||
  fail "untraced: $(cat "$work/out")"
"$tkc" run "$traced" --seconds 6 --block-font --trace --no-sound --click 220,192@2000 --menu "非表示(&N)"@3000 \
  > "$work/out"
grep -q -F 'refused >AWP=2,half.wav; in Pick: there is no sound device' "$work/out" &&
  grep -q -F '[     3.000] window hidden' "$work/out" ||
  fail "no sound, hidden: $(cat "$work/out")"

# A tied animation runs while its half-second wave plays, a frame each 100 ms,
# and stays on its end frame after; a noon event fires two virtual seconds
# after a start at 11:59:58.
tied=$(printf '%s\n' '_FirstAction:' '>IDS=fig.bmp,fig;' '>IDP=fig;' '>ACS=strip.bmp,s,3,10,10,100;' \
  '>AWP=1,half.wav;' '>ACB=s,1,1,2;' '>CES=12,0,Noon;' '>AE;' 'Noon:' '>AE;' | character tied)
cp "$speech"/{fig.bmp,tk.ini} "$traced/half.wav" "$tied/"
convert -size 20x10 xc:red xc:lime xc:blue +append -type truecolor BMP3:"$tied/strip.bmp"
# shellcheck disable=SC2046 # one option a moment
"$tkc" run "$tied" --seconds 3 --start "2026-12-24 11:59:58" --trace \
  $(for ms in 150 250 350 600 700; do echo "--shot $ms=$work/tied$ms.png"; done) > "$work/out"
frame() { convert "$work/tied$1.png" -format '%[pixel:p{215,265}]' info:; }
frames="$(frame 150) $(frame 250) $(frame 350)"
[ "$(tr ' ' '\n' <<< "$frames" | sort -u | wc -l)" = 3 ] || fail "the tied animation while the wave plays: $frames"
[ "$(frame 600) $(frame 700)" = "srgb(0,0,255) srgb(0,0,255)" ] || fail "after the wave: $(frame 600) $(frame 700)"
noon='^\[ +2\.0[0-9]{2}\] action Noon started \(event at 12:00\)$'
grep -q -x -F '[     0.500] sound ended half.wav' "$work/out" && [[ "$(grep 'Noon started' "$work/out")" =~ $noon ]] ||
  fail "the wave, the noon event: $(cat "$work/out")"

# The README's sample of a trace is what a fresh sample character prints.
traced_example=$(grep -m1 '^\$ tkc run sample .* --trace$' "$readme") || fail "no trace sample in the README"
mkdir "$work/readme-trace" && cp -r "$stage" "$work/readme-trace/sample"
(cd "$work/readme-trace" && eval "\"$tkc\" ${traced_example#\$ tkc }") > "$work/out" 2>&1
diff <(sed -n "/^\$ tkc run sample .* --trace\$/,/^\`\`\`\$/p" "$readme" | sed '1d;$d') "$work/out" ||
  fail "the README's trace sample differs from the run"

# Several monitors: the screenshot spans them as they stand, in picture
# pixels whatever their scale, black where no monitor is, and a place saved
# on the left monitor stands there.
refuses "$work/sample" "--monitor 800x600" "--monitor 800x600+10+0" "--monitor 0x600+0+0" "--monitor 800x600+0+0@50%" \
  "--monitor 800x600+0+0@150" "--monitor 800x600+0+0@%" "--monitor 800x600+0+0 --monitor 800x600+700-10" "--monitor 9x9+0+0x"
cp -r "$stage" "$work/twin"
printf '[WndPos]\r\nX_Pos=-700\r\nY_Pos=100\r\n' > "$work/twin/tk.ini"
"$tkc" run "$work/twin" --seconds 1 --monitor 1024x768+0+0 --monitor 800x600-800+0@200% \
  --screenshot "$work/twin.png" > /dev/null
[ "$(identify -format %wx%h "$work/twin.png")" = 1824x768 ] || fail "the screenshot does not span both monitors"
pixel() { convert "$work/twin.png" -format "%[pixel:p{$1}]" info:; }
[ "$(pixel 10,700)" = "srgb(0,0,0)" ] || fail "below the left monitor: $(pixel 10,700)"
[ "$(pixel 1700,700)" = "srgb(48,96,128)" ] || fail "the primary's desktop: $(pixel 1700,700)"
[ "$(pixel 180,160)" != "srgb(48,96,128)" ] || fail "the character is not on the left monitor"
grep -q '^X_Pos=-700' "$work/twin/tk.ini" || fail "the place on the left monitor was not kept"

# Pictures: an author's BMP, 24-bit or with a palette, becomes a compressed
# SGD that decodes to the same pixels, smaller than the 24-bit BMP; the
# sample's strips survive a decode and an encode; wrong files are refused.
for type in truecolor palette; do
  convert -size 200x120 xc:'rgb(250,240,200)' -fill 'rgb(200,0,0)' -draw 'rectangle 10,5 60,90' \
    -type $type BMP3:"$work/$type.bmp"
  "$tkc" sgd encode "$work/$type.bmp" "$work/$type.sgd"
  [ "$(head -c 3 "$work/$type.sgd")" = SGD ] || fail "$type: no SGD signature"
  "$tkc" sgd decode "$work/$type.sgd" "$work/back.bmp"
  cmp -s <(convert "$work/$type.bmp" -depth 8 rgb:-) <(convert "$work/back.bmp" -depth 8 rgb:-) || fail "$type: round trip"
done
[ "$(stat -c %s "$work/truecolor.sgd")" -lt "$(stat -c %s "$work/truecolor.bmp")" ] || fail "SGD not smaller"
"$tkc" sgd decode "$stage/eyes.sgd" "$work/eyes.bmp"
"$tkc" sgd encode "$work/eyes.bmp" "$work/eyes.sgd"
cmp "$stage/eyes.sgd" "$work/eyes.sgd" || fail "the sample's strip changed in a round trip"
for bad in "encode $work/palette.sgd" "decode $work/palette.bmp" "encode $work/missing.bmp" "pack $work/palette.bmp"; do
  # shellcheck disable=SC2086 # the words are meant to split
  if "$tkc" sgd $bad "$work/out.x" 2> /dev/null; then fail "sgd $bad accepted"; fi
done

echo "tkc: all checks passed"
