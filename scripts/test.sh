#!/usr/bin/env bash
# Installs what is missing, builds and runs every suite through CTest (the lab's under the label
# "lab": "ctest -L lab" alone, "ctest -LE lab" without; its long variants, every transition for
# every protocol, also under "long": "ctest -LE long" leaves them out), the README's run command
# unattended, then the format and Windows syntax checks. Exits non-zero on any failure.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
build="${BUILD_DIR:-$root/build}"

# Nothing a suite does may land in the real home folder.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/home" "$scratch/runtime"
chmod 700 "$scratch/runtime"
export HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/runtime"
export XDG_CONFIG_HOME="$scratch/home/.config" XDG_DATA_HOME="$scratch/home/.local/share" XDG_CACHE_HOME="$scratch/home/.cache"

status=0
(cd "$build" && ctest --output-on-failure --timeout 900) || status=1
# The README's run command, unattended, through the lab (needs root; the lab suite above too).
if [ "$(id -u)" -eq 0 ]; then
  "$root/scripts/run.sh" --check || status=1
else
  echo "skipped: run.sh --check needs root"
fi
"$root/scripts/check-format.sh" || status=1
"$root/scripts/check-windows.sh" || status=1
exit $status
