# Sourced, not run: a Wine prefix of our own and a virtual display to run the
# Windows build on.
#
#   TK_WINE_NAME=test source scripts/wine-env.sh   # prefix build/wine/test
#   tk_wine_lock            # one user of the prefix at a time (also across ctest runs)
#   tk_display_start        # Xvfb on a free display, plus a tray; exports DISPLAY
#   tk_wine_prepare         # create the prefix the first time
#   wine some.exe ...
#   tk_wine_finish          # wait for every Wine process of the prefix to end
#   tk_display_stop
#   tk_wine_unlock
#
# Each name (test, run) gets its own prefix and so its own wineserver: a
# character started by run.sh never shows up among the windows a test looks at.
# Callers run with `set -euo pipefail`; every wait here is bounded.

tk_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# (Copied, not defaulted in place: `NAME=x source ...` only lends NAME to this file.)
TK_WINE_DIR="${TK_WINE_HOME:-$tk_root/build/wine}"
export WINEPREFIX="$TK_WINE_DIR/${TK_WINE_NAME:-test}"
export WINEARCH=win64
export WINEDEBUG=-all
# No Mono or Gecko installer (their dialogs hang on a virtual display), no
# desktop files written into $HOME. Sound: the tests get one wave-out device
# that needs no sound card, ALSA's null output through Wine's ALSA driver; a
# run uses the machine's sound card when it has one, and no driver otherwise.
tk_audio_off="winealsa.drv,winepulse.drv,wineoss.drv=d"
if [[ "${TK_WINE_NAME:-test}" != run ]]; then
  tk_audio_off="winepulse.drv,wineoss.drv=d"
  export ALSA_CONFIG_PATH="/usr/share/alsa/alsa.conf:$tk_root/scripts/alsa-null.conf"
elif grep -q '^ *[0-9]' /proc/asound/cards 2>/dev/null; then
  tk_audio_off="wineoss.drv=d"
fi
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;$tk_audio_off"
# Wine rewrites the dialog font substitute when the locale's code page changes,
# so every run uses the locale the prefix was set up with. UTF-8 also carries
# Japanese command-line arguments into Wine intact.
export LANG=C.UTF-8
export LC_ALL=C.UTF-8
export HOME="${HOME:-$(getent passwd "$(id -u)" | cut -d: -f6)}"

TK_XVFB_PID=""
TK_TRAYER_PID=""

tk_log() { echo "wine-env: $*" >&2; }

TK_LOCK_HOLDER_PID=""
TK_LOCK_WAITER_PID=""

# Takes the prefix for this shell (or subshell); waits at most $1 seconds
# (default 300) for another user. The lock is held by `flock`, whose child
# waits for this shell to end; no Wine or X process inherits the lock. A user
# killed by a timeout thus frees the prefix at once, and the next user ends
# what it left running instead of waiting for it.
tk_wine_lock() {
  # Read here: inside the background command below it would name that command.
  local wait_s="${1:-300}" me="$BASHPID" acquired deadline
  mkdir -p "$TK_WINE_DIR"
  acquired="$WINEPREFIX.lock.$me"
  rm -f "$acquired"
  flock --close -w "$wait_s" "$WINEPREFIX.lock" \
    sh -c 'echo $$ >"$1.new" && mv "$1.new" "$1" && exec tail --pid="$2" -f /dev/null' sh "$acquired" "$me" \
    </dev/null >/dev/null 2>&1 &
  TK_LOCK_HOLDER_PID=$!
  deadline=$((SECONDS + wait_s + 5))
  until [[ -e "$acquired" ]]; do
    if ! kill -0 "$TK_LOCK_HOLDER_PID" 2>/dev/null || ((SECONDS >= deadline)); then
      tk_log "the prefix $WINEPREFIX stayed busy for $wait_s s"
      tk_wine_unlock
      return 1
    fi
    sleep 0.05
  done
  TK_LOCK_WAITER_PID="$(cat "$acquired")"
  rm -f "$acquired"
  if [[ -s "$WINEPREFIX.inuse" ]]; then
    tk_log "the last user of $WINEPREFIX was stopped before it cleaned up; ending what it left"
    local pid
    for pid in $(cat "$WINEPREFIX.inuse"); do
      if [[ "$(cat "/proc/$pid/comm" 2>/dev/null)" == @(Xvfb|trayer) ]]; then
        kill "$pid" 2>/dev/null || true
      fi
    done
    tk_wine_kill
  fi
  echo "$me" >"$WINEPREFIX.inuse"
}

# Gives the prefix back; call after tk_wine_finish and tk_display_stop.
tk_wine_unlock() {
  [[ -n "$TK_LOCK_HOLDER_PID" ]] || return 0
  rm -f "$WINEPREFIX.inuse"
  # Ending the waiter ends flock, which releases the lock.
  if [[ -n "$TK_LOCK_WAITER_PID" && "$(cat "/proc/$TK_LOCK_WAITER_PID/comm" 2>/dev/null)" == tail ]]; then
    kill "$TK_LOCK_WAITER_PID" 2>/dev/null || true
  fi
  kill "$TK_LOCK_HOLDER_PID" 2>/dev/null || true
  wait "$TK_LOCK_HOLDER_PID" 2>/dev/null || true
  TK_LOCK_HOLDER_PID=""
  TK_LOCK_WAITER_PID=""
}

# Creates the prefix once; a prefix marked dirty (after a killed run) is made
# anew, since Wine does not always start cleanly in one after a kill.
# Call with the lock held.
tk_wine_prepare() {
  [[ -f "$WINEPREFIX/.tk-ready" ]] && return 0
  local started=$SECONDS
  tk_log "creating the Wine prefix $WINEPREFIX (once, about 15 s)"
  local boot_log="$TK_WINE_DIR/$(basename "$WINEPREFIX")-wineboot.log" attempt rc
  # Two tries: on a machine where Wine never ran, the first start has been seen
  # to fail once.
  for attempt in 1 2; do
    wineserver -k >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"
    mkdir -p "$TK_WINE_DIR"
    rc=0
    WINEDEBUG=err+all timeout 300 wine wineboot -i >"$boot_log" 2>&1 || rc=$?
    ((rc == 0)) && break
    tk_log "wineboot failed ($rc), try $attempt of 2; its last words:"
    tail -n 30 "$boot_log" >&2
    ((attempt < 2)) || return 1
  done
  local substitutes='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
  local face
  # Legible Japanese in the program's own text and in message boxes.
  for face in 'ＭＳ Ｐゴシック' 'MS Shell Dlg'; do
    timeout 60 wine reg add "$substitutes" /v "$face" /t REG_SZ /d IPAPGothic /f >/dev/null
  done
  # Without a window manager Wine otherwise waits about 2 s whenever a dialog
  # hides and when the main window goes.
  timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null
  # The ALSA driver (when the overrides above leave it on) is the one to use.
  timeout 60 wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /t REG_SZ /d alsa /f >/dev/null
  # A crash must end the program at once with its exception code, as on
  # Windows without a debugger. Wine's own debugger instead either waits on a
  # dialog nobody answers or ends the program with exit code 0, so a crash
  # would pass for a clean exit. Naming a debugger that does not exist makes
  # Wine give up on debugging (deleting the value brings its default back).
  timeout 60 wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
    /v Debugger /t REG_SZ /d no-debugger.exe /f >/dev/null
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  tk_wine_finish 120
  touch "$WINEPREFIX/.tk-ready"
  tk_log "prefix ready in $((SECONDS - started)) s"
}

# Waits up to $1 seconds (default 60) until the prefix's wineserver and all its
# processes are gone; when they do not go, kills them and marks the prefix dirty.
tk_wine_finish() {
  local wait_s="${1:-60}"
  if ! timeout "$wait_s" wineserver -w >/dev/null 2>&1; then
    tk_log "Wine processes still running after $wait_s s; killing them"
    tk_wine_kill
    return 1
  fi
}

# Ends every process of this prefix (and only of this prefix).
tk_wine_kill() {
  wineserver -k >/dev/null 2>&1 || true
  timeout 30 wineserver -w >/dev/null 2>&1 || true
  rm -f "$WINEPREFIX/.tk-ready"
}

# Starts Xvfb on a display number it picks itself, and a tray on it (without
# one, Wine's stand-in tray window stalls about 2 s when the last icon goes).
# $1: screen geometry, default 1024x768x24.
tk_display_start() {
  local geometry="${1:-1024x768x24}"
  local fdfile deadline
  fdfile="$(mktemp)"
  # Xvfb writes the display number to the descriptor once it accepts clients.
  Xvfb -displayfd 3 -screen 0 "$geometry" -nolisten tcp -noreset 3>"$fdfile" >/dev/null 2>&1 &
  TK_XVFB_PID=$!
  deadline=$((SECONDS + 30))
  while ! grep -q '^[0-9][0-9]*$' "$fdfile" 2>/dev/null; do
    if ! kill -0 "$TK_XVFB_PID" 2>/dev/null || ((SECONDS >= deadline)); then
      tk_log "Xvfb did not start"
      rm -f "$fdfile"
      tk_display_stop
      return 1
    fi
    sleep 0.05
  done
  export DISPLAY=":$(head -n1 "$fdfile")"
  [[ -z "$TK_LOCK_HOLDER_PID" ]] || echo "$TK_XVFB_PID" >>"$WINEPREFIX.inuse"
  rm -f "$fdfile"

  trayer --edge bottom --align right --widthtype request --height 24 --SetDockType true \
    --transparent false >/dev/null 2>&1 &
  TK_TRAYER_PID=$!
  [[ -z "$TK_LOCK_HOLDER_PID" ]] || echo "$TK_TRAYER_PID" >>"$WINEPREFIX.inuse"
  deadline=$((SECONDS + 30))
  until xdotool search --classname trayer >/dev/null 2>&1; do
    if ! kill -0 "$TK_TRAYER_PID" 2>/dev/null || ((SECONDS >= deadline)); then
      tk_log "trayer did not start on $DISPLAY"
      tk_display_stop
      return 1
    fi
    sleep 0.05
  done
}

# Stops what tk_display_start started, by process id.
tk_display_stop() {
  local pid
  for pid in "$TK_TRAYER_PID" "$TK_XVFB_PID"; do
    [[ -n "$pid" ]] || continue
    kill "$pid" 2>/dev/null || true
    # Bounded: Xvfb and trayer end at once on TERM; KILL if they do not.
    timeout 10 tail --pid="$pid" -f /dev/null 2>/dev/null || kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  TK_TRAYER_PID=""
  TK_XVFB_PID=""
}

# Saves a picture of the whole virtual display to $1.
tk_screenshot() {
  import -window root "$1"
}
