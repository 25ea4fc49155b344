#!/usr/bin/env bash
# Installs what is missing, builds, and starts the sample character under Wine.
#
#   ./run.sh              on $DISPLAY if there is one; otherwise on a virtual
#                         display for a few seconds, saving a screenshot
#   ./run.sh --headless   the virtual display even when there is a $DISPLAY
#
# TK_RUN_SECONDS (default 5) is how long a headless run lets the character live.
#
# The character runs in build/run/character, a copy of the build's stage: each
# run refreshes the shipped files from the stage and keeps what the character
# saved there (tk.ini, its flag file), also across rebuilds. The stage itself
# stays as built, for the tests to copy.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
root="$PWD"

headless=0
case "${1:-}" in
  "") [[ -n "${DISPLAY:-}" ]] || headless=1 ;;
  --headless) headless=1 ;;
  *)
    echo "usage: $0 [--headless]" >&2
    exit 2
    ;;
esac
seconds="${TK_RUN_SECONDS:-5}"

./scripts/install-deps.sh
./scripts/build.sh

windows="$root/build/windows"
exe="$windows/tenkoro.exe"
driver="$windows/tkdriver.exe"
folder="$root/build/run/character"
[[ -f "$exe" && -f "$windows/stage_files.txt" ]] || {
  echo "run: $exe or the sample character was not built" >&2
  exit 1
}

TK_WINE_NAME=run
source "$root/scripts/wine-env.sh"
tk_wine_lock 5 || {
  echo "run: another ./run.sh is using the character's Wine; end it first" >&2
  exit 1
}
# Refreshed only now: another run.sh may have been running the old program.
mkdir -p "$folder"
cp "$exe" "$folder/"
while read -r name how; do
  [[ "$how" == rewritten && -f "$folder/$name" ]] && continue
  cp "$windows/stage/$name" "$folder/"
done <"$windows/stage_files.txt"

show_outputs() {
  local f
  for f in tk.ini tk_error.txt; do
    [[ -f "$folder/$f" ]] || continue
    echo "---- $folder/$f"
    iconv -f CP932 -t UTF-8 "$folder/$f" | tr -d '\r'
  done
}

if ((headless == 0)); then
  tk_wine_prepare
  echo "run: starting the character on $DISPLAY from $folder (close it from its menu)"
  rc=0
  (cd "$folder" && exec wine "$folder/tenkoro.exe") || rc=$?
  tk_wine_finish 60 || true
  tk_wine_unlock
  show_outputs
  exit "$rc"
fi

# Headless: a virtual display, a screenshot, then a graceful close so that the
# character's _LastAction runs and tk.ini is written.
pid=""
cleanup() {
  local rc=$?
  set +e
  if [[ -n "$pid" ]] && kill -0 "$pid" 2>/dev/null; then
    echo "run: the character did not end by itself; stopping its Wine" >&2
    tk_wine_kill
  fi
  tk_display_stop
  tk_wine_unlock
  exit "$rc"
}
trap cleanup EXIT
tk_display_start
tk_wine_prepare
[[ -f "$driver" ]] || {
  echo "run: $driver was not built" >&2
  exit 1
}
drive() { timeout 90 wine "$driver" "$@"; }

# Messages the character shows are printed and answered with OK, as a user would.
answer_boxes() {
  local wait_ms="$1" box
  while box="$(drive wait-box "$wait_ms" 2>/dev/null)"; do
    echo "run: message box: ${box//$'\n'/: }"
    wait_ms=200
  done
}

echo "run: starting the character on the virtual display $DISPLAY from $folder"
(cd "$folder" && exec wine "$folder/tenkoro.exe") &
pid=$!
if ! drive wait-visible Tenkoro 30000 >/dev/null; then
  answer_boxes 200
  echo "run: the character's window did not appear" >&2
  exit 1
fi
# Let it live for a while: its first actions, animations and timers run now.
deadline=$((SECONDS + seconds))
while ((SECONDS < deadline)) && kill -0 "$pid" 2>/dev/null; do
  sleep 0.2
done

shot="$root/build/run/screenshot.png"
mkdir -p "$(dirname "$shot")"
tk_screenshot "$shot"
echo "run: screenshot saved to $shot"
drive info Tenkoro 2>/dev/null | sed 's/^/run: window /' || true

answer_boxes 200
drive close Tenkoro 2>/dev/null || true
deadline=$((SECONDS + 30))
while kill -0 "$pid" 2>/dev/null; do
  ((SECONDS < deadline)) || exit 1
  answer_boxes 200
done
rc=0
wait "$pid" || rc=$?
pid=""
tk_wine_finish 60 || true
echo "run: the character exited with $rc"
show_outputs
exit "$rc"
