#!/usr/bin/env bash
# What the sample character costs while it merely stands there (or strolls),
# under Wine on a virtual display, beside what Wine itself costs for the same
# number of windows that do nothing (or move themselves as a stroll does).
# Each run measures the floor first and then the characters, in one prefix
# and on one display; the figures printed are the medians of the runs.
#
#   ./scripts/idle-cost.sh               after ./scripts/build.sh
#   ./scripts/idle-cost.sh walk          the sample strolls (two pixels every
#                                        50 ms) from start-up on; the floor's
#                                        windows move as often
#   ./scripts/idle-cost.sh idle 5        five characters at once
#   ./scripts/idle-cost.sh busy          the sample never still: a three-frame
#                                        face loops every 200 ms beside the
#                                        clock, with three kinds of event
#   ./scripts/idle-cost.sh eyes          as busy, but the loop takes the place
#                                        of the blinking eyes instead of
#                                        running beside them
#
# TK_IDLE_SETTLE (default 5) seconds pass before measuring, so that start-up
# is not counted; TK_IDLE_SECONDS (default 30) is the stretch measured;
# TK_IDLE_RUNS (default 5) runs give the medians. For a quick look:
#   TK_IDLE_SETTLE=2 TK_IDLE_SECONDS=5 TK_IDLE_RUNS=1 ./scripts/idle-cost.sh
# TK_IDLE_BUILD_DIR names another Windows build tree whose tenkoro.exe and
# stage to measure (an older commit's, for a before and after); the floor's
# windows always come from this tree's tkdriver.exe.
# Each character runs from a fresh copy of the build's stage in build/idle,
# placed apart from the others, and is closed from outside afterwards, as a
# user would close it. CPU is the scheduler's count of each process's time, so other
# work on the machine shows only as noise, which the median damps.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root="$PWD"
mode="${1:-idle}"
count="${2:-1}"
usage() {
  echo "usage: $0 [idle|walk|busy|eyes] [COUNT]" >&2
  exit 2
}
[[ "$mode" =~ ^(idle|walk|busy|eyes)$ ]] || usage
[[ "$count" =~ ^[1-9]$ ]] || usage
settle="${TK_IDLE_SETTLE:-5}"
seconds="${TK_IDLE_SECONDS:-30}"
runs="${TK_IDLE_RUNS:-5}"

windows="${TK_IDLE_BUILD_DIR:-$root/build/windows}"
exe="$windows/tenkoro.exe"
driver="$root/build/windows/tkdriver.exe"
for f in "$exe" "$driver" "$windows/stage_files.txt"; do
  [[ -f "$f" ]] || {
    echo "idle-cost: $f is missing; run ./scripts/build.sh first" >&2
    exit 1
  }
done

TK_WINE_NAME=idle
source "$root/scripts/wine-env.sh"
tk_wine_lock 300

started=()
results="$(mktemp)"
cleanup() {
  local rc=$?
  set +e
  rm -f "$results"
  for p in "${started[@]}"; do
    if kill -0 "$p" 2>/dev/null; then
      tk_wine_kill
      break
    fi
  done
  tk_display_stop
  tk_wine_unlock
  exit "$rc"
}
trap cleanup EXIT
tk_display_start
tk_wine_prepare
drive() { timeout 90 wine "$driver" "$@"; }

# Where window $1 (from 0) stands: side by side along the top of the display.
left_of() { echo $((10 + $1 * 200)); }
top_of() { echo 100; }

# The processes of this prefix only, whatever else runs on the machine.
of_this_prefix() {
  { tr '\0' '\n' <"/proc/$1/environ"; } 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"
}
# Every process of this prefix whose name matches the pattern $1.
find_processes() {
  local name="$1" p
  for p in /proc/[0-9]*; do
    p="${p#/proc/}"
    # shellcheck disable=SC2053 # a pattern on purpose
    [[ "$(cat "/proc/$p/comm" 2>/dev/null)" == $name ]] || continue
    of_this_prefix "$p" && echo "$p"
  done
  return 0
}
# The other Windows programs of the prefix (explorer, services, ...): the
# same in both phases, counted apart. The display and the lock's helpers
# carry the prefix's name in their environment too, but run no .exe.
other_wine() {
  local p comm
  for p in /proc/[0-9]*; do
    p="${p#/proc/}"
    comm="$(cat "/proc/$p/comm" 2>/dev/null)" || continue
    [[ "$comm" == *.exe && "$comm" != @(tenkoro.exe|tkdriver.exe) ]] || continue
    of_this_prefix "$p" && echo "$p"
  done
  return 0
}
# CPU time of the processes $@ in nanoseconds: the scheduler's own count for
# each of their threads, which the 10 ms ticks of /proc/PID/stat would round
# to a few steps over a quiet stretch.
cpu_ns() {
  local total=0 p t stat
  for p in "$@"; do
    for t in /proc/"$p"/task/*/schedstat; do
      read -r stat _ <"$t" 2>/dev/null || continue
      total=$((total + stat))
    done
  done
  echo "$total"
}
# Waits until $1 visible windows are titled $2.
wait_windows() {
  local deadline=$((SECONDS + 60)) shown
  while :; do
    shown="$(drive list 2>/dev/null | awk -F'\t' -v t="$2" '$3 == "visible" && $NF == t' | wc -l)"
    ((shown >= $1)) && return 0
    ((SECONDS < deadline)) || {
      echo "idle-cost: $shown of $1 windows titled $2 appeared" >&2
      return 1
    }
    sleep 0.2
  done
}

# Measures the processes named $1 for the stretch; prints the CPU (percent
# of a core) of them, of wineserver, of the other Wine processes and of the
# display, and their resident memory (MB, the largest one's).
measure() {
  local programs server others p0 s0 o0 x0 t0 p1 s1 o1 x1 t1 rss=0 kb p
  sleep "$settle"
  mapfile -t programs < <(find_processes "$1")
  mapfile -t server < <(find_processes 'wineserver?(64)')
  mapfile -t others < <(other_wine)
  ((${#programs[@]} == count)) || {
    echo "idle-cost: ${#programs[@]} of $count $1 processes found" >&2
    return 1
  }
  p0="$(cpu_ns "${programs[@]}")" s0="$(cpu_ns "${server[@]}")"
  o0="$(cpu_ns "${others[@]}")" x0="$(cpu_ns "$TK_XVFB_PID")" t0="$(date +%s.%N)"
  sleep "$seconds"
  p1="$(cpu_ns "${programs[@]}")" s1="$(cpu_ns "${server[@]}")"
  o1="$(cpu_ns "${others[@]}")" x1="$(cpu_ns "$TK_XVFB_PID")" t1="$(date +%s.%N)"
  for p in "${programs[@]}"; do
    kb="$(awk '/^VmRSS:/ { print $2 }' "/proc/$p/status" 2>/dev/null || echo 0)"
    ((kb > rss)) && rss=$kb
  done
  awk -v p=$((p1 - p0)) -v s=$((s1 - s0)) -v o=$((o1 - o0)) -v x=$((x1 - x0)) \
    -v span="$(awk -v a="$t0" -v b="$t1" 'BEGIN { print b - a }')" \
    -v rss="$rss" 'BEGIN {
      f = 100 / 1e9 / span
      printf "%.3f %.3f %.3f %.3f %.1f\n", p * f, s * f, o * f, x * f, rss / 1024
    }'
}

# The floor: $count do-nothing windows, each a program of its own; sets
# `floor` to what measure printed.
floor_phase() {
  local i pids=() step=()
  [[ "$mode" == walk ]] && step=(50)
  for ((i = 0; i < count; i++)); do
    wine "$driver" idle TkFloor "$(left_of $i)" "$(top_of $i)" 160 200 \
      $((settle + seconds + 60)) "${step[@]}" >/dev/null &
    pids+=($!)
    started+=($!)
  done
  wait_windows "$count" TkFloor
  floor="$(measure 'tkdriver.exe')"
  for ((i = 0; i < count; i++)); do drive close TkFloor >/dev/null 2>&1 || true; done
  for p in "${pids[@]}"; do wait "$p" || true; done
}

# A fresh copy of the character in folder $2, standing at window $1's place.
stage_character() {
  local folder="$2"
  rm -rf "$folder"
  mkdir -p "$folder"
  cp "$exe" "$folder/"
  while read -r name _; do cp "$windows/stage/$name" "$folder/"; done <"$windows/stage_files.txt"
  printf '[WndPos]\r\nX_Pos=%s\r\nY_Pos=%s\r\n' "$(left_of "$1")" "$(top_of "$1")" >"$folder/tk.ini"
  local start
  # A date list entry that never comes keeps the daily check going.
  local busy='>ACS=face.sgd,busy,3,50,66,200;\r\n>ACB=busy,1,0,0;\r\n>CES=3,0,Settle;\r\n>DES=2000,1,1,1,Settle;'
  case "$mode" in
    walk) start='>CLL=Stroll;' ;;
    busy) start="$busy" ;;
    eyes) start=">ACD=eyes;\r\n$busy" ;;
    *) return 0 ;;
  esac
  "$root/build/linux/tools/tkc" decode "$folder/tk.srt" "$folder/script.txt"
  sed -i "s/^>FFLD=tk_flags.dat;/${start}\r\n&/" "$folder/script.txt"
  "$root/build/linux/tools/tkc" encode "$folder/script.txt" "$folder/tk.srt"
}

# Sets `character` to what measure printed.
character_phase() {
  local i folder pids=() deadline
  for ((i = 0; i < count; i++)); do
    folder="$root/build/idle/character$i"
    stage_character "$i" "$folder"
    (cd "$folder" && exec wine "$folder/tenkoro.exe") &
    pids+=($!)
    started+=($!)
  done
  wait_windows "$count" Tenkoro
  character="$(measure 'tenkoro.exe')"
  deadline=$((SECONDS + 60))
  while drive wait-window Tenkoro 0 >/dev/null 2>&1; do
    ((SECONDS < deadline)) || return 1
    drive close Tenkoro >/dev/null 2>&1 || true
    drive wait-box 200 >/dev/null 2>&1 || true # a box is answered with OK
  done
  for p in "${pids[@]}"; do wait "$p" || true; done
}

for ((run = 1; run <= runs; run++)); do
  floor_phase
  character_phase
  echo "$character $floor" >>"$results"
  echo "idle-cost: run $run of $runs: $(awk '{ printf "%.2f%% over a floor of %.2f%%", $1 + $2, $6 + $7 }' <<<"$character $floor")" >&2
done
tk_wine_finish 60 || true

# The median of each column; then each figure beside the floor's.
awk -v runs="$runs" -v count="$count" -v mode="$mode" -v seconds="$seconds" -v settle="$settle" '
  function median(col,   n, i, j, t, v) {
    n = 0
    for (i = 1; i <= NR; i++) v[++n] = cell[i, col]
    for (i = 2; i <= n; i++) for (j = i; j > 1 && v[j - 1] > v[j]; j--) { t = v[j]; v[j] = v[j - 1]; v[j - 1] = t }
    return n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
  }
  # Columns 11 to 14: the sums of each run, whose medians the rows of sums show.
  {
    for (c = 1; c <= NF; c++) cell[NR, c] = $c
    cell[NR, 11] = $1 + $2; cell[NR, 12] = $6 + $7
    cell[NR, 13] = $1 + $2 + $3 + $4; cell[NR, 14] = $6 + $7 + $8 + $9
  }
  END {
    for (c = 1; c <= 14; c++) m[c] = median(c)
    what = count == 1 ? "the sample" : count " samples"
    printf "idle-cost: %s, %s, %d s measured after %d s; medians of %d run%s (%% of a core)\n", \
      what, mode == "walk" ? "strolling" : mode == "busy" ? "never still" : mode == "eyes" ? "never still, eyes looping" : "idle", seconds, settle, runs, runs == 1 ? "" : "s"
    printf "idle-cost: %-22s %10s %10s %10s\n", "", "character", "floor", "over it"
    row("program" (count == 1 ? "" : "s"), m[1], m[6])
    row("wineserver", m[2], m[7])
    row("together", m[11], m[12])
    row("other Wine processes", m[3], m[8])
    row("Xvfb", m[4], m[9])
    row("all of it", m[13], m[14])
    printf "idle-cost: %-22s %9.1f MB (the largest program)\n", "resident memory", m[5]
  }
  function row(name, a, b) { printf "idle-cost: %-22s %9.2f%% %9.2f%% %+9.2f%%\n", name, a, b, a - b }
' "$results"
