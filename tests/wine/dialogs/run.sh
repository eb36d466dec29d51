#!/usr/bin/env bash
# Runs one dialog test script with the dialogs' helpers in front of it
# (the host harness adds its own shared helpers before both).
#   run.sh PREFIX SOURCE_DIR SCRIPT.vbs
set -uo pipefail
prefix=$1 src=$2 script=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat "$(dirname "$0")/helpers.vbs" "$script" > "$work/$(basename "$script")"
bash "$src/tests/wine/host/run_host_script.sh" "$prefix" "$src" "$work/$(basename "$script")"
