#!/usr/bin/env bash
# Instructions the runner spends on one simple command: `tkc run` under
# callgrind of a character whose first action counts a declared flag up with
# 1000 lines of `>FV+=count,1;` and one jump back (the script of the runner
# benchmark), for a short and a long number of passes. Both scripts are the
# same but for the number of passes, so their difference over the difference
# in commands leaves start-up, loading and shutdown out: what remains is what
# a line costs once it has run before.
#
#   ./scripts/runner-instructions.sh
#
# TK_RUNNER_SHORT and TK_RUNNER_LONG (default 100 and 200) are the passes.
# Builds its own optimised tree without sanitizers in build/release-native.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
short="${TK_RUNNER_SHORT:-100}"
long="${TK_RUNNER_LONG:-200}"
lines=1000
command -v valgrind >/dev/null || {
  echo "runner-instructions: needs valgrind (apt-get install valgrind)" >&2
  exit 1
}

tree=build/release-native
cmake -S . -B "$tree" -DCMAKE_BUILD_TYPE=Release -DTK_SANITIZE=OFF >/dev/null
cmake --build "$tree" -j "${TK_BUILD_JOBS:-2}" --target tkc >/dev/null

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
printf '*TKClickableMapFile\r\n' >"$work/tk_map.txt"
# Instructions of the whole program for a character that makes $1 passes.
instructions() {
  local dir="$work/character$1"
  mkdir -p "$dir"
  {
    printf '*TKScriptFile\r\n_BeginInitFlags:\r\nint:count,0;\r\n_EndInitFlags:\r\n'
    printf '_FirstAction:\r\nLoop:\r\n'
    for ((i = 0; i < lines; i++)); do printf '>FV+=count,1;\r\n'; done
    printf '>JVC=count,<,%d,Loop;\r\n' $(($1 * lines))
    # A count gone wrong jumps to a label that is not there, which is logged.
    printf '>JVC=count,!,%d,TheCountWentWrong;\r\n>AE;\r\n' $(($1 * lines))
  } >"$work/tk_srt.txt"
  "$tree/tools/tkc" encode "$work/tk_srt.txt" "$dir/tk.srt"
  "$tree/tools/tkc" encode "$work/tk_map.txt" "$dir/tk.map"
  valgrind --tool=callgrind --dump-instr=no --callgrind-out-file="$work/callgrind.out" \
    "$tree/tools/tkc" run "$dir" --seconds 1 >/dev/null 2>"$work/valgrind.log"
  if [[ -e "$dir/tk_error.txt" ]]; then
    echo "runner-instructions: the script logged an error:" >&2
    cat "$dir/tk_error.txt" >&2
    exit 1
  fi
  awk '/^(summary|totals):/ { print $2; exit }' "$work/callgrind.out"
}
a="$(instructions "$short")"
b="$(instructions "$long")"
awk -v a="$a" -v b="$b" -v s="$short" -v l="$long" -v n="$lines" 'BEGIN {
  printf "runner-instructions: %d passes: %d, %d passes: %d instructions\n", s, a, l, b
  printf "runner-instructions: %.1f instructions per simple command\n", (b - a) / ((l - s) * (n + 1))
}'
