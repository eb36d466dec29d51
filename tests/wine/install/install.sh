#!/usr/bin/env bash
# The installer packages under Wine, in a prefix of their own, the way a
# surveyor installs: silently, per user first (an older build, then an
# upgrade over it keeping a changed setting and the chosen language), then
# uninstalled; per user again in Spanish, with the Spanish labels and help,
# then uninstalled; then for every user of the machine, where a host script
# creates the object by its ProgID and runs commands; then uninstalled.
# After each uninstall no file and no class registration is left, and the
# user's settings stay.
#   install.sh PREFIX SOURCE_DIR USER_MSI OLD_USER_MSI MACHINE_MSI UIDRIVER
set -uo pipefail
prefix=$1 src=$2 user_msi=$3 old_msi=$4 machine_msi=$5 driver=$6
here=$(cd "$(dirname "$0")" && pwd)
help_fr=$(dirname "$machine_msi")/topaline3.chm help_en=$(dirname "$machine_msi")/en/topaline3.chm
help_es=$(dirname "$machine_msi")/es/topaline3.chm
if [ -d "$prefix" ]; then WINEPREFIX="$(realpath -m "$prefix")" wineserver -k 2>/dev/null || true; fi
rm -rf "$prefix"
source "$src/scripts/wine-prefix" "$prefix"

failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }
check() { local what=$1; shift; if "$@"; then echo "ok   $what"; else fail "$what"; fi; }

drive="$WINEPREFIX/drive_c"
cp "$user_msi" "$drive/topaline3.msi"
cp "$old_msi" "$drive/topaline3-old.msi"
cp "$machine_msi" "$drive/topaline3-machine.msi"
mkdir -p "$drive/topaline tools"
cp "$driver" "$drive/topaline tools/uidriver.exe"
product='HKCU\Software\Norvel\topaline3'
clsid='{F4DDA72C-7869-48C9-9E3F-51A743B7A257}'

# Whether a key exists.
# The data of a value ("" when missing; "(Default)" names the key's own).
value() {
  local sel=(/v "$2")
  [ "$2" = '(Default)' ] && sel=(/ve)
  wine reg query "$1" "${sel[@]}" 2>/dev/null | tr -d '\r' | awk -v n="$2" '$1 == n { $1 = ""; $2 = ""; sub(/^  */, ""); print }'
}
key_exists() { wine reg query "$1" >/dev/null 2>&1; }
msi() { wine msiexec "$@" /qn; }

user_dir=$(find "$drive/users" -maxdepth 1 -mindepth 1 -type d ! -name Public | head -n 1)
user_folder="$user_dir/AppData/Local/Programs/topaline3"
user_folder_win='C:\users\'"$(basename "$user_dir")"'\AppData\Local\Programs\topaline3'
machine_folder="$drive/Program Files/topaline3"

default_model=$(sed -n 's/^importe\\modeles|standard|//p' "$src/host/demo-install.txt")
echo "== per user: the older build, in English"
check "the older package installs silently" msi /i 'C:\topaline3-old.msi' LANGUE=en
check "the files are in the user's programs folder" test -f "$user_folder/orvane.dll" -a -f "$user_folder/quenta.exe" \
  -a -f "$user_folder/topaline3.chm" -a -f "$user_folder/language.lng"
check "the labels file is the English one" cmp -s "$user_folder/language.lng" "$src/lang/en/language.lng"
check "the help file is the English one" cmp -s "$user_folder/topaline3.chm" "$help_en"
check "installpath names the folder" test "$(value "$product" installpath)" = "$user_folder_win\\"
check "appname is topaline3" test "$(value "$product" appname)" = topaline3
check "langue is en" test "$(value "$product" langue)" = en
check "the class is registered for the user" test "$(value "HKCU\\Software\\Classes\\CLSID\\$clsid\\InprocServer32" ThreadingModel)" = Apartment
check "the class names the installed server" test "$(value "HKCU\\Software\\Classes\\CLSID\\$clsid\\InprocServer32" '(Default)')" = "$user_folder_win\\orvane.dll"
check "the ProgID names the class" test "$(value 'HKCU\Software\Classes\topaline3.kovar3\CLSID' '(Default)')" = "$clsid"
check "the type library is registered" key_exists 'HKCU\Software\Classes\TypeLib\{61BBCE11-CBC9-4217-AF6D-1425428DE6F5}\1.0\0\win64'
check "nothing is registered for the machine" bash -c "! wine reg query 'HKLM\\Software\\Classes\\CLSID\\$clsid' >/dev/null 2>&1"
check "a dialog section holds the values the host reads" test "$(value "$product\\options" avertcalq)" = 1
check "a geometry key exists" key_exists "$product\\frmGerer"
# The whole model text, with its own "|" separators.
check "the model store holds the default model" test -n "$default_model" -a "$(value "$product\\importe\\modeles" standard)" = "$default_model"

echo "== per user: upgrade, keeping a changed setting and the language"
wine reg add "$product\\options" /v avertcalq /d 0 /f >/dev/null
# A value the older build did not have (here: removed) comes with the new one.
wine reg delete "$product\\options" /v showbox /f >/dev/null
check "the new package upgrades silently" msi /i 'C:\topaline3.msi'
check "the changed setting is kept" test "$(value "$product\\options" avertcalq)" = 0
check "a value the section lacked is added" test "$(value "$product\\options" showbox)" = 0
check "the language is kept" test "$(value "$product" langue)" = en
check "the labels file is still the English one" cmp -s "$user_folder/language.lng" "$src/lang/en/language.lng"
products=$(wine reg query 'HKCU\Software\Microsoft\Installer\Products' 2>/dev/null | tr -d '\r' | grep -c 'Products\\')
check "one product is installed after the upgrade (got $products)" test "$products" = 1

echo "== per user: uninstall"
check "the package uninstalls silently" msi /x 'C:\topaline3.msi'
check "no file is left" test ! -e "$user_folder"
for k in "CLSID\\$clsid" topaline3.kovar3 'TypeLib\{61BBCE11-CBC9-4217-AF6D-1425428DE6F5}' 'Interface\{90D73EED-2B30-42FD-B880-9416C4AD63E3}'; do
  check "no class registration is left: $k" bash -c "! wine reg query 'HKCU\\Software\\Classes\\$k' >/dev/null 2>&1"
done
check "the user's settings stay" test "$(value "$product\\options" avertcalq)" = 0
check "the user's models stay" bash -c "wine reg query '$product\\importe\\modeles' 2>/dev/null | tr -d '\r' | grep -q REG_SZ"

echo "== per user: in Spanish"
check "the package installs silently in Spanish" msi /i 'C:\topaline3.msi' LANGUE=es
check "langue is es" test "$(value "$product" langue)" = es
check "the labels file is the Spanish one" cmp -s "$user_folder/language.lng" "$src/lang/es/language.lng"
check "the help file is the Spanish one" cmp -s "$user_folder/topaline3.chm" "$help_es"
check "the Spanish help is neither the French nor the English one" \
  bash -c '! cmp -s "$1" "$2" && ! cmp -s "$1" "$3"' _ "$help_es" "$help_fr" "$help_en"
check "the Spanish package uninstalls silently" msi /x 'C:\topaline3.msi'
check "no file is left after the Spanish install" test ! -e "$user_folder"

echo "== for every user: install, a host script, uninstall"
check "the machine package installs silently" msi /i 'C:\topaline3-machine.msi' LANGUE=fr
check "the files are under Program Files" test -f "$machine_folder/orvane.dll" -a -f "$machine_folder/language.lng"
check "the labels file is the French one" cmp -s "$machine_folder/language.lng" "$src/lang/fr/language.lng"
check "the help file is the French one" cmp -s "$machine_folder/topaline3.chm" "$help_fr"
check "the class is registered for the machine" key_exists "HKLM\\Software\\Classes\\CLSID\\$clsid\\InprocServer32"
# The host script with the test harness's helpers in front (no ExecuteGlobal
# in Wine's script engine).
cat "$src/tests/wine/harness/common.vbs" "$src/tests/wine/dialogs/helpers.vbs" "$here/installed_host.vbs" \
  > "$drive/installed_host.vbs"
out=$(timeout 90 wine cscript //nologo 'C:\installed_host.vbs' 2>&1 | tr -d '\r')
echo "$out"
check "the host script ran against the installed server" bash -c "grep -q '^OK$' <<<\"\$1\" && ! grep -q '^FAIL' <<<\"\$1\"" _ "$out"
rm -f "$machine_folder/dialog.txt"  # the driver's report, not a file of the package
check "the machine package uninstalls silently" msi /x 'C:\topaline3-machine.msi'
check "no file is left under Program Files" test ! -e "$machine_folder"
check "no class registration is left for the machine" bash -c "! wine reg query 'HKLM\\Software\\Classes\\CLSID\\$clsid' >/dev/null 2>&1 && ! wine reg query 'HKLM\\Software\\Classes\\topaline3.kovar3' >/dev/null 2>&1"
check "the user's settings stay" test "$(value "$product\\options" avertcalq)" = 0

wineserver -k 2>/dev/null || true
if [ $failures -ne 0 ]; then echo "$failures check(s) failed"; exit 1; fi
echo "all checks passed"
