#!/usr/bin/env bash
# Builds one installer package.
#   build_msi.sh SCOPE VERSION TLB_VERSION BIN_DIR SOURCE_DIR WORK_DIR OUTPUT
# SCOPE is "user" or "machine". The product key's sections, geometry keys
# and model store come from host/demo-install.txt (KEY|NAME|DATA a line):
# one component a value, permanent and never overwritten, so uninstalling
# and upgrading keep what the user changed while a newer build still adds
# the values it brings. wixl writes the tables; what its source language
# cannot say (component conditions and attributes, keys without values) is
# set afterwards in the package's own database with msibuild.
set -euo pipefail
scope=$1 version=$2 tlb=$3 bin=$4 src=$5 work=$6 out=$7
mkdir -p "$work"
table="$src/host/demo-install.txt"

# Components and their references, and the keys that hold no value. One
# component a value, so that a newer build adds the values it brings to a
# section the user already has, and leaves every value there alone.
awk -F'|' -v comps="$work/product_key.wxi" -v refs="$work/product_key_refs.wxi" -v empty="$work/empty_keys.txt" '
  function xml(s) { gsub(/&/, "\\&amp;", s); gsub(/</, "\\&lt;", s); gsub(/>/, "\\&gt;", s); gsub(/"/, "\\&quot;", s); return s }
  function prop(s) { gsub(/\[/, "\001", s); gsub(/\]/, "\002", s); gsub(/\001/, "[\\[]", s); gsub(/\002/, "[\\]]", s); return s }
  /^#/ || $0 == "" { next }
  $1 == "" { next }
  $2 == "" { if (!($1 in valued)) emptykeys[$1] = 1; next }
  {
    # DATA is the rest of the line: a model text holds "|" of its own.
    data = substr($0, length($1) + length($2) + 3)
    valued[$1] = 1; delete emptykeys[$1]
    id = "Value_" (++n)
    comp = comp sprintf("    <Component Id=\"%s\" Guid=\"*\" Win64=\"yes\">\n      <RegistryValue Root=\"HKCU\" Key=\"$(var.ProductKey)\\%s\" Name=\"%s\" Type=\"string\" Value=\"%s\" KeyPath=\"yes\"/>\n    </Component>\n", id, xml($1), xml($2), prop(xml(data)))
    searches = searches sprintf("  <Property Id=\"%s\">\n    <RegistrySearch Id=\"Search_%s\" Root=\"HKCU\" Key=\"$(var.ProductKey)\\%s\" Name=\"%s\" Type=\"raw\"/>\n  </Property>\n", toupper("KEEP_" id), id, xml($1), xml($2))
    ref = ref sprintf("      <ComponentRef Id=\"%s\"/>\n", id)
  }
  END {
    printf "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Include>\n  <DirectoryRef Id=\"INSTALLDIR\">\n%s  </DirectoryRef>\n%s</Include>\n", comp, searches > comps
    printf "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Include>\n%s</Include>\n", ref > refs
    for (k in emptykeys) print k > empty
  }' "$table"
touch "$work/empty_keys.txt"

# wixl takes the package's files by paths relative to where it runs.
rm -rf "$work/bin" "$work/lang"
mkdir -p "$work/bin/en" "$work/bin/es"
cp "$bin/orvane.dll" "$bin/quenta.exe" "$bin/topaline3.chm" "$work/bin/"
cp "$bin/en/topaline3.chm" "$work/bin/en/"
cp "$bin/es/topaline3.chm" "$work/bin/es/"
cp -r "$src/lang" "$work/lang"
cp "$src/installer/topaline3.wxs" "$work/topaline3.wxs"
(cd "$work" && wixl -a x64 -D Scope="$scope" -D Version="$version" -D TypeLibVersion="$tlb" -D Bin=bin -D Lang=lang \
  -D ProductKeyInclude=product_key.wxi -D ProductKeyRefs=product_key_refs.wxi -o package.msi topaline3.wxs)

q() { msibuild "$work/package.msi" -q "$1"; }
# Component attributes: 64-bit (256), registry key path (4), permanent (16),
# never overwrite (128).
q "UPDATE \`Component\` SET \`Attributes\` = 276 WHERE \`Component\` = 'Configuration'"
# A value already in the registry is the user's: its component is not
# installed again (an upgrade or a second installation keeps it), whatever
# the installer engine makes of "never overwrite".
while read -r id; do
  q "UPDATE \`Component\` SET \`Attributes\` = 404, \`Condition\` = 'NOT KEEP_${id^^}' WHERE \`Component\` = '$id'"
done < <(sed -n 's/.*<ComponentRef Id="\(Value_[^"]*\)".*/\1/p' "$work/product_key_refs.wxi")
# The labels file of the chosen language; French unless "en" or "es".
q "UPDATE \`Component\` SET \`Condition\` = 'LANGUE <> \"en\" AND LANGUE <> \"es\"' WHERE \`Component\` = 'LabelsFr'"
q "UPDATE \`Component\` SET \`Condition\` = 'LANGUE = \"en\"' WHERE \`Component\` = 'LabelsEn'"
q "UPDATE \`Component\` SET \`Condition\` = 'LANGUE = \"es\"' WHERE \`Component\` = 'LabelsEs'"
# The help of the chosen language, on the same conditions.
q "UPDATE \`Component\` SET \`Condition\` = 'LANGUE <> \"en\" AND LANGUE <> \"es\"' WHERE \`Component\` = 'HelpFr'"
q "UPDATE \`Component\` SET \`Condition\` = 'LANGUE = \"en\"' WHERE \`Component\` = 'HelpEn'"
q "UPDATE \`Component\` SET \`Condition\` = 'LANGUE = \"es\"' WHERE \`Component\` = 'HelpEs'"
# Keys that only have to exist ("+": created on install, kept afterwards).
i=0
while read -r key; do
  [ -n "$key" ] || continue
  i=$((i + 1))
  q "INSERT INTO \`Registry\` (\`Registry\`, \`Root\`, \`Key\`, \`Name\`, \`Component_\`) VALUES ('EmptyKey$i', 1, 'Software\\Norvel\\topaline3\\$key', '+', 'Configuration')"
done < "$work/empty_keys.txt"
# The server's keys go whole on uninstall ("-"), not only their values.
if [ "$scope" = machine ]; then root=2; else root=1; fi
i=0
for key in 'CLSID\{F4DDA72C-7869-48C9-9E3F-51A743B7A257}' 'topaline3.kovar3' \
           'TypeLib\{61BBCE11-CBC9-4217-AF6D-1425428DE6F5}' 'Interface\{90D73EED-2B30-42FD-B880-9416C4AD63E3}'; do
  i=$((i + 1))
  q "INSERT INTO \`Registry\` (\`Registry\`, \`Root\`, \`Key\`, \`Name\`, \`Component_\`) VALUES ('ClassKey$i', $root, 'Software\\Classes\\$key', '-', 'Server')"
done
mv "$work/package.msi" "$out"
