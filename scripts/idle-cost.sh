#!/usr/bin/env bash
# What the sample character costs while it merely stands there, under Wine on
# a virtual display: the CPU of tenkoro.exe and of this prefix's wineserver
# over a stretch of idle time, and the resident memory of tenkoro.exe.
#
#   ./scripts/idle-cost.sh           after ./scripts/build.sh
#   ./scripts/idle-cost.sh walk      the same while the sample strolls (two
#                                    pixels every 50 ms) from start-up on
#
# TK_IDLE_SETTLE (default 5) seconds pass before measuring, so that start-up
# is not counted; TK_IDLE_SECONDS (default 30) is the stretch measured.
# The character runs from a fresh copy of the build's stage in build/idle and
# is closed from outside afterwards, as a user would close it.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root="$PWD"
mode="${1:-idle}"
[[ "$mode" == idle || "$mode" == walk ]] || {
  echo "usage: $0 [walk]" >&2
  exit 2
}
settle="${TK_IDLE_SETTLE:-5}"
seconds="${TK_IDLE_SECONDS:-30}"

windows="$root/build/windows"
exe="$windows/tenkoro.exe"
driver="$windows/tkdriver.exe"
folder="$root/build/idle/character"
for f in "$exe" "$driver" "$windows/stage_files.txt"; do
  [[ -f "$f" ]] || {
    echo "idle-cost: $f is missing; run ./scripts/build.sh first" >&2
    exit 1
  }
done

TK_WINE_NAME=idle
source "$root/scripts/wine-env.sh"
tk_wine_lock 300

rm -rf "$folder"
mkdir -p "$folder"
cp "$exe" "$folder/"
while read -r name _; do cp "$windows/stage/$name" "$folder/"; done <"$windows/stage_files.txt"
if [[ "$mode" == walk ]]; then
  "$root/build/linux/tools/tkc" decode "$folder/tk.srt" "$folder/script.txt"
  sed -i 's/^>FFLD=tk_flags.dat;/>CLL=Stroll;\r\n&/' "$folder/script.txt"
  "$root/build/linux/tools/tkc" encode "$folder/script.txt" "$folder/tk.srt"
fi

pid=""
cleanup() {
  local rc=$?
  set +e
  if [[ -n "$pid" ]] && kill -0 "$pid" 2>/dev/null; then tk_wine_kill; fi
  tk_display_stop
  tk_wine_unlock
  exit "$rc"
}
trap cleanup EXIT
tk_display_start
tk_wine_prepare
drive() { timeout 90 wine "$driver" "$@"; }

# The processes of this prefix only, whatever else runs on the machine.
of_this_prefix() {
  local p="$1"
  tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"
}
# $1: a pattern for the process name.
find_process() {
  local name="$1" p
  for p in /proc/[0-9]*; do
    p="${p#/proc/}"
    # shellcheck disable=SC2053 # a pattern on purpose
    [[ "$(cat "/proc/$p/comm" 2>/dev/null)" == $name ]] || continue
    of_this_prefix "$p" && {
      echo "$p"
      return 0
    }
  done
  return 1
}
# User plus system time of a process, in clock ticks (fields 14 and 15 of
# its stat line, counted after the name, which may hold spaces).
cpu_ticks() {
  local stat
  stat="$(cat "/proc/$1/stat")"
  stat="${stat##*) }"
  awk '{ print $12 + $13 }' <<<"$stat"
}

(cd "$folder" && exec wine "$folder/tenkoro.exe") &
pid=$!
drive wait-visible Tenkoro 30000 >/dev/null || {
  echo "idle-cost: the character's window did not appear" >&2
  exit 1
}
sleep "$settle"
program="$(find_process tenkoro.exe)" || {
  echo "idle-cost: tenkoro.exe not found" >&2
  exit 1
}
server="$(find_process 'wineserver?(64)')" || {
  echo "idle-cost: this prefix's wineserver not found" >&2
  exit 1
}

hz="$(getconf CLK_TCK)"
p0="$(cpu_ticks "$program")"
s0="$(cpu_ticks "$server")"
t0="$(date +%s.%N)"
sleep "$seconds"
p1="$(cpu_ticks "$program")"
s1="$(cpu_ticks "$server")"
t1="$(date +%s.%N)"
rss_kb="$(awk '/^VmRSS:/ { print $2 }' "/proc/$program/status")"

awk -v p="$((p1 - p0))" -v s="$((s1 - s0))" -v hz="$hz" -v t0="$t0" -v t1="$t1" \
  -v rss="$rss_kb" -v mode="$mode" 'BEGIN {
    span = t1 - t0
    printf "idle-cost: over %.1f s of %s time\n", span, mode
    printf "idle-cost: tenkoro.exe  %.2f%% of a core\n", 100 * p / hz / span
    printf "idle-cost: wineserver   %.2f%% of a core\n", 100 * s / hz / span
    printf "idle-cost: together     %.2f%% of a core\n", 100 * (p + s) / hz / span
    printf "idle-cost: tenkoro.exe  RSS %.1f MB\n", rss / 1024
  }'

drive close Tenkoro >/dev/null 2>&1 || true
deadline=$((SECONDS + 30))
while kill -0 "$pid" 2>/dev/null; do
  ((SECONDS < deadline)) || exit 1
  drive wait-box 200 >/dev/null 2>&1 || true  # a box is answered with OK
done
wait "$pid" || true
pid=""
tk_wine_finish 60 || true
