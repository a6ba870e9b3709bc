#!/usr/bin/env bash
# Refreshes src/translations/vpnclient_<code>.ts from the texts of src/ and qml/, one catalogue per
# language of the settings' language table except English. Existing translations are kept; texts
# that left the code are dropped. The build only compiles these files, it never rewrites them.
set -euo pipefail
cd "$(dirname "$0")/.."

# The table's codes are the client's own; lupdate wants the language's real locale name.
locale_of() {
  case "$1" in
    my) echo ms ;;
    ph) echo fil ;;
    vn) echo vi ;;
    jp) echo ja ;;
    cn) echo zh_CN ;;
    *) echo "$1" ;;
  esac
}

codes=$(sed -n '/Settings::languageTable()/,/return table;/p' src/settings/settings.cpp \
  | grep -o 'QStringLiteral("[a-z][a-z]")}' | sed 's/.*("\(..\)").*/\1/' | grep -v '^en$')
[ -n "$codes" ] || { echo "no language codes found in src/settings/settings.cpp" >&2; exit 1; }

mkdir -p src/translations
for code in $codes; do
  lupdate -silent -no-obsolete -locations none -source-language en \
    -target-language "$(locale_of "$code")" \
    -extensions cpp,h,qml,js src qml -ts "src/translations/vpnclient_${code}.ts"
done
ls src/translations
