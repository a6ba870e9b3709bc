#!/usr/bin/env bash
# Connect times in the lab: the client from the click on the round button to Connected, for each
# protocol, against the same server reached by the bare programs (openvpn with the client's own
# configuration and management dialogue, stunnel started in front of it for Stealth, wireguard-go
# with wg), both timed the same way: a monotonic clock in the watching process, OpenVPN's state
# read from its management channel, stunnel's listener and WireGuard's handshake looked for every
# 10 ms (bench/bareconnect.cpp). Needs root and a build; prints one line per protocol with the
# runs in milliseconds. With LAB_TIMELINE=1 the client's log lines from the click to Connected,
# each with its milliseconds, go to build/connect-timeline-RUN.log.
#   bench/lab-connect-times.sh [runs]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
lab="$root/scripts/lab"
runs=${1:-3}
[ "$(id -u)" -eq 0 ] || { echo "needs root" >&2; exit 1; }

# ---- the client, through the lab suite ----
declare -A client
for _ in $(seq "$runs"); do
  output="$(bash "$root/tests/lab/run-lab-tests.sh" "$build/tests/lab/lab_tests" \
    "$build/tests/lab/screenshots" eachProtocolCarriesTraffic 2>&1)" || {
    echo "$output" | grep -v '^Q' >&2
    exit 1
  }
  run=$((${run:-0} + 1))
  [ -z "${LAB_TIMELINE:-}" ] ||
    echo "$output" | grep -E '^timeline|from the click' >"$build/connect-timeline-$run.log"
  while read -r protocol ms; do
    client[$protocol]+="$ms "
  done < <(echo "$output" | sed -n 's/.*\t\([a-z]*\): from the click to Connected in \([0-9]*\) ms.*/\1 \2/p')
done

# ---- the bare programs ----
eval "$("$lab" env)"
trap '"$lab" stop' EXIT
"$lab" start
work="$LAB_DIR/bench"
install -d -m 0700 "$work"
printf '%s\n%s\n' "$LAB_ACCOUNT_USER" "$LAB_ACCOUNT_PASSWORD" >"$work/account"
bare_program="$build/bench/bare_connect"
[ -x "$bare_program" ] || { echo "build bench/bare_connect first" >&2; exit 1; }

# The client's configuration as it writes it for Linux, with the lab's logging.
openvpn_config() {
  local template=$1 port=$2 protocol=$3
  sed -e "s/<SERVER>/$LAB_SERVER_ADDRESS/" -e "s/<PORT>/$port/" -e "s/<PROTOCOL>/$protocol/" \
    -e '/^management /d' -e 's/^auth-user-pass.*/auth-user-pass/' \
    -e 's/<ADDITIONAL_DATA>/verb 3\npull-filter ignore ifconfig-ipv6\npull-filter ignore route-ipv6/' \
    "$build/generated/config/$template" | tr -d '\r'
}

declare -A bare
openvpn_config general.ovpn 53 udp >"$work/udp.ovpn"
openvpn_config general.ovpn 80 tcp >"$work/tcp.ovpn"
openvpn_config stunnel.ovpn 443 tcp >"$work/stealth.ovpn"
cat >"$work/stunnel.conf" <<EOF
foreground = yes
pid =
client = yes
[openvpn]
accept = 127.0.0.1:1194
connect = $LAB_SERVER_ADDRESS:443
EOF
for _ in $(seq "$runs"); do
  bare[udp]+="$("$lab" exec "$bare_program" openvpn "$work/udp.ovpn" "$work/account") "
  bare[tcp]+="$("$lab" exec "$bare_program" openvpn "$work/tcp.ovpn" "$work/account") "
  bare[stealth]+="$("$lab" exec "$bare_program" openvpn "$work/stealth.ovpn" "$work/account" \
    "$work/stunnel.conf" 1194) "
  bare[wireguard]+="$("$lab" exec "$bare_program" wireguard benchwg "$root/tests/lab/wireguard/client.key" \
    "$(cat "$root/tests/lab/wireguard/server.pub")" "$LAB_SERVER_ADDRESS:55888" 10.66.0.2/32 \
    10.66.0.1/32) "
  sleep 0.5
done

printf '%-10s %-28s %s\n' protocol "client, click to Connected" "bare programs, start to tunnel up"
for protocol in udp tcp stealth wireguard; do
  printf '%-10s %-28s %s\n' "$protocol" "${client[$protocol]:-}" "${bare[$protocol]:-}"
done
