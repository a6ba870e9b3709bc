#!/usr/bin/env bash
# Installs what is missing, builds and starts the client. Without a display it starts a private
# Xvfb with a tray host, so the window and tray icon exist even on a headless machine.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
build="${BUILD_DIR:-$root/build}"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  number=99
  while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do number=$((number + 1)); done
  export DISPLAY=":$number"
  Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill $tray $xvfb 2>/dev/null || true' EXIT
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  trayer --edge top --align right --widthtype pixel --width 200 --height 32 >/dev/null 2>&1 &
  tray=$!
  for _ in $(seq 100); do xwininfo -root -tree 2>/dev/null | grep -q '"panel"' && break; sleep 0.1; done
  echo "Corvalink runs on the virtual display $DISPLAY (Ctrl+C ends it)."
fi
"$build/corvalink" "$@"
