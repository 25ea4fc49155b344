#!/usr/bin/env bash
# What the built tenkoro.exe carries for Windows, read back out of the file
# with the toolchain's resource decompiler: a well-formed manifest (Windows
# refuses to start a program whose manifest is broken) declaring per-monitor
# scaling, the current common controls, the user's own rights and the
# supported systems; and a version resource with the project's version.
# Usage: exe_resources_test.sh TENKORO.EXE VERSION OTHER.EXE (one without them)
set -euo pipefail
exe=$1 version=$2 bare=$3
fail() { echo "FAIL: $*" >&2; exit 1; }

resources() { x86_64-w64-mingw32-windres -i "$1" -O rc 2>/dev/null || true; }
# The manifest (type 24, id 1) from windres's quoted lines, unquoted.
manifest_of() {
  awk '/^1 24 \/\* RT_MANIFEST \*\//{on=1; next} on && /^END/{exit} on && /^ *"/' |
    sed 's/^ *"//; s/"$//; s/""/"/g; s/\\n$//'
}

rc="$(resources "$exe")"
manifest="$(manifest_of <<<"$rc")"
[[ -n "$manifest" ]] || fail "$exe has no manifest"
xmllint --noout - <<<"$manifest" || fail "the manifest is not well-formed XML"
for text in '<dpiAwareness xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">PerMonitorV2, PerMonitor</dpiAwareness>' \
  '>true/pm</dpiAware>' 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' \
  'requestedExecutionLevel level="asInvoker"' '{35138b9a-5d96-4fbd-8e2d-a2440225f93a}' \
  '{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}' '{1f676c76-80e1-4239-95bb-83d0f6d0da78}' \
  '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}'; do
  grep -q -F "$text" <<<"$manifest" || fail "the manifest lacks $text"
done

numbers="${version//./, }, 0"
for line in "FILEVERSION $numbers" "PRODUCTVERSION $numbers" "VALUE \"FileVersion\", \"$version\"" \
  "VALUE \"ProductVersion\", \"$version\"" 'VALUE "ProductName", "Tenkoro"' \
  'VALUE "OriginalFilename", "tenkoro.exe"' 'VALUE "FileDescription", "'; do
  grep -q -F "$line" <<<"$rc" || fail "the version resource lacks $line"
done

# The checks can fail: a program without either is told apart.
rc="$(resources "$bare")"
[[ -z "$(manifest_of <<<"$rc")" ]] || fail "$bare shows a manifest it does not have"
grep -q VERSIONINFO <<<"$rc" && fail "$bare shows a version it does not have"
echo "exe resources: all checks passed"
