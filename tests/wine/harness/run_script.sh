#!/usr/bin/env bash
# Runs one VBScript test under Wine's cscript in the shared test prefix.
# First the product key is put back as the installation left it, with
# "installpath" naming the suite's folder, and the help viewer's record is
# removed, so that no suite depends on what another one left behind.
# The script runs with common.vbs and the suite's helpers in front of it
# (Wine's script engine has no ExecuteGlobal).
# cscript stays silent on a script error, so each script prints "FAIL ..."
# lines for its own failures and "OK" as its very last line: the test
# passes only when that line is there and no FAIL line is.
#   run_script.sh PREFIX SOURCE_DIR INSTALL_FOLDER SCRIPT.vbs [HELPERS.vbs...]
set -uo pipefail
prefix=$1 src=$2 install=$3 script=$4
shift 4
source "$src/scripts/wine-prefix" "$prefix"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

printf '%s\r\n' 'REGEDIT4' '' \
  '[-HKEY_CURRENT_USER\Software\Norvel\topaline3]' '' \
  '[HKEY_CURRENT_USER\Software\Norvel\topaline3]' \
  "\"installpath\"=\"${install//\\/\\\\}\"" \
  '"appname"="topaline3"' \
  '"langue"="fr"' > "$work/reset.reg"
wine regedit /S "$(winepath -w "$work/reset.reg" 2>/dev/null)" || { echo "cannot reset the product key"; exit 1; }
rm -f "$WINEPREFIX/drive_c/windows/hh-args.txt"

cat "$(dirname "$0")/common.vbs" "$@" "$script" > "$work/$(basename "$script")"
out=$(cd "$work" && timeout 120 wine cscript //nologo "$(basename "$script")" 2>&1 | tr -d '\r')
status=$?
echo "$out"
if [ $status -ne 0 ]; then echo "cscript ended with status $status"; exit 1; fi
if grep -q '^FAIL' <<<"$out"; then exit 1; fi
if [ "$(grep -v '^\s*$' <<<"$out" | tail -n 1)" != "OK" ]; then
  echo "missing final OK line: the script stopped early (a script error?)"
  exit 1
fi
