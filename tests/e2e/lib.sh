# Sourced by every end-to-end test. Each test gets a bare folder holding only
# the program (and what the test puts there), the shared test Wine prefix (held
# under a lock for the whole test), a virtual display of its own, and
# tkdriver.exe to read and press message boxes and to post window messages.
#
# Set by CTest (tests/e2e/CMakeLists.txt):
#   TK_EXE_DIR   the Windows build tree holding tenkoro.exe and tkdriver.exe
#   TK_TKC       the native author tool, to encode the tests' scripts
#   TK_E2E_WORK  where the tests' folders go; left in place to look at afterwards
set -euo pipefail

: "${TK_EXE_DIR:?set by CTest}" "${TK_TKC:?set by CTest}" "${TK_E2E_WORK:?set by CTest}"

e2e_name="$(basename "$0" .sh)"
e2e_here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=../../scripts/wine-env.sh
source "$e2e_here/../../scripts/wine-env.sh"

e2e_work="$TK_E2E_WORK/$e2e_name"
e2e_folder=""  # the program's folder of the current case
e2e_pid=""     # the running program (the Wine process started for it)
e2e_case=""

for f in tenkoro.exe tkdriver.exe; do
  [[ -f "$TK_EXE_DIR/$f" ]] || {
    echo "FAIL: $TK_EXE_DIR/$f is missing (build the Windows tree first)" >&2
    exit 1
  }
done
[[ -x "$TK_TKC" ]] || {
  echo "FAIL: $TK_TKC is missing" >&2
  exit 1
}

e2e_log() { echo "[$e2e_name${e2e_case:+: $e2e_case}] $*"; }

# Runs tkdriver.exe; its own timeouts come first, this one only guards a
# Wine start that never returns.
e2e_driver() {
  timeout 90 wine "$TK_EXE_DIR/tkdriver.exe" "$@"
}

e2e_running() { [[ -n "$e2e_pid" ]] && kill -0 "$e2e_pid" 2>/dev/null; }

e2e_diagnose() {
  echo "---- diagnostics ($e2e_name${e2e_case:+: $e2e_case})"
  if [[ -n "${DISPLAY:-}" ]]; then
    echo "windows:"
    e2e_driver list 2>&1 | grep -v -e WineDde -e 'Default IME' -e Shell_TrayWnd || true
    if ! e2e_driver no-box >"$e2e_work/box.txt" 2>&1; then
      echo "a message box is showing:"
      cat "$e2e_work/box.txt"
    fi
    tk_screenshot "$e2e_work/failure.png" 2>/dev/null && echo "screenshot: $e2e_work/failure.png"
  fi
  if [[ -n "$e2e_folder" && -d "$e2e_folder" ]]; then
    echo "folder $e2e_folder:"
    ls -la "$e2e_folder"
    local f
    for f in tk_error.txt tk.ini; do
      [[ -f "$e2e_folder/$f" ]] || continue
      echo "$f (Shift-JIS shown as UTF-8, CR as ^M):"
      iconv -f CP932 -t UTF-8 "$e2e_folder/$f" | cat -v || cat -v "$e2e_folder/$f"
    done
  fi
}

e2e_fail() {
  echo "FAIL [$e2e_name${e2e_case:+: $e2e_case}]: $*" >&2
  e2e_diagnose >&2
  exit 1
}

e2e_cleanup() {
  local rc=$?
  set +e
  e2e_host_close
  if e2e_running; then
    e2e_log "the program is still running; killing this prefix's Wine"
    tk_wine_kill
  else
    tk_wine_finish 60
  fi
  tk_display_stop
  tk_wine_unlock
  if ((rc == 0)); then
    e2e_log "PASS"
  fi
  exit "$rc"
}

# Takes the prefix and starts the display; call once, first. The work folder
# is shared with the same test of another ctest run, so it too waits for the lock.
e2e_begin() {
  tk_wine_lock 300
  rm -rf "$e2e_work"
  mkdir -p "$e2e_work"
  trap e2e_cleanup EXIT
  tk_display_start
  tk_wine_prepare
}

# Starts a new case in a bare folder with a copy of the program.
e2e_new_case() {
  e2e_case="$1"
  e2e_folder="$e2e_work/$1/program"
  mkdir -p "$e2e_folder"
  cp "$TK_EXE_DIR/tenkoro.exe" "$e2e_folder/"
  # An empty clickable map: without one, start-up shows its missing-file box.
  printf '*TKClickableMapFile\r\n' >"$e2e_folder/../tk_map.txt"
  "$TK_TKC" encode "$e2e_folder/../tk_map.txt" "$e2e_folder/tk.map" || e2e_fail "tkc encode failed"
  e2e_log "folder $e2e_folder"
}

# Copies the sample character as the build staged it into the case's folder
# (which already has the program): only the files it ships, so that whatever a
# run inside the stage left there (tk.ini, a rewritten flag file) stays out.
e2e_copy_stage() {
  local list="$TK_EXE_DIR/stage_files.txt" name _
  [[ -f "$list" ]] || e2e_fail "no $list (build the Windows tree first)"
  while read -r name _; do
    cp "$TK_EXE_DIR/stage/$name" "$e2e_folder/" || e2e_fail "cannot copy $name from the stage"
  done <"$list"
  [[ -f "$e2e_folder/tk.srt" && -f "$e2e_folder/tk.map" ]] || e2e_fail "no staged sample character"
}

# Reads a script as UTF-8 text from stdin (LF or CR LF lines), writes it as the
# author would (Shift-JIS, CR LF) next to the program's folder and encodes it
# into the folder as tk.srt.
e2e_script() {
  local text="$e2e_folder/../tk_srt.txt"
  sed 's/\r$//; s/$/\r/' | iconv -f UTF-8 -t CP932 >"$text" || e2e_fail "the script is not UTF-8 text"
  "$TK_TKC" encode "$text" "$e2e_folder/tk.srt" || e2e_fail "tkc encode failed"
}

# A figure of 200 x 80 and a white balloon of 220 x 90 (fig.bmp and
# balloon.bmp, magenta corners), the character saved at X,Y in tk.ini.
e2e_balloon_character() {
  convert -size 200x80 xc:'rgb(250,240,200)' -fill 'rgb(255,0,255)' -draw 'point 0,0' \
    -type truecolor BMP3:"$e2e_folder/fig.bmp"
  convert -size 220x90 xc:white -fill 'rgb(255,0,255)' -draw 'point 0,0' \
    -type truecolor BMP3:"$e2e_folder/balloon.bmp"
  printf '[WndPos]\r\nX_Pos=%s\r\nY_Pos=%s\r\n' "$1" "$2" >"$e2e_folder/tk.ini"
}

# Starts the program from its folder (which is then also the current directory).
e2e_start() {
  [[ -z "$e2e_pid" ]] || e2e_fail "the previous case's program was not waited for"
  e2e_day="$(date +%-m/%-d)"
  (cd "$e2e_folder" && exec wine "$e2e_folder/tenkoro.exe") &
  e2e_pid=$!
}

# e2e_expect_box CAPTION TEXT: waits for a message box, checks it and presses OK.
e2e_expect_box() {
  local out rc=0
  out="$(e2e_driver wait-box 30000)" || rc=$?
  ((rc == 0)) || e2e_fail "expected the message box \"$2\" (tkdriver wait-box exit $rc)"
  local caption="${out%%$'\n'*}" text="${out#*$'\n'}"
  [[ "$caption" == "$1" ]] || e2e_fail "message box caption \"$caption\", expected \"$1\""
  [[ "$text" == "$2" ]] || e2e_fail "message box text \"$text\", expected \"$2\""
  e2e_log "message box \"$caption\": $text"
}

# e2e_expect_exit CODE: waits (bounded) for the program to end with that exit code.
e2e_expect_exit() {
  local deadline=$((SECONDS + 30)) rc=0
  while e2e_running; do
    ((SECONDS < deadline)) || e2e_fail "the program did not exit within 30 s"
    sleep 0.05
  done
  wait "$e2e_pid" || rc=$?
  e2e_pid=""
  ((rc == $1)) || e2e_fail "the program exited with $rc, expected $1"
  e2e_log "exited with $rc"
}

# e2e_expect_lines FILE COUNT: waits until FILE has COUNT lines, then checks it
# has no more. (A line is written after its message box has gone, so a test
# waits a moment for it.)
e2e_expect_lines() {
  local file="$1" count="$2" deadline=$((SECONDS + 10)) have=0
  while :; do
    have=0
    [[ -f "$file" ]] && have=$(wc -l <"$file")
    ((have >= count)) && break
    ((SECONDS < deadline)) || e2e_fail "$(basename "$file") has $have lines, expected $count"
    sleep 0.05
  done
  ((have == count)) || e2e_fail "$(basename "$file") has $have lines, expected $count"
}

# e2e_expect_line FILE N REGEX: line N (from 1) matches the Perl-style REGEX,
# which sees the line with its CR.
e2e_expect_line() {
  local line
  line="$(sed -n "${2}p" "$1")"
  LC_ALL=C grep -q -P -- "$3" <<<"$line" ||
    e2e_fail "line $2 of $(basename "$1") is \"$(cat -v <<<"$line")\", expected to match $3"
}

# e2e_expect_command_error N LINE_INDEX LABEL COMMAND: line N of tk_error.txt reports a
# command error, stamped today, month first, without leading zeros.
e2e_expect_command_error() {
  local n="$1" index="$2" label="$3" command="$4"
  local quoted_command
  quoted_command="$(sed 's/[][\\.^$*+?(){}|]/\\&/g' <<<"$command")"
  e2e_expect_line "$e2e_folder/tk_error.txt" "$n" \
    "^\\[[0-9]+/[0-9]+ [0-9]+:[0-9]+:[0-9]+\\] Command Error Line\\($index\\) LabelName\\[$label:\\] $quoted_command\\r\$"
  # Unless the date changed while the case ran, the stamp is today's.
  if [[ "$(date +%-m/%-d)" == "$e2e_day" ]]; then
    e2e_expect_line "$e2e_folder/tk_error.txt" "$n" "^\\[$e2e_day "
  fi
}

# e2e_ini_value SECTION KEY: the value in tk.ini, which must end its lines with CR LF.
e2e_ini_value() {
  local file="$e2e_folder/tk.ini"
  [[ -f "$file" ]] || e2e_fail "tk.ini was not written"
  LC_ALL=C grep -q -v -P '\r$' "$file" && e2e_fail "tk.ini has a line without CR LF"
  awk -v section="[$1]" -v key="$2" '
    { sub(/\r$/, "") }
    /^\[/ { in_section = ($0 == section); next }
    in_section && index($0, key "=") == 1 { print substr($0, length(key) + 2); found = 1; exit }
    END { exit !found }' "$file" || e2e_fail "tk.ini has no $2 in [$1]"
}

# e2e_expect_ini SECTION KEY VALUE
e2e_expect_ini() {
  local value
  value="$(e2e_ini_value "$1" "$2")"
  [[ "$value" == "$3" ]] || e2e_fail "tk.ini [$1] $2=$value, expected $3"
}

# e2e_wait_for_file PATH [SECONDS]: waits for the program to write PATH (an
# action's mark), up to SECONDS (default 10).
e2e_wait_for_file() {
  local deadline=$((SECONDS + ${2:-10}))
  until [[ -f "$1" ]]; do
    ((SECONDS < deadline)) || e2e_fail "$(basename "$1") was not written"
    sleep 0.05
  done
}

# e2e_window_info FIELD: one field of `tkdriver info Tenkoro` (rect, visible, topmost, region).
e2e_window_info() {
  local info
  info="$(e2e_driver info Tenkoro)" || e2e_fail "no window titled Tenkoro"
  sed -n "s/^$1 //p" <<<"$info"
}

# Another program's window for the character to live beside: tkdriver's own,
# titled $e2e_host_title, with an edit box that has the keyboard.
e2e_host_title="Driver Notes"
e2e_host_pid=""

# e2e_host_open LEFT TOP WIDTH HEIGHT: opens it and waits until it shows.
e2e_host_open() {
  timeout 120 wine "$TK_EXE_DIR/tkdriver.exe" host "$e2e_host_title" "$@" 100 \
    >"$e2e_work/host.txt" 2>&1 &
  e2e_host_pid=$!
  e2e_driver wait-visible "$e2e_host_title" 30000 >/dev/null || e2e_fail "the driver's window did not open"
}

e2e_host_close() {
  [[ -n "$e2e_host_pid" ]] || return 0
  e2e_driver close "$e2e_host_title" >/dev/null 2>&1 || true
  wait "$e2e_host_pid" 2>/dev/null || true
  e2e_host_pid=""
}

e2e_host_has_keyboard() {
  [[ "$(e2e_driver foreground)" == "foreground $e2e_host_title"$'\n'"focus Edit" ]]
}

e2e_expect_host_keyboard() {
  e2e_host_has_keyboard || e2e_fail "the keyboard is elsewhere: $(e2e_driver foreground | tr '\n' ' ')"
}

# Under Wine the notification icon takes the focus once, as the tray docks it
# (a window of Wine's own tray, not the program's); the user clicks back.
e2e_host_take_keyboard_back() {
  local deadline=$((SECONDS + 10))
  until e2e_host_has_keyboard; do
    ((SECONDS < deadline)) || e2e_fail "the driver's window did not get the keyboard back"
    e2e_driver activate "$e2e_host_title" || true
    sleep 0.3
  done
}

# e2e_host_expect_text TEXT: waits until the host's edit box holds TEXT.
e2e_host_expect_text() {
  local deadline=$((SECONDS + 10))
  until [[ "$(e2e_driver text "$e2e_host_title")" == "$1" ]]; do
    ((SECONDS < deadline)) || e2e_fail "the edit box holds \"$(e2e_driver text "$e2e_host_title")\", expected \"$1\""
    sleep 0.05
  done
}
