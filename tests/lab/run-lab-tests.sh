#!/usr/bin/env bash
# The lab suite: brings the lab up, starts a private X display with a tray host and the root side
# of the suite's control pipes, runs the suite as the lab user on the client side, and tears
# everything down whatever happens.
#   run-lab-tests.sh SUITE SCREENSHOT_FOLDER [test function...]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
lab="$root/scripts/lab"
suite=$1
shots=$2
shift 2
[ "$(id -u)" -eq 0 ] || { echo "skipped: the lab needs root"; exit 77; }

eval "$("$lab" env)"
control="$LAB_DIR/control"
monitor="$LAB_DIR/monitor"
pids=()
cleanup() {
  monitor_stop
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  # The lab user wrote these: only its plain files are taken, never where a link points.
  if [ -d "$LAB_DIR/shots" ]; then
    mkdir -p "$shots"
    find "$LAB_DIR/shots" -maxdepth 1 -type f -name '*.png' -exec cp -P {} "$shots/" \;
  fi
  # The client's own logs and the lab's, for a failure to be read after the teardown.
  rm -rf "$shots/logs"
  mkdir -p "$shots/logs"
  cp -r "$LAB_DIR/home/.local/share/Corvalink/logs" "$shots/logs/client" 2>/dev/null || true
  cp -r "$LAB_DIR/log" "$shots/logs/lab" 2>/dev/null || true
  cp "$monitor/packets.txt" "$monitor/tcpdump.log" "$shots/logs/" 2>/dev/null || true
  "$lab" stop
}
trap cleanup EXIT
trap 'exit 130' INT TERM

"$lab" start

# The suite runs as the lab user, who may not reach this build folder.
install -m 0755 "$suite" "$LAB_DIR/bin/lab_tests"
# The pipes sit in a folder of root's, so the lab user cannot swap them for links.
install -d -m 0755 "$control" "$monitor"
install -d -m 0700 -o "$LAB_USER" "$LAB_DIR/shots"
mkfifo -m 0600 "$control/request" "$control/reply"
chown "$LAB_USER" "$control/request" "$control/reply"

source "$root/scripts/private-display.sh"
private_display "$LAB_DIR" "$LAB_GROUP"

counter() {
  ip netns exec "$LAB_NET_NS" nft list counter inet cvlab "$1" | awk '/packets/ {print $2}'
}

client_programs() {
  for pid in $(ip netns pids "$LAB_CLIENT_NS"); do
    case "$(cat "/proc/$pid/comm" 2>/dev/null)" in
      openvpn | wireguard-go | wireguard-servi) echo "$pid" ;;
    esac
  done
}

# The leak monitor: every packet that leaves the client side by its uplink, seen from the other
# end of the link. tcpdump rather than counters: each packet keeps its time, so a scenario can
# hold it against the moments of its promise, and its addresses, for a table a reader can check.
monitor_start() {
  monitor_stop
  rm -f "$monitor/capture.pcap" "$monitor/packets.txt"
  ip netns exec "$LAB_NET_NS" tcpdump -i client0 -Q in -nn -U --immediate-mode -Z root -w "$monitor/capture.pcap" \
    >/dev/null 2>"$monitor/tcpdump.log" &
  echo $! >"$monitor/pid"
  for _ in $(seq 100); do
    grep -q "listening on" "$monitor/tcpdump.log" && return 0
    sleep 0.05
  done
  return 1
}

monitor_stop() {
  [ -f "$monitor/pid" ] || return 0
  local pid; pid="$(cat "$monitor/pid")"
  rm -f "$monitor/pid"
  kill -INT "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

# One line per packet: the epoch time, then tcpdump's short form.
monitor_read() {
  monitor_stop
  tcpdump -r "$monitor/capture.pcap" -nn -tt -q >"$monitor/packets.txt" 2>/dev/null
  chmod 0644 "$monitor/packets.txt"
}

# The uplink as a network manager would bring it back: its addresses and default routes.
uplink_address() {
  local address=$1 gateway=$2 ns=$LAB_CLIENT_NS
  ip -n "$ns" -4 addr flush dev uplink scope global
  ip -n "$ns" addr add "$address/24" dev uplink
  ip -n "$ns" route replace default via "$gateway"
}

# IPv6 comes back by itself, from the router's advertisements.
uplink_up() {
  ip -n "$LAB_CLIENT_NS" link set uplink up
  ip -n "$LAB_CLIENT_NS" route replace default via "$LAB_OUTSIDE_ADDRESS"
}

# The namespace of the server a control line names by its number after the word, else the first.
server_ns() {
  local number=${1##* }
  [[ "$number" =~ ^[1-4]$ ]] || number=1
  echo "${LAB_SERVER_NS%1}$number"
}

# The installed package's upgrade and purge (scripts/check-package.sh), run in the client side's
# namespace where its service runs: their scripts act on that side's firewall and resolvers.
package_log="$LAB_DIR/log/package.log"
package_result="$LAB_DIR/package-upgrade.result"
package_upgrade() {
  local result="the upgrade failed (see $package_log)" held=1 apt
  ip netns exec "$LAB_CLIENT_NS" apt-get install -y -q --no-install-recommends \
    "$LAB_PACKAGE_UPGRADE" >>"$package_log" 2>&1 &
  apt=$!
  # The old service goes and the new one comes; the kill switch's rules must stay throughout.
  while kill -0 "$apt" 2>/dev/null; do
    ip netns exec "$LAB_CLIENT_NS" nft list table inet corvalink >/dev/null 2>&1 || held=""
    sleep 0.05
  done
  if wait "$apt"; then
    local want got
    want="$(dpkg-deb -f "$LAB_PACKAGE_UPGRADE" Version)"
    got="$(dpkg-query -W -f='${Version}' corvalink 2>/dev/null || true)"
    if [ -z "$held" ]; then
      result="the kill switch's rules went missing during the upgrade"
    elif [ "$got" != "$want" ]; then
      result="version $got installed, not $want"
    elif "$lab" service start >>"$package_log" 2>&1; then
      result=ok
    else
      result="the new service did not start"
    fi
  fi
  echo "$result" >"$package_result"
}

package_purge() {
  ip netns exec "$LAB_CLIENT_NS" apt-get purge -y -q corvalink >>"$package_log" 2>&1 ||
    { echo "the purge failed"; return; }
  case "$(dpkg-query -W -f='${db:Status-Status}' corvalink 2>/dev/null || true)" in
    "" | not-installed) echo ok ;;
    *) echo "still known to dpkg after the purge" ;;
  esac
}

# Answers one word at a time; anything else is "unknown".
answer() {
  case "$1" in
    service-kill) "$lab" service kill && echo ok ;;
    service-start) "$lab" service start && echo ok ;;
    openvpn-kill)
      local found=none
      for pid in $(ip netns pids "$LAB_CLIENT_NS"); do
        if [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = openvpn ]; then
          kill -KILL "$pid" && found=ok
        fi
      done
      echo "$found"
      ;;
    tunnel-programs) client_programs | wc -l ;;
    package-available)
      if [ "${LAB_INSTALLED:-}" = 1 ] && [ -f "${LAB_PACKAGE_UPGRADE:-}" ]; then echo yes; else echo no; fi
      ;;
    package-upgrade)
      rm -f "$package_result"
      package_upgrade </dev/null >/dev/null 2>&1 &
      echo started
      ;;
    package-upgrade-result) cat "$package_result" 2>/dev/null || echo running ;;
    package-purge) package_purge ;;
    reset)
      # After a failed case: no tunnel, no rules, the lab's own resolver.
      for pid in $(client_programs); do kill -KILL "$pid" 2>/dev/null || true; done
      ip netns exec "$LAB_CLIENT_NS" nft delete table inet corvalink 2>/dev/null || true
      "$lab" network-dns
      ip netns exec "$LAB_CLIENT_NS" sysctl -qw net.ipv6.conf.all.disable_ipv6=0 \
        net.ipv6.conf.default.disable_ipv6=0 net.ipv6.conf.uplink.disable_ipv6=0
      ip -n "$LAB_CLIENT_NS" link set uplink up
      uplink_address "$LAB_CLIENT_ADDRESS" "$LAB_OUTSIDE_ADDRESS"
      for number in 1 2 3 4; do
        ip netns exec "$(server_ns "x $number")" nft delete table inet cvdrop 2>/dev/null || true
      done
      echo ok
      ;;
    monitor-start) monitor_start && echo ok ;;
    monitor-stop) monitor_read && echo ok ;;
    uplink-down) ip -n "$LAB_CLIENT_NS" link set uplink down && echo ok ;;
    uplink-up) uplink_up && echo ok ;;
    # A server's path (the first unless named) drops the client's flow both ways, silently (a
    # dead server, a middlebox that forgot it), and then lets it through again.
    server-drop | server-drop\ [1-4])
      ip netns exec "$(server_ns "$1")" nft -f - <<EOF && echo ok
table inet cvdrop {
  set client { type ipv4_addr; elements = { $LAB_CLIENT_ADDRESS, $LAB_CLIENT_ADDRESS_OTHER } }
  chain prerouting {
    type filter hook prerouting priority -300; policy accept;
    iifname "eth0" ip saddr @client drop
  }
  chain output {
    type filter hook output priority -300; policy accept;
    oifname "eth0" ip daddr @client drop
  }
}
EOF
      ;;
    server-pass | server-pass\ [1-4])
      ip netns exec "$(server_ns "$1")" nft delete table inet cvdrop && echo ok ;;
    # Another address and another gateway, as a move to another network gives.
    uplink-readdress) uplink_address "$LAB_CLIENT_ADDRESS_OTHER" "$LAB_OTHER_GATEWAY" && echo ok ;;
    uplink-restore)
      uplink_address "$LAB_CLIENT_ADDRESS" "$LAB_OUTSIDE_ADDRESS" && "$lab" network-dns && echo ok ;;
    # The new network's DHCP client writes its own resolv.conf.
    network-dns-moved) "$lab" network-dns moved.test && echo ok ;;
    # The client stopped for a minute while its server restarts, then let go on: only the lab
    # user's own process on the client side.
    client-freeze\ *)
      local pid=${1#client-freeze }
      if [[ ! "$pid" =~ ^[0-9]+$ ]] || ! ip netns pids "$LAB_CLIENT_NS" | grep -qx "$pid" ||
        [ "$(stat -c %U "/proc/$pid")" != "$LAB_USER" ]; then
        echo refused
        return
      fi
      kill -STOP "$pid"
      "$lab" server-restart >/dev/null
      sleep 60
      kill -CONT "$pid"
      echo ok
      ;;
    killswitch)
      if ip netns exec "$LAB_CLIENT_NS" nft list table inet corvalink >/dev/null 2>&1; then
        echo present
      else
        echo absent
      fi
      ;;
    counters-reset) ip netns exec "$LAB_NET_NS" nft reset counters table inet cvlab >/dev/null && echo ok ;;
    counters)
      local name text=""
      for name in udp_vpn tcp_vpn tls wireguard other; do text+="$name=$(counter "$name") "; done
      echo "$text"
      ;;
    *) echo unknown ;;
  esac
}

serve() {
  while true; do
    local line
    [ -p "$control/request" ] && [ -p "$control/reply" ] || exit 1
    read -r -n 64 line <"$control/request" || continue
    answer "$line" >"$control/reply" 2>/dev/null || echo failed >"$control/reply"
  done
}
serve &
pids+=($!)

status=0
LAB_CLIENT_ENV="LAB_CONTROL=$control LAB_SHOTS=$LAB_DIR/shots LAB_APP_DIR=$LAB_APP_DIR \
LAB_SERVER_ADDRESS=$LAB_SERVER_ADDRESS LAB_EXIT_ADDRESS=$LAB_EXIT_ADDRESS \
LAB_EXIT_COUNTRY=$LAB_EXIT_COUNTRY LAB_OUTSIDE_ADDRESS=$LAB_OUTSIDE_ADDRESS \
LAB_SECRET_NAME=$LAB_SECRET_NAME LAB_SERVERS=$LAB_SERVERS LAB_LONG=${LAB_LONG:-} LAB_BENCH=${LAB_BENCH:-} LAB_TIMELINE=${LAB_TIMELINE:-} QTEST_FUNCTION_TIMEOUT=${QTEST_FUNCTION_TIMEOUT:-} LAB_MONITOR=$monitor/packets.txt \
LAB_ROUTER_NAME=$LAB_ROUTER_NAME LAB_NETWORK_RESOLVERS=$LAB_NETWORK_RESOLVERS \
LAB_INTERNET_ADDRESS=$LAB_INTERNET_ADDRESS LAB_INTERNET_ADDRESS6=$LAB_INTERNET_ADDRESS6 LAB_ACCOUNT_USER=$LAB_ACCOUNT_USER \
LAB_ACCOUNT_PASSWORD=$LAB_ACCOUNT_PASSWORD LAB_TUNNEL_UDP=$LAB_TUNNEL_UDP \
LAB_TUNNEL_TCP=$LAB_TUNNEL_TCP LAB_TUNNEL_WIREGUARD=$LAB_TUNNEL_WIREGUARD \
LAB_CLIENT_LOGS=$LAB_CLIENT_LOGS QSG_RENDER_LOOP=basic" \
  "$lab" client "$LAB_DIR/bin/lab_tests" -maxwarnings 0 "$@" || status=$?
exit $status
