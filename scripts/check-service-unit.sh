#!/usr/bin/env bash
# Lints the service's systemd unit with systemd-analyze: its exposure must stay at 3.0 or below
# ("security --offline", which needs no running systemd), and "verify" must accept it where the
# system's own units load. Without systemd-analyze it says so and skips (exit 77). The unit names
# the installed program; until that exists the built one (VPN_SERVICE, or the build folder's)
# stands in.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
unit="$root/tools/vpn-service/corvalink-vpn-service.service"
program="${VPN_SERVICE:-${BUILD_DIR:-$root/build}/tools/vpn-service/vpn-service}"
command -v systemd-analyze >/dev/null 2>&1 || { echo "skipped: no systemd-analyze"; exit 77; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
copy="$work/$(basename "$unit")"
if [ -x /usr/lib/corvalink/vpn-service ] || [ ! -x "$program" ]; then
  cp "$unit" "$copy"
else
  sed "s|^ExecStart=/usr/lib/corvalink/vpn-service |ExecStart=$program |" "$unit" >"$copy"
fi
if ! exposure="$(systemd-analyze security --offline=true --threshold=30 "$copy" 2>&1)"; then
  echo "$exposure"
  echo "the unit's exposure is above 3.0" >&2
  exit 1
fi
echo "$exposure" | tail -n 1
# A run that cannot load the default units says nothing about ours.
if ! systemd-analyze verify --man=no /lib/systemd/system/sysinit.target >/dev/null 2>&1; then
  echo "skipped: systemd-analyze cannot load the system's units here"
  exit 77
fi
(cd "$work" && systemd-analyze verify --man=no "$copy")
echo "unit ok"
