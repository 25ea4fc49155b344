#!/usr/bin/env bash
# What the sample character costs under Wine on a virtual display: CPU of
# tenkoro.exe and of wineserver, as a share of one core, and tenkoro.exe's
# resident memory, over a stretch of time after start-up settles.
#
#   scripts/measure-cost.sh [idle|walk] [SECONDS]    (defaults: idle, 30)
#
# "walk" starts the sample's stroll (two pixels every 50 ms) at start-up.
# Run ./scripts/build.sh first; the prefix is build/wine/measure.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
mode="${1:-idle}"
seconds="${2:-30}"
[[ "$mode" == idle || "$mode" == walk ]] || {
  echo "usage: $0 [idle|walk] [SECONDS]" >&2
  exit 2
}
windows="$root/build/windows"
tkc="$root/build/linux/tools/tkc"
[[ -f "$windows/tenkoro.exe" && -x "$tkc" ]] || {
  echo "measure: build first (./scripts/build.sh)" >&2
  exit 1
}

TK_WINE_NAME=measure
source "$root/scripts/wine-env.sh"
folder="$(mktemp -d)"
pid=""
cleanup() {
  set +e
  [[ -n "$pid" ]] && kill -0 "$pid" 2>/dev/null && tk_wine_kill
  tk_display_stop
  tk_wine_unlock
  rm -rf "$folder"
}
trap cleanup EXIT
tk_wine_lock 60
cp "$windows/tenkoro.exe" "$folder/"
while read -r name _; do cp "$windows/stage/$name" "$folder/"; done <"$windows/stage_files.txt"
if [[ "$mode" == walk ]]; then
  "$tkc" decode "$folder/tk.srt" "$folder/script.txt"
  sed -i 's/^>FFLD=tk_flags.dat;/>CLL=Stroll;\r\n&/' "$folder/script.txt"
  "$tkc" encode "$folder/script.txt" "$folder/tk.srt"
fi

tk_display_start
tk_wine_prepare
(cd "$folder" && exec wine "$folder/tenkoro.exe") &
pid=$!
timeout 90 wine "$windows/tkdriver.exe" wait-visible Tenkoro 30000 >/dev/null
sleep 5  # start-up's own work is not part of the steady cost

# utime + stime of a process, in clock ticks.
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
# The processes of this prefix only: other programs may run Wine meanwhile.
of_prefix() {
  local candidate
  for candidate in $(pgrep -f "$1"); do
    tr '\0' '\n' <"/proc/$candidate/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" &&
      echo "$candidate" && return
  done
  true
}
program="$(of_prefix 'tenkoro\.exe$')"
server="$(of_prefix wineserver)"
[[ -n "$program" && -n "$server" ]] || {
  echo "measure: tenkoro.exe or wineserver not found" >&2
  exit 1
}
p0="$(ticks "$program")" s0="$(ticks "$server")" t0="$(date +%s.%N)"
sleep "$seconds"
p1="$(ticks "$program")" s1="$(ticks "$server")" t1="$(date +%s.%N)"
rss_kb="$(awk '/^VmRSS/ {print $2}' "/proc/$program/status")"
hz="$(getconf CLK_TCK)"
awk -v p="$((p1 - p0))" -v s="$((s1 - s0))" -v hz="$hz" -v t0="$t0" -v t1="$t1" \
  -v rss="$rss_kb" -v mode="$mode" 'BEGIN {
    span = t1 - t0
    printf "measure (%s, %.0f s): tenkoro.exe %.2f%%, wineserver %.2f%%, together %.2f%% of a core; tenkoro.exe RSS %.1f MB\n",
      mode, span, 100 * p / hz / span, 100 * s / hz / span, 100 * (p + s) / hz / span, rss / 1024
  }'
timeout 30 wine "$windows/tkdriver.exe" close Tenkoro >/dev/null 2>&1 || true
timeout 30 tail --pid="$pid" -f /dev/null || true
pid=""
