#!/usr/bin/env bash
# Connect times in the lab: the client from the click on the round button to Connected, for each
# protocol, against the same server reached by the bare programs (openvpn with the client's own
# configuration, stunnel in front of it for Stealth, wireguard-go with wg). Needs root and a
# build; prints one line per protocol with the runs in milliseconds.
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
now_ms() { date +%s%3N; }

# The client's configuration as it writes it for Linux, with the password from a file instead of
# the management channel.
openvpn_config() {
  local template=$1 port=$2 protocol=$3
  sed -e "s/<SERVER>/$LAB_SERVER_ADDRESS/" -e "s/<PORT>/$port/" -e "s/<PROTOCOL>/$protocol/" \
    -e '/^management /d' -e "s|^auth-user-pass.*|auth-user-pass $work/account|" \
    -e 's/<ADDITIONAL_DATA>/verb 3\npull-filter ignore ifconfig-ipv6\npull-filter ignore route-ipv6/' \
    "$build/generated/config/$template" | tr -d '\r'
}

# Starts openvpn in the client side and prints the milliseconds until its tunnel is up.
time_openvpn() {
  local config=$1 log="$work/openvpn.log"
  rm -f "$log"
  local start; start=$(now_ms)
  "$lab" exec setsid /usr/sbin/openvpn --config "$config" --log "$log" >/dev/null 2>&1 &
  local pid=$!
  for _ in $(seq 600); do grep -q "Initialization Sequence Completed" "$log" 2>/dev/null && break; sleep 0.01; done
  local end; end=$(now_ms)
  "$lab" exec pkill -TERM -x openvpn || true
  wait "$pid" 2>/dev/null || true
  sleep 0.5
  echo $((end - start))
}

time_wireguard() {
  local start end
  start=$(now_ms)
  "$lab" exec setsid wireguard-go benchwg >/dev/null 2>&1
  "$lab" exec wg set benchwg private-key "$root/tests/lab/wireguard/client.key" \
    peer "$(cat "$root/tests/lab/wireguard/server.pub")" endpoint "$LAB_SERVER_ADDRESS:55888" \
    allowed-ips 0.0.0.0/0 persistent-keepalive 25
  "$lab" exec ip address add 10.66.0.2/32 dev benchwg
  "$lab" exec ip link set benchwg up
  "$lab" exec ip route add 10.66.0.1/32 dev benchwg
  for _ in $(seq 600); do
    [ "$("$lab" exec wg show benchwg latest-handshakes | awk '{print $2}')" != 0 ] && break
    sleep 0.01
  done
  end=$(now_ms)
  "$lab" exec ip link del benchwg
  sleep 0.5
  echo $((end - start))
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
  bare[udp]+="$(time_openvpn "$work/udp.ovpn") "
  bare[tcp]+="$(time_openvpn "$work/tcp.ovpn") "
  "$lab" exec setsid stunnel4 "$work/stunnel.conf" >/dev/null 2>&1 &
  stunnel=$!
  sleep 0.5
  bare[stealth]+="$(time_openvpn "$work/stealth.ovpn") "
  kill "$stunnel" 2>/dev/null || true
  "$lab" exec pkill -x stunnel4 || true
  bare[wireguard]+="$(time_wireguard) "
done

printf '%-10s %-28s %s\n' protocol "client, click to Connected" "bare program, start to tunnel up"
for protocol in udp tcp stealth wireguard; do
  printf '%-10s %-28s %s\n' "$protocol" "${client[$protocol]:-}" "${bare[$protocol]:-}"
done
