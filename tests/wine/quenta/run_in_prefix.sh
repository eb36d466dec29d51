#!/usr/bin/env bash
# Usage: run_in_prefix.sh PREFIX PROGRAM [ARGS...]
# Runs a Windows program in the test run's Wine prefix.
set -euo pipefail
prefix="$1"
shift
source "$(dirname "$0")/../../../scripts/wine-prefix" "$prefix"
exec wine "$@"
