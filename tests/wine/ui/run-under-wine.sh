#!/usr/bin/env bash
# Usage: run-under-wine.sh SOURCE_DIR PREFIX_DIR PROGRAM [ARGS...]
# Runs a Windows test program in a private Wine prefix with the null
# graphics driver, and returns its exit status.
set -eu
src="$1"; prefix="$2"; shift 2
# shellcheck disable=SC1091
source "$src/scripts/wine-prefix" "$prefix"
# A prefix made just now still runs the server that read the old driver
# setting: restart it so that the null graphics driver takes effect.
wineserver -k >/dev/null 2>&1 || true
wineserver -w >/dev/null 2>&1 || true
status=0
wine "$@" || status=$?
wineserver -k >/dev/null 2>&1 || true
exit $status
