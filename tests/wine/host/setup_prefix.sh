#!/usr/bin/env bash
# Makes a fresh Wine prefix for one run of the host tests and installs the
# product in it the way an installation does: files in "C:\topaline test"
# (a folder with a blank, on purpose), the product key values, and the
# server registered per machine with regsvr32.
#   setup_prefix.sh PREFIX SOURCE_DIR ORVANE_DLL QUENTA_STANDIN UIDRIVER LABELS
set -euo pipefail
prefix=$1 src=$2 dll=$3 standin=$4 driver=$5 labels=$6

if [ -n "${WINEPREFIX:-}" ] || [ -d "$prefix" ]; then
  WINEPREFIX="$(realpath -m "$prefix")" wineserver -k 2>/dev/null || true
fi
rm -rf "$prefix"
source "$src/scripts/wine-prefix" "$prefix"

install="$WINEPREFIX/drive_c/topaline test"
mkdir -p "$install"
cp "$dll" "$install/orvane.dll"
cp "$standin" "$install/quenta.exe"
cp "$driver" "$install/uidriver.exe"
cp "$labels" "$install/language.lng"

key='HKCU\Software\Norvel\topaline3'
wine reg add "$key" /v installpath /d 'C:\topaline test' /f >/dev/null
wine reg add "$key" /v appname /d topaline3 /f >/dev/null
wine reg add "$key" /v langue /d fr /f >/dev/null

wine regsvr32 /s 'C:\topaline test\orvane.dll'
wine reg query 'HKCR\topaline3.kovar3\CLSID' >/dev/null || { echo "setup: the server did not register"; exit 1; }
# The desktop process started by wineboot chose its graphics driver before
# the null driver was set: restart the server so that the next programs
# get a desktop with the null driver (otherwise windows cannot be created).
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
echo "setup: product installed in $install"
