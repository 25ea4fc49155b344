#!/usr/bin/env bash
# docs/first-character.md, run as written in a fresh folder with tkc on the
# PATH: its files are written, its commands run, and what they print compared
# with the page (its first comment gives the page's conventions).
set -euo pipefail
tkc=$1
here=$(dirname "${BASH_SOURCE[0]}")
doc="$here/../../docs/first-character.md"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
PATH="$(cd "$(dirname "$tkc")" && pwd):$PATH"
unset TKC_FONT
awk -v dir="$work/blocks" -f "$here/doc_blocks.awk" "$doc"
mkdir "$work/home"
echo "$work/home" > "$work/cwd"
where="the page's start"
fail() { echo "FAIL in $where: $*" >&2; exit 1; }

# run FILE: the shell lines in FILE where the last command left off; their
# output goes to $work/out, with CR LF as LF.
run() {
  { echo "trap 'pwd > \"$work/cwd\"' EXIT"; echo 'set -eo pipefail'; cat "$1"; } > "$work/step.sh"
  (cd "$(cat "$work/cwd")" && bash "$work/step.sh") > "$work/raw" 2>&1
  local rc=$?
  tr -d '\r' < "$work/raw" > "$work/out"
  return $rc
}

# Lines of the page's output block that must appear in the output, in order.
in_order() {
  local from=1 want at
  while IFS= read -r want; do
    [ "$want" = ... ] && continue
    at=$(tail -n "+$from" "$work/out" | grep -n -x -F -m1 -- "$want" | cut -d: -f1) ||
      fail "no line \"$want\" (after line $((from - 1))) in the output of \"$command\":
$(cat "$work/out")"
    from=$((from + at))
  done < "$1"
}

declare -A count
command=""
for info in "$work"/blocks/*.info; do
  block=${info%.info}
  where="\"$(cat "$block.heading")\" (docs/first-character.md:$(cat "$block.line"))"
  words=$(cat "$info")
  if [[ " $words " =~ \ file=([^ ]+)\  ]]; then
    cp "$block.text" "$(cat "$work/cwd")/${BASH_REMATCH[1]}"
    kind="file"
  else
    kind=$words
  fi
  case $kind in
    sh)
      command=$(cat "$block.text")
      run "$block.text" || fail "\"$command\" failed:
$(cat "$work/out")" ;;
    output)
      [ -n "$command" ] || fail "an output block with no command right before it"
      if grep -q -x -F '...' "$block.text"; then
        in_order "$block.text"
      else
        diff "$block.text" "$work/out" > "$work/diff" ||
          fail "\"$command\" printed otherwise (< the page, > the output):
$(cat "$work/diff")"
      fi
      command="" ;;
    check)
      run "$block.text" || fail "the check \"$(cat "$block.text")\" failed:
$(cat "$work/out")"
      command="" ;;
  esac
  count[${kind:-none}]=$((${count[${kind:-none}]:-0} + 1))
done
echo "first-character.md: ${count[sh]:-0} commands, ${count[output]:-0} outputs," \
  "${count[check]:-0} checks, ${count[file]:-0} files"
((${count[sh]:-0} >= 10 && ${count[output]:-0} >= 8 && ${count[check]:-0} >= 4)) ||
  fail "too few steps found: was the page's form changed?"
