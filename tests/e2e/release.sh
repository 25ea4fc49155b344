#!/usr/bin/env bash
# The release zip as a user downloads it: the build's release target makes it;
# it holds the program, the author tool, the sample character, the readme and
# the author's reference and nothing else; unzipped into a fresh folder, the
# program started there shows the character, the author tool runs, and all the
# program writes stays in that folder.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
: "${TK_VERSION:?set by CTest}"
e2e_begin

e2e_case=zip
cmake --build "$TK_EXE_DIR" --target release >"$e2e_work/release-build.txt" 2>&1 ||
  e2e_fail "the release target failed: $(tail -5 "$e2e_work/release-build.txt")"
zip="$(<"$TK_EXE_DIR/release_zip.txt")"
[[ "$(basename "$zip")" == "tenkoro-$TK_VERSION-win64.zip" ]] || e2e_fail "the zip is named $(basename "$zip")"
[[ -f "$zip" ]] || e2e_fail "no $zip"
e2e_log "$zip ($(stat -c %s "$zip") bytes)"

# Exactly these files, at the top of the zip.
expected="$(
  printf '%s\n' README.txt script.md tenkoro.exe tkc.exe
  while read -r name _; do echo "$name"; done <"$TK_EXE_DIR/stage_files.txt"
)"
listed="$(cmake -E tar tf "$zip")" || e2e_fail "cannot list the zip"
[[ "$(sort <<<"$listed")" == "$(sort <<<"$expected")" ]] ||
  e2e_fail "the zip holds other files: $(diff <(sort <<<"$expected") <(sort <<<"$listed") | grep '^[<>]' | tr '\n' ' ')"

e2e_case=unzipped
e2e_folder="$e2e_work/Tenkoro $TK_VERSION"  # a space, as many users' folders have
mkdir -p "$e2e_folder"
(cd "$e2e_folder" && cmake -E tar xf "$zip") || e2e_fail "cannot unzip"
cmp -s "$e2e_folder/tenkoro.exe" "$TK_EXE_DIR/tenkoro.exe" || e2e_fail "tenkoro.exe is not the one built"
cmp -s "$e2e_folder/script.md" "$e2e_here/../../docs/script.md" || e2e_fail "script.md is not docs/script.md"
readme="$e2e_folder/README.txt"
LC_ALL=C grep -q -v -P '\r$' "$readme" && e2e_fail "README.txt has a line without CR LF"
LC_ALL=C grep -q -P '[^\x00-\x7f]' "$readme" && e2e_fail "README.txt is not plain ASCII"
grep -q "^Tenkoro $TK_VERSION for Windows" "$readme" || e2e_fail "README.txt does not name version $TK_VERSION"

# The author tool, as a user runs it in the folder: the sample lints clean.
lint="$( (cd "$e2e_folder" && timeout 90 wine tkc.exe lint .) 2>&1)" ||
  e2e_fail "tkc.exe lint failed: $lint"
[[ -z "$lint" ]] || e2e_fail "tkc.exe lint reported: $lint"
# Its screenshots draw the greeting in the system's fonts, not in blocks (no
# note that it falls back to them), and the balloon's text line is inked. The
# choices still wait when the run ends, so it ends as stopped (3).
cp -r "$e2e_folder" "$e2e_work/tried"
rc=0
talk="$( (cd "$e2e_work/tried" && timeout 90 wine tkc.exe run . --seconds 5 --menu '&Talk'@500 \
  --screenshot talk.png) 2>&1)" || rc=$?
((rc == 3)) || e2e_fail "tkc.exe run ended with $rc: $talk"
[[ "$talk" != *blocks* ]] || e2e_fail "tkc.exe run draws text as blocks: $talk"
ink="$(convert "$e2e_work/tried/talk.png" -crop 120x16+574+226 +repage -fill black +opaque white \
  -format '%[fx:int((1-mean)*w*h)]' info:)"
((ink > 100)) || e2e_fail "no greeting text in tkc.exe's screenshot ($ink pixels inked)"

# Double-clicked, the program starts in its folder.
e2e_start
e2e_driver wait-visible Tenkoro 30000 >/dev/null || e2e_fail "the main window is not visible"
read -r left top right bottom <<<"$(e2e_window_info rect)"
((right - left == 160 && bottom - top == 200 && left == 432 && top == 284)) ||
  e2e_fail "window $left $top $right $bottom, expected 160 x 200 centred at 432,284"
shot="$e2e_work/release.png"
deadline=$((SECONDS + 15))
until tk_screenshot "$shot" &&
  [[ "$(convert "$shot" -format "%[pixel:p{$((left + 80)),$((top + 40))}]" info:)" == "srgb(250,215,170)" ]]; do
  ((SECONDS < deadline)) || e2e_fail "the character was not painted"
  sleep 0.1
done
e2e_driver no-box >/dev/null || e2e_fail "a message box is showing over the character"
e2e_log "the character shows: $shot"

e2e_driver close Tenkoro || e2e_fail "could not post WM_CLOSE"
e2e_expect_exit 0
[[ ! -f "$e2e_folder/tk_error.txt" ]] || e2e_fail "errors were logged"
# Its settings went beside the program, and nothing else was added.
e2e_expect_ini WndPos X_Pos 432
e2e_expect_ini WndPos Y_Pos 284
before="$(printf '%s\n' "$listed" tk.ini | sort)"
after="$(find "$e2e_folder" -mindepth 1 -printf '%P\n' | sort)"
[[ "$after" == "$before" ]] ||
  e2e_fail "the folder changed: $(diff <(cat <<<"$before") <(cat <<<"$after") | grep '^[<>]' | tr '\n' ' ')"
