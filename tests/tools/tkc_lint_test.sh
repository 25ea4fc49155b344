#!/usr/bin/env bash
# tkc lint: a character with one planted fault of each kind is reported line
# by line, and things that only look wrong are not.
set -euo pipefail
tkc=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

char="$work/faulty"
mkdir "$char"
touch "$char/Body.BMP" "$char/strip.sgd" "$char/hi.wav" "$char/pat.cur"
# The script, one line a line of the file: its line numbers are the ones the
# expected findings below name.
cat > "$work/script.txt" <<'SCRIPT'
*TKScriptFile
Notes may say anything: even this, with a colon.
_FirstAction:
>ids=body.bmp,body;
>IDS=gone.bmp,gone;
>ACS=strip.sgd,s,x,0,0,100;
>MVX=1;
>WAT=12 ;
>AWP=1,hi.wav;
>AMP=1,tune.mid;
>MCS=pat.cur,Pat;
>MCS=nopat.cur,NoPat;
>CMS=1,2,3,4,pet,Head;
>MPS=,0,1,2,200;
>MVL=Head,,,,,,,,Stay;
>MVR=5,0,50,2,Nowhere1;
>MVA=5,0,50,2,;
>CES=12:30,Head;
>CES=7:00,Nowhere2;
>IES=0,1.5x,Head;
>DES=2026,1,1,0,Nowhere3;
>PMS=&Talk,Nowhere4;
>JVC=n,E,@Fn,Nowhere5;
>JB0=n,1,@Flabel;
>JB1=n,2,Nowhere6;
>SDS=Nowhere7,Yes@E;
>SDS=Head,No;
>MSP=Open;
>MSP=Greeting;
>CLL=nowhere8;
>JMP=HEAD;
>AE;
Head:
>AE;
Greeting:
こんにちは!
Open:
Never closed
head:
>AE;
Say hi:
>FV+=Nope,1;
>IES=1,1.5,Head;
>AE;
_BeginInitFlags:
int:N,0;
int:Bad,1O;
str:Text,1O;
_EndInitFlags:
SCRIPT
iconv -f UTF-8 -t CP932 "$work/script.txt" | sed 's/$/\r/' > "$char/tk_srt.txt"
printf '%s\r\n' '*TKClickableMapFile' 'A region: its corners, cursor and label.' \
  '>1,2,3,4,Pat,Head;' '>1,2,x3,4,CSHAND,Head;' '>1,2,3,4,CSARROW,Nowhere9;' \
  '>1,2,3,4,CSARROW,say HI;' > "$char/tk_map.txt"

expected() {
  local s=$1 m=$2
  cat <<LINES
$s:5: >IDS: picture file gone.bmp is missing
$s:6: >ACS: parameter 3 "x" is not a whole number
$s:7: unknown command >MVX
$s:8: >WAT: parameter 1 "12 " is not a whole number
$s:10: >AMP: sound file tune.mid is missing
$s:12: >MCS: cursor file nopat.cur is missing
$s:13: >CMS: cursor "pet" is neither loaded by >MCS nor CSARROW or CSHAND
$s:15: >MVL: label Stay is not defined in $s
$s:16: >MVR: label Nowhere1 is not defined in $s
$s:19: >CES: label Nowhere2 is not defined in $s
$s:20: >IES: parameter 2 "1.5x" is not a number
$s:21: >DES: label Nowhere3 is not defined in $s
$s:22: >PMS: label Nowhere4 is not defined in $s
$s:23: >JVC: label Nowhere5 is not defined in $s
$s:24: >JB0: flag "label" is not declared between _BeginInitFlags: and _EndInitFlags:
$s:25: >JB1: label Nowhere6 is not defined in $s
$s:26: >SDS: label Nowhere7 is not defined in $s
$s:27: >SDS: choice text "No;" has no @E
$s:30: >CLL: label nowhere8 is not defined in $s
$s:35: the text of Greeting has no @E before the next label, Open: on line 37
$s:37: the text of Open has no @E before the next label, head: on line 39
$s:39: label head: is defined again; only the first, on line 33, can ever run
$s:42: >FV+: flag "Nope" is not declared between _BeginInitFlags: and _EndInitFlags:
$s:43: >IES: parameter 2 "1.5" is not a whole number
$s:47: flag Bad: the value "1O" is not a whole number
$m:4: region: parameter 3 "x3" is not a whole number
$m:5: region: label Nowhere9 is not defined in $s
LINES
}
rc=0
"$tkc" lint "$char" > "$work/out" 2>&1 || rc=$?
[[ $rc == 1 ]] || fail "exit $rc with faults"
diff <(expected tk_srt.txt tk_map.txt) "$work/out" || fail "text-form findings differ"

# The same character encoded: the same findings, named after tk.srt and tk.map.
# An encoded form that an edit of the text left behind is a fault of its own.
"$tkc" encode "$char/tk_srt.txt" "$char/tk.srt"
"$tkc" encode "$char/tk_map.txt" "$char/tk.map"
"$tkc" lint "$char" > "$work/out" 2>&1 || true
diff <(expected tk_srt.txt tk_map.txt) "$work/out" || fail "fresh encoded forms reported"
echo '>AE;' >> "$char/tk_map.txt"
"$tkc" lint "$char" > "$work/out" 2>&1 || true
grep -qx 'tk.map: differs from tk_map.txt; run: tkc encode tk_map.txt tk.map' "$work/out" ||
  fail "stale tk.map not reported: $(cat "$work/out")"
rm "$char/tk_srt.txt" "$char/tk_map.txt"
"$tkc" lint "$char" > "$work/out" 2>&1 && fail "encoded faults accepted"
diff <(expected tk.srt tk.map) "$work/out" || fail "encoded-form findings differ"

# Files that are not there or not what they claim to be.
mkdir "$work/bare"
printf 'B\016\014' > "$work/bare/tk.srt"
printf '_FirstAction:\r\n>AE;\r\n' > "$work/bare/tk_map.txt"
"$tkc" lint "$work/bare" > "$work/out" 2>&1 && fail "bare character accepted"
diff - "$work/out" <<'LINES' || fail "bare character"
tk.srt: not an encoded file (line 1 has a broken line end)
tk_map.txt: has no line *TKClickableMapFile
LINES
"$tkc" lint "$work/none" > /dev/null 2>&1 && fail "missing folder accepted"

echo "tkc lint: all checks passed"
