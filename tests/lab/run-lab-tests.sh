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
pids=()
cleanup() {
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
  "$lab" stop
}
trap cleanup EXIT
trap 'exit 130' INT TERM

"$lab" start

# The suite runs as the lab user, who may not reach this build folder.
install -m 0755 "$suite" "$LAB_DIR/bin/lab_tests"
# The pipes sit in a folder of root's, so the lab user cannot swap them for links.
install -d -m 0755 "$control"
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
    reset)
      # After a failed case: no tunnel, no rules, the lab's own resolver.
      for pid in $(client_programs); do kill -KILL "$pid" 2>/dev/null || true; done
      ip netns exec "$LAB_CLIENT_NS" nft delete table inet corvalink 2>/dev/null || true
      printf 'nameserver %s\noptions timeout:1 attempts:1\n' "$LAB_ISP_DNS" \
        >"/etc/netns/$LAB_CLIENT_NS/resolv.conf"
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
LAB_SECRET_NAME=$LAB_SECRET_NAME LAB_ACCOUNT_USER=$LAB_ACCOUNT_USER \
LAB_ACCOUNT_PASSWORD=$LAB_ACCOUNT_PASSWORD LAB_TUNNEL_UDP=$LAB_TUNNEL_UDP \
LAB_TUNNEL_TCP=$LAB_TUNNEL_TCP LAB_TUNNEL_WIREGUARD=$LAB_TUNNEL_WIREGUARD \
LAB_CLIENT_LOGS=$LAB_CLIENT_LOGS QSG_RENDER_LOOP=basic" \
  "$lab" client "$LAB_DIR/bin/lab_tests" "$@" || status=$?
exit $status
