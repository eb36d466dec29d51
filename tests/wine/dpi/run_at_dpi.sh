#!/usr/bin/env bash
# Usage: run_at_dpi.sh SOURCE_DIR PREFIX DPI PROGRAM [ARGS...]
# Runs a Windows test program in the high-DPI prefix with the screen at
# DPI (96 is 100 %). The DPI is the user's LogPixels setting, which Wine
# reads when its server starts: the server is restarted for the run, and
# the program learns the DPI it must find in TOPALINE_TEST_DPI.
set -eu
src="$1"; prefix="$2"; dpi="$3"; shift 3
# shellcheck disable=SC1091
source "$src/scripts/wine-prefix" "$prefix"
wineserver -k >/dev/null 2>&1 || true
wineserver -w >/dev/null 2>&1 || true
wine_retry wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
wineserver -k >/dev/null 2>&1 || true
wineserver -w >/dev/null 2>&1 || true
export TOPALINE_TEST_DPI="$dpi"
status=0
wine "$@" || status=$?
wineserver -k >/dev/null 2>&1 || true
exit $status
