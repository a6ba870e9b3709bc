#!/usr/bin/env bash
# Rewrites resources.qrc from the files under resources/, qml/ and qtquickcontrols2.conf.
set -euo pipefail
cd "$(dirname "$0")/.."
{
  echo '<!DOCTYPE RCC><RCC version="1.0">'
  echo '<qresource prefix="/">'
  roots=()
  for root in resources qml qtquickcontrols2.conf; do [ -e "$root" ] && roots+=("$root"); done
  find "${roots[@]}" -type f \( -name '*.png' -o -name '*.svg' -o -name '*.ttf' \
      -o -name '*.qml' -o -name '*.js' -o -name '*.conf' -o -name '*.ovpn' -o -name '*.txt' -o -name qmldir \) 2>/dev/null \
    | grep -v -E '(LICENSE|README)' | LC_ALL=C sort | sed 's|.*|    <file>&</file>|'
  # The font singleton lives with the controls and is also registered from the qml root.
  [ -e qml/controls/AFontFactory.qml ] && echo '    <file alias="qml/AFontFactory.qml">qml/controls/AFontFactory.qml</file>'
  echo '</qresource>'
  echo '</RCC>'
} > resources.qrc
