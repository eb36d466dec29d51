#!/usr/bin/env bash
# The host tests' installation (server registered, product key) with the
# real French labels, plus the driver of the group dialogs.
#   setup.sh PREFIX SOURCE_DIR ORVANE_DLL QUENTA_STANDIN UIDRIVER GROUPSDRIVER
set -euo pipefail
prefix=$1 src=$2 dll=$3 standin=$4 uidriver=$5 groupsdriver=$6
bash "$src/tests/wine/host/setup_prefix.sh" "$prefix" "$src" "$dll" "$standin" "$uidriver" \
  "$src/lang/fr/language.lng"
cp "$groupsdriver" "$(realpath -m "$prefix")/drive_c/topaline test/groupsdriver.exe"
