#!/usr/bin/env bash
# The host tests' installation (server registered, product key) with the
# real French labels, plus: the driver of the dialogs, the English labels
# in a second folder (a host switches "installpath" and "langue" to run in
# English), and a stand-in for the help viewer in the Windows folder.
#   setup.sh PREFIX SOURCE_DIR ORVANE_DLL QUENTA_STANDIN UIDRIVER DLGDRIVER HH_STANDIN
set -euo pipefail
prefix=$1 src=$2 dll=$3 standin=$4 uidriver=$5 dlgdriver=$6 hh=$7
bash "$src/tests/wine/host/setup_prefix.sh" "$prefix" "$src" "$dll" "$standin" "$uidriver" \
  "$src/lang/fr/language.lng"
drive="$(realpath -m "$prefix")/drive_c"
cp "$dlgdriver" "$drive/topaline test/dlgdriver.exe"
mkdir -p "$drive/topaline en"
cp "$src/lang/en/language.lng" "$drive/topaline en/language.lng"
cp "$uidriver" "$drive/topaline en/uidriver.exe"  # the host helpers' Pause runs it from installpath
cp "$hh" "$drive/windows/hh.exe"
rm -f "$drive/windows/hh-args.txt"
echo "setup: driver, English labels and help viewer stand-in installed"
