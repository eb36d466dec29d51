#!/usr/bin/env bash
# Makes the one Wine prefix of the host, dialog, group and points tests and
# installs the product in it the way an installation does: the server
# registered per machine with regsvr32 and the product key values. Three
# installation folders (each with a blank in its name, on purpose), the
# suites choose theirs through "installpath" (run_script.sh):
#   C:\topaline test   orvane.dll, quenta.exe (stand-in), the French labels
#   C:\topaline en     the English labels
#   C:\topaline host   quenta.exe and the small labels file of the host tests
# plus the driver program in C:\topaline tools and a stand-in for the help
# viewer in the Windows folder.
#   setup.sh PREFIX SOURCE_DIR ORVANE_DLL QUENTA_STANDIN UIDRIVER HH_STANDIN
set -euo pipefail
prefix=$1 src=$2 dll=$3 standin=$4 driver=$5 hh=$6
# Say which step failed: several of them are silent by design.
trap 'echo "setup: failed (exit $?) at line $LINENO: $BASH_COMMAND" >&2' ERR

if [ -n "${WINEPREFIX:-}" ] || [ -d "$prefix" ]; then
  WINEPREFIX="$(realpath -m "$prefix")" wineserver -k 2>/dev/null || true
fi
rm -rf "$prefix"
source "$src/scripts/wine-prefix" "$prefix"

drive="$WINEPREFIX/drive_c"
mkdir -p "$drive/topaline test" "$drive/topaline en" "$drive/topaline host" "$drive/topaline tools"
cp "$dll" "$drive/topaline test/orvane.dll"
cp "$standin" "$drive/topaline test/quenta.exe"
cp "$src/lang/fr/language.lng" "$drive/topaline test/language.lng"
cp "$src/lang/en/language.lng" "$drive/topaline en/language.lng"
cp "$standin" "$drive/topaline host/quenta.exe"
cp "$src/tests/wine/harness/fixtures/language.lng" "$drive/topaline host/language.lng"
cp "$driver" "$drive/topaline tools/uidriver.exe"
cp "$hh" "$drive/windows/hh.exe"

key='HKCU\Software\Norvel\topaline3'
wine_retry wine reg add "$key" /v installpath /d 'C:\topaline test' /f >/dev/null
wine_retry wine reg add "$key" /v appname /d topaline3 /f >/dev/null
wine_retry wine reg add "$key" /v langue /d fr /f >/dev/null

registered() { wine regsvr32 /s 'C:\topaline test\orvane.dll' && wine reg query 'HKCR\topaline3.kovar3\CLSID' >/dev/null; }
wine_retry registered || { echo "setup: the server did not register"; exit 1; }
# The desktop process started by wineboot chose its graphics driver before
# the null driver was set: restart the server so that the next programs
# get a desktop with the null driver (otherwise windows cannot be created).
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
echo "setup: product installed in $drive/topaline test"
