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

# Unreadable and malformed input: a message and a non-zero exit.
if "$tkc" decode "$work/missing.srt" "$work/x.txt" 2> "$work/err"; then fail "missing file accepted"; fi
grep -q "cannot read" "$work/err" || fail "missing-file message"
printf 'B\016\014' > "$work/bad.srt"
if "$tkc" decode "$work/bad.srt" "$work/x.txt" 2> "$work/err"; then fail "malformed file accepted"; fi
grep -q "not an encoded file" "$work/err" || fail "malformed-file message"
if "$tkc" run "$work" --seconds abc 2> /dev/null; then fail "bad --seconds accepted"; fi

# Running: the box is printed, the log and the settings are left behind.
"$tkc" run "$work" --seconds 2 > "$work/out"
grep -q 'Tenkoro: 命令異常です。' "$work/out" || fail "box not printed: $(cat "$work/out")"
grep -q 'Command Error Line(2) LabelName\[_FirstAction:\] >Nope;' "$work/tk_error.txt" || fail "log line"
grep -q '^X_Pos=0' "$work/tk.ini" || fail "tk.ini not written"

# A folder without a script: the start-up failure is printed and tk.ini written.
mkdir "$work/empty"
"$tkc" run "$work/empty" --seconds 1 > "$work/out2"
grep -q 'スクリプトファイルが読み込めません。' "$work/out2" || fail "missing script not reported"
[ -f "$work/empty/tk.ini" ] || fail "tk.ini not written after a failed start"
echo "tkc: all checks passed"
