#!/usr/bin/env bash
# DIDP shows the input dialog centred over the character and topmost; OK puts
# the edit box's text into the flag, cancel leaves it and takes its label.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin

IDOK=1
IDCANCEL=2

# e2e_answer_dialog CAPTION BUTTON: waits for the dialog, checks that it is
# centred over the character, presses the button.
e2e_answer_dialog() {
  local out rect
  deadline=$((SECONDS + 30))
  until rect="$(e2e_driver list | awk -F'\t' -v c="$1" '$3 == "visible" && $5 == "#32770" && $6 == c { print $4 }')" && [[ -n "$rect" ]]; do
    ((SECONDS < deadline)) || e2e_fail "the input dialog \"$1\" did not appear"
    sleep 0.05
  done
  read -r left top right bottom <<<"$rect"
  read -r mleft mtop mright mbottom <<<"$(e2e_window_info rect)"
  local want_left=$((mleft + (mright - mleft - (right - left)) / 2))
  local want_top=$((mtop + (mbottom - mtop - (bottom - top)) / 2))
  ((left == want_left && top == want_top)) ||
    e2e_fail "input dialog at $left,$top, expected $want_left,$want_top (centred over the character)"
  out="$(e2e_driver wait-box 10000 "$2")" || e2e_fail "could not press button $2 of \"$1\""
  [[ "${out%%$'\n'*}" == "$1" ]] || e2e_fail "pressed a button of \"${out%%$'\n'*}\", not of \"$1\""
  e2e_log "input dialog \"$1\" at $left,$top: pressed $2"
}

e2e_new_case ok-and-cancel
e2e_script <<'SCRIPT'
*TKScriptFile
_BeginInitFlags:
str:Name,none;
str:Step,;
_EndInitFlags:
_FirstAction:
>DIDP=Name,0,Ask,Your name?,Taro,Answered,;
>AE;
Answered:
>FVS=Step,ok;
>DIDP=Name,0,Again,Once more?,Hanako,,Cancelled;
>AE;
Cancelled:
>FV+=Step,+cancel;
>FFSV=flags.dat;
>AE;
SCRIPT
e2e_start
e2e_driver wait-visible Tenkoro 30000 >/dev/null || e2e_fail "the main window did not appear"
e2e_answer_dialog Ask "$IDOK"
e2e_answer_dialog Again "$IDCANCEL"
deadline=$((SECONDS + 10))
until [[ -f "$e2e_folder/flags.dat" ]]; do
  ((SECONDS < deadline)) || e2e_fail "flags.dat was not written"
  sleep 0.05
done
"$TK_TKC" decode "$e2e_folder/flags.dat" "$e2e_work/flags.txt" || e2e_fail "flags.dat is not an encoded file"
record="$(sed -n '2p' "$e2e_work/flags.txt" | tr -d '\r')"
[[ "$record" == '*FLI;*FLS;Name;Taro;Step;ok+cancel;*EOF;' ]] || e2e_fail "flag record \"$record\""
e2e_driver close Tenkoro || e2e_fail "could not post WM_CLOSE"
e2e_expect_exit 0
[[ ! -e "$e2e_folder/tk_error.txt" ]] || e2e_fail "tk_error.txt was written"
