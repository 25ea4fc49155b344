#!/usr/bin/env bash
# Instructions the program spends per second of virtual time while the sample
# character idles: `tkc run` of the sample under callgrind for a short and a
# long lifetime; their difference over the difference in seconds leaves
# start-up and shutdown out. It counts the whole tool: the engine and the
# simulated desktop it runs on.
#
#   ./scripts/idle-instructions.sh
#
# TK_IDLE_SHORT and TK_IDLE_LONG (default 10 and 110 seconds) are the two
# lifetimes. Builds its own optimised tree without sanitizers in build/profile.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
short="${TK_IDLE_SHORT:-10}"
long="${TK_IDLE_LONG:-110}"
command -v valgrind >/dev/null || {
  echo "idle-instructions: needs valgrind (apt-get install valgrind)" >&2
  exit 1
}

tree=build/profile
cmake -S . -B "$tree" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTK_SANITIZE=OFF >/dev/null
cmake --build "$tree" -j "${TK_BUILD_JOBS:-2}" --target tkc sample_character >/dev/null

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# Instructions of one run of the sample for $1 virtual seconds, each run on a
# fresh copy of the stage (the character writes its flag file and tk.ini).
instructions() {
  rm -rf "$work/character"
  cp -r "$tree/stage" "$work/character"
  valgrind --tool=callgrind --callgrind-out-file="$work/callgrind.out" \
    "$tree/tools/tkc" run "$work/character" --seconds "$1" >/dev/null 2>"$work/valgrind.log"
  awk '/^(summary|totals):/ { print $2; exit }' "$work/callgrind.out"
}
a="$(instructions "$short")"
b="$(instructions "$long")"
awk -v a="$a" -v b="$b" -v s="$short" -v l="$long" 'BEGIN {
  printf "idle-instructions: %d s: %d, %d s: %d instructions\n", s, a, l, b
  printf "idle-instructions: %.3f M instructions per virtual second\n", (b - a) / (l - s) / 1e6
}'
