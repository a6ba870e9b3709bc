#!/usr/bin/env bash
# Compiles the Windows side of the platform layer for syntax with MinGW and the Qt headers, so it
# cannot rot unseen on a Linux-only build.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
compiler=x86_64-w64-mingw32-g++-posix
qt=/usr/include/x86_64-linux-gnu/qt5
status=0
for file in "$root"/src/platform/windows/*.cpp; do
  "$compiler" -fsyntax-only -std=c++17 -Wall -Wextra -Werror -Wno-attributes \
    -DUNICODE -D_UNICODE -DQT_NO_CAST_FROM_BYTEARRAY \
    -I"$root/src" -I"$qt" -I"$qt/QtCore" -I"$qt/QtGui" -I"$qt/QtNetwork" -I"$qt/QtWidgets" -I"$qt/QtWebSockets" \
    "$file" || status=1
done
[ $status -eq 0 ] && echo "windows syntax check: clean"
exit $status
