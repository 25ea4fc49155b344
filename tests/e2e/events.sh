#!/usr/bin/env bash
# Events on the system's own timers: a period, a chance of one in one and a
# date event run their actions, the timer changing its interval between them;
# the period's action stops itself after eight runs and saves the counts.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin

e2e_new_case period-chance-date
e2e_script <<'SCRIPT'
*TKScriptFile
_BeginInitFlags:
int:p,0;
int:c,0;
int:d,0;
_EndInitFlags:
_FirstAction:
>IES=0,0.25,P;
>IES=1,1,C;
>DES=2000,1,1,2,D;
>AE;
P:
>FV+=p,1;
>JVC=p,<,8,Later;
>IED=0,0.25,P;
>FFSV=counts.dat;
Later:
>AE;
C:
>FV+=c,1;
>AE;
D:
>FV+=d,1;
>AE;
SCRIPT
e2e_start
e2e_driver wait-visible Tenkoro 30000 >/dev/null || e2e_fail "the main window did not appear"
deadline=$((SECONDS + 30))
until [[ -f "$e2e_folder/counts.dat" ]]; do
  ((SECONDS < deadline)) || e2e_fail "the period's action did not save its counts within 30 s"
  sleep 0.1
done
sleep 0.5  # the file is replaced in one step; give the program a moment all the same
"$TK_TKC" decode "$e2e_folder/counts.dat" "$e2e_work/counts.txt" || e2e_fail "counts.dat is not an encoded file"
record="$(tr -d '\r' <"$e2e_work/counts.txt" | tail -n 1)"
# Eight periods of 250 ms: the chance of one in one fired once or twice a
# second meanwhile, the date event (after 2000-01-01) once.
[[ "$record" =~ ^\*FLI\;p\;8\;c\;([0-9]+)\;d\;1\;\*FLS\;\*EOF\;$ ]] ||
  e2e_fail "counts \"$record\", expected p 8 and d 1"
((BASH_REMATCH[1] >= 1 && BASH_REMATCH[1] <= 3)) || e2e_fail "the chance fired ${BASH_REMATCH[1]} times"
e2e_log "counts: $record"
e2e_driver close Tenkoro || e2e_fail "could not post WM_CLOSE"
e2e_expect_exit 0
[[ ! -e "$e2e_folder/tk_error.txt" ]] || e2e_fail "tk_error.txt was written"
