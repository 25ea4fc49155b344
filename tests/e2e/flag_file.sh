#!/usr/bin/env bash
# The sample character counts its starts in a flag: _FirstAction loads it from
# tk_flags.dat and branches on it, _LastAction saves it. The count written by
# one run is the one the next run reads.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin

# e2e_expect_record TEXT: the flag file holds the marker and this record line.
e2e_expect_record() {
  local decoded="$e2e_work/tk_flags.txt"
  "$TK_TKC" decode "$e2e_folder/tk_flags.dat" "$decoded" || e2e_fail "tk_flags.dat is not an encoded file"
  local expected
  expected="$(printf '*TKFlagFile\r\n%s\r\n' "$1")"
  [[ "$(cat "$decoded")" == "$expected" ]] ||
    e2e_fail "tk_flags.dat holds \"$(cat -v "$decoded")\", expected the record $1"
  e2e_log "flag file: $1"
}

e2e_run_once() {
  e2e_start
  e2e_driver wait-visible Tenkoro 30000 >/dev/null || e2e_fail "the main window did not appear"
  e2e_driver close Tenkoro || e2e_fail "could not post WM_CLOSE"
  e2e_expect_exit 0
}

e2e_new_case start-count
# The sample as built: its script, map, pictures, and the flag file at 0.
e2e_copy_stage

e2e_run_once
e2e_expect_record '*FLI;Starts;1;*FLS;Mood;first start;*EOF;'
e2e_case=second-start
e2e_run_once
e2e_expect_record '*FLI;Starts;2;*FLS;Mood;again;*EOF;'
# Nothing went wrong on the way: no error was logged, no box was left open.
[[ ! -e "$e2e_folder/tk_error.txt" ]] || e2e_fail "tk_error.txt was written"
# The file was replaced, not written beside and left.
leftovers="$(find "$e2e_folder" -name 'tk_flags.dat?*')"
[[ -z "$leftovers" ]] || e2e_fail "files left beside the flag file: $leftovers"
