#!/usr/bin/env bash
# Runs one VBScript host test under Wine's cscript in the test prefix.
# cscript stays silent on a script error, so each script prints "FAIL ..."
# lines for its own failures and "OK" as its very last line: the test
# passes only when that line is there and no FAIL line is.
#   run_host_script.sh PREFIX SOURCE_DIR SCRIPT.vbs
set -uo pipefail
prefix=$1 src=$2 script=$3
source "$src/scripts/wine-prefix" "$prefix"
# The script runs with the shared helpers in front of it.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat "$(dirname "$0")/common.vbs" "$script" > "$work/$(basename "$script")"
out=$(cd "$work" && timeout 120 wine cscript //nologo "$(basename "$script")" 2>&1 | tr -d '\r')
status=$?
echo "$out"
if [ $status -ne 0 ]; then echo "cscript ended with status $status"; exit 1; fi
if grep -q '^FAIL' <<<"$out"; then exit 1; fi
if [ "$(grep -v '^\s*$' <<<"$out" | tail -n 1)" != "OK" ]; then
  echo "missing final OK line: the script stopped early (a script error?)"
  exit 1
fi
