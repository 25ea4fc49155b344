#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang (tree build/fuzz) and runs each
# in turn, starting from the seeds in fuzz/corpus and the corpus earlier runs
# grew in build/fuzz/corpus. Prints each harness's executions and coverage.
#
#   scripts/fuzz.sh [SECONDS] [HARNESS...]   (default: 60 s each, all harnesses)
#
# A crash, a leak or a broken property stops the harness; its input is kept
# in build/fuzz/crashes/HARNESS/ and the script exits non-zero after the rest.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
seconds="${1:-60}"
shift || true
harnesses=("$@")
((${#harnesses[@]})) || harnesses=(pictures encoded flag_file map settings script)
[[ "$seconds" =~ ^[0-9]+$ ]] || {
  echo "usage: $0 [SECONDS] [HARNESS...]" >&2
  exit 2
}

out="$root/build/fuzz"
# One run at a time: they share the tree, the corpora and the logs.
mkdir -p "$out"
exec 9>"$out/.lock"
flock 9
CC=clang CXX=clang++ cmake -S . -B "$out" -DTK_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$out" -j "${TK_BUILD_JOBS:-2}" >/dev/null

# The script harness's dictionary: every command name of the table, and the
# words around them.
dict="$out/script.dict"
{
  sed -n 's/^ *{"\(>[^"]*\)", [0-9]*,.*/"\1"/p' src/app/command_table.cpp
  printf '"%s"\n' '*TKScriptFile' '_FirstAction:' '_LastAction:' '_BeginInitFlags:' \
    '_EndInitFlags:' 'int:' 'str:' '@E' '@W' '@F' '@A' '@C' '@D' ';' '=' ',' '\x0a'
} >"$dict"

failed=()
for name in "${harnesses[@]}"; do
  corpus="$out/corpus/$name"
  crashes="$out/crashes/$name"
  mkdir -p "$corpus" "$crashes"
  cp -n "fuzz/corpus/$name"/* "$corpus/" 2>/dev/null || true
  extra=()
  [[ "$name" == script ]] && extra=(-dict="$dict")
  log="$out/$name.log"
  rc=0
  "$out/fuzz/fuzz_$name" "$corpus" "${extra[@]}" -max_total_time="$seconds" -timeout=20 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$crashes/" >"$log" 2>&1 || rc=$?
  runs="$(grep -a '^stat::number_of_executed_units:' "$log" | tail -1 | tr -dc '0-9')"
  cov="$(grep -ao 'cov: [0-9]* ft: [0-9]*' "$log" | tail -1 || true)"
  echo "fuzz: $name: ${runs:-?} runs in ${seconds} s, ${cov:-no coverage line}, corpus $(ls "$corpus" | wc -l)"
  if ((rc != 0)); then
    failed+=("$name")
    echo "fuzz: $name FAILED (exit $rc); the end of $log:" >&2
    tail -n 30 "$log" >&2
  fi
done
((${#failed[@]} == 0)) || {
  echo "fuzz: failed: ${failed[*]} (inputs in $out/crashes)" >&2
  exit 1
}
