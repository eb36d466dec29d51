#!/usr/bin/env bash
# Builds one installer package.
#   build_msi.sh SCOPE VERSION TLB_VERSION BIN_DIR SOURCE_DIR WORK_DIR OUTPUT
# SCOPE is "user" or "machine". The product key's sections, geometry keys
# and model store come from host/demo-install.txt (KEY|NAME|DATA a line):
# one component a subkey, permanent and never overwritten, so uninstalling
# and upgrading keep what the user changed while a newer build still adds
# the sections it brings. wixl writes the tables; what its source language
# cannot say (component conditions and attributes, keys without values) is
# set afterwards in the package's own database with msibuild.
set -euo pipefail
scope=$1 version=$2 tlb=$3 bin=$4 src=$5 work=$6 out=$7
mkdir -p "$work"
table="$src/host/demo-install.txt"

# Components and their references, and the keys that hold no value.
awk -F'|' -v comps="$work/product_key.wxi" -v refs="$work/product_key_refs.wxi" -v empty="$work/empty_keys.txt" '
  function xml(s) { gsub(/&/, "\\&amp;", s); gsub(/</, "\\&lt;", s); gsub(/>/, "\\&gt;", s); gsub(/"/, "\\&quot;", s); return s }
  function prop(s) { gsub(/\[/, "\001", s); gsub(/\]/, "\002", s); gsub(/\001/, "[\\[]", s); gsub(/\002/, "[\\]]", s); return s }
  /^#/ || $0 == "" { next }
  $1 == "" { next }
  {
    key = $1; id = "Key_" key; gsub(/[^A-Za-z0-9_]/, "_", id)
    if (!(id in seen)) { seen[id] = 1; order[++n] = id; keyof[id] = key }
    if ($2 != "") {
      values[id] = values[id] sprintf("      <RegistryValue Root=\"HKCU\" Key=\"$(var.ProductKey)\\%s\" Name=\"%s\" Type=\"string\" Value=\"%s\"%s/>\n", xml(key), xml($2), prop(xml($3)), (id in haskey) ? "" : " KeyPath=\"yes\"")
      if (!(id in haskey)) firstname[id] = $2
      haskey[id] = 1
    }
  }
  END {
    print "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Include>\n  <DirectoryRef Id=\"INSTALLDIR\">" > comps
    print "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Include>" > refs
    for (i = 1; i <= n; i++) {
      id = order[i]
      if (id in haskey) {
        printf "    <Component Id=\"%s\" Guid=\"*\" Win64=\"yes\">\n%s    </Component>\n", id, values[id] > comps
        searches = searches sprintf("  <Property Id=\"%s\">\n    <RegistrySearch Id=\"Search_%s\" Root=\"HKCU\" Key=\"$(var.ProductKey)\\%s\" Name=\"%s\" Type=\"raw\"/>\n  </Property>\n", toupper("KEEP_" id), id, xml(keyof[id]), xml(firstname[id]))
        printf "      <ComponentRef Id=\"%s\"/>\n", id > refs
      } else {
        print keyof[id] > empty
      }
    }
    print "  </DirectoryRef>\n" searches "</Include>" > comps
    print "</Include>" > refs
  }' "$table"
touch "$work/empty_keys.txt"

# wixl takes the package's files by paths relative to where it runs.
rm -rf "$work/bin" "$work/lang"
mkdir -p "$work/bin"
cp "$bin/orvane.dll" "$bin/quenta.exe" "$bin/topaline3.chm" "$work/bin/"
cp -r "$src/lang" "$work/lang"
cp "$src/installer/topaline3.wxs" "$work/topaline3.wxs"
(cd "$work" && wixl -a x64 -D Scope="$scope" -D Version="$version" -D TypeLibVersion="$tlb" -D Bin=bin -D Lang=lang \
  -D ProductKeyInclude=product_key.wxi -D ProductKeyRefs=product_key_refs.wxi -o package.msi topaline3.wxs)

q() { msibuild "$work/package.msi" -q "$1"; }
# Component attributes: 64-bit (256), registry key path (4), permanent (16),
# never overwrite (128).
q "UPDATE \`Component\` SET \`Attributes\` = 276 WHERE \`Component\` = 'Configuration'"
# A section already in the registry is the user's: its component is not
# installed again (an upgrade or a second installation keeps every value),
# whatever the installer engine makes of "never overwrite".
while read -r id; do
  q "UPDATE \`Component\` SET \`Attributes\` = 404, \`Condition\` = 'NOT KEEP_${id^^}' WHERE \`Component\` = '$id'"
done < <(sed -n 's/.*<ComponentRef Id="\(Key_[^"]*\)".*/\1/p' "$work/product_key_refs.wxi")
# The labels file of the chosen language; French unless "en" or "es".
q "UPDATE \`Component\` SET \`Condition\` = 'LANGUE <> \"en\" AND LANGUE <> \"es\"' WHERE \`Component\` = 'LabelsFr'"
q "UPDATE \`Component\` SET \`Condition\` = 'LANGUE = \"en\"' WHERE \`Component\` = 'LabelsEn'"
q "UPDATE \`Component\` SET \`Condition\` = 'LANGUE = \"es\"' WHERE \`Component\` = 'LabelsEs'"
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
