#!/usr/bin/env bash
# Every example of docs/script.md, taken from the page itself, is a character
# that lints clean and runs without a message box or a line in the error log,
# and uses the command its section describes.
set -euo pipefail
tkc=$1 stage=$2
doc="$(dirname "${BASH_SOURCE[0]}")/../../docs/script.md"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Each example as ex/N/example.txt, with its section's command in ex/N/command.
awk -v dir="$work/blocks" -f "$(dirname "${BASH_SOURCE[0]}")/doc_blocks.awk" "$doc"
for info in "$work"/blocks/*.info; do
  [ "$(cat "$info")" = tk ] || continue
  block=${info%.info}
  ex="$work/ex/${block##*/}"
  mkdir -p "$ex"
  cp "$block.text" "$ex/example.txt"
  read -r _ command _ < "$block.heading"  # "### >IDS — load a picture"
  echo "$command" > "$ex/command"
done
count=$(find "$work/ex" -name example.txt | wc -l)
[ "$count" -gt 70 ] || fail "only $count examples found"

printf '*TKClickableMapFile\r\n' > "$work/map.txt"
# A tenth of a second of silence at 8000 8-bit samples a second, and a MIDI
# tune whose one track ends at once; a disc of three tracks is in the drive.
{ printf 'RIFF\x44\x03\0\0WAVEfmt \x10\0\0\0\1\0\1\0\x40\x1f\0\0\x40\x1f\0\0\1\0\x08\0'
  printf 'data\x20\x03\0\0'; head -c 800 /dev/zero | tr '\0' '\200'; } > "$work/chime.wav"
printf 'MThd\0\0\0\6\0\0\0\1\0\x60MTrk\0\0\0\4\0\xff\x2f\0' > "$work/tune.mid"
for ex in "$work"/ex/*; do
  command=$(cat "$ex/command")
  grep -qiF -e "$command=" -e "$command;" "$ex/example.txt" || fail "the example of $command does not use it"
  for file in body.bmp balloon.bmp about.bmp eyes.sgd clock.bmp pat.cur sample.ico; do
    cp "$stage/$file" "$ex/"
  done
  cp "$work/chime.wav" "$work/tune.mid" "$ex/"
  { echo '*TKScriptFile'; cat "$ex/example.txt"; } | iconv -f UTF-8 -t CP932 | sed 's/$/\r/' > "$ex/tk_srt.txt"
  "$tkc" encode "$ex/tk_srt.txt" "$ex/tk.srt"
  "$tkc" encode "$work/map.txt" "$ex/tk.map"
  "$tkc" lint "$ex" > "$ex/lint" 2>&1 || fail "$command example: $(cat "$ex/lint")"
  "$tkc" run "$ex" --seconds 3 --cd 3 > "$ex/out" 2>&1 || fail "$command example did not run: $(cat "$ex/out")"
  [ ! -s "$ex/out" ] || fail "$command example: $(cat "$ex/out")"
  [ ! -f "$ex/tk_error.txt" ] || fail "$command example logged: $(cat "$ex/tk_error.txt")"
done
echo "script.md: $count examples ran"
