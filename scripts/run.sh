#!/usr/bin/env bash
# Installs what is missing, builds, brings up the lab (a small VPN provider in network namespaces
# on this machine, scripts/lab) and its privileged service, and starts the client there as the
# lab's user with the lab account filled in: one click on the round button connects.
#
#   scripts/run.sh            the client on this display (a private Xvfb with a tray host when
#                             there is none); quitting it (or Ctrl+C) tears the lab down
#   scripts/run.sh --check    the same, unattended: clicks, waits for Connected, checks traffic
#                             through the tunnel, disconnects, tears down; exits 0 or non-zero
#
# The lab needs root; without it the client starts alone, against CORVALINK_API_URL if set.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
# Once is enough: the run through sudo below finds everything in place.
if [ -z "${CORVALINK_PREPARED:-}" ]; then
  "$root/scripts/install-deps.sh"
  "$root/scripts/build.sh"
fi
build="${BUILD_DIR:-$root/build}"
lab="$root/scripts/lab"
check=""
if [ "${1:-}" = "--check" ]; then
  check=1
  shift
fi

if [ "$(id -u)" -ne 0 ]; then
  if [ -n "$check" ]; then
    echo "run.sh --check needs root (the lab's namespaces and service)" >&2
    exit 1
  fi
  if command -v sudo >/dev/null 2>&1; then
    CORVALINK_PREPARED=1 exec sudo --preserve-env=DISPLAY,XAUTHORITY,BUILD_DIR,CORVALINK_PREPARED \
      "$0" "$@"
  fi
  echo "Without root there is no lab: the client starts alone." >&2
  exec "$build/corvalink" "$@"
fi

pids=()
granted=""
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  [ -n "$granted" ] && xhost "-SI:localuser:$LAB_USER" >/dev/null 2>&1 || true
  "$lab" stop
}
trap cleanup EXIT
trap 'exit 130' INT TERM

source "$root/scripts/private-display.sh"

eval "$("$lab" env)"
"$lab" start
if [ -n "$check" ] || { [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; }; then
  private_display "$LAB_DIR" "$LAB_GROUP"
  [ -n "$check" ] || echo "Corvalink runs on the virtual display $DISPLAY (Ctrl+C ends it)."
else
  # The client runs as the lab's user, who needs leave to use this display.
  if xhost "+SI:localuser:$LAB_USER" >/dev/null; then
    granted=1
  else
    echo "run.sh: this display refused the lab user ($LAB_USER); the client may not show." >&2
  fi
fi
client="$LAB_APP_DIR/corvalink"

if [ -z "$check" ]; then
  echo "The lab is up: account $LAB_ACCOUNT_USER, backend $LAB_API_URL. Quit the client to end it."
  # Waited for in the background: Ctrl+C reaches this script, whose exit tears the lab down,
  # while the client runs in a session of its own.
  "$lab" client "$client" "$@" &
  status=0
  wait $! || status=$?
  exit $status
fi

# ---- the unattended check ----
# The client's log belongs to the lab user: it is read as that user, never through root.
client_log() { "$lab" client sh -c 'cat "$0"/*-app.log' "$LAB_CLIENT_LOGS" 2>/dev/null || true; }
fail() {
  echo "run.sh --check: $*" >&2
  client_log | tail -n 40 | cut -c1-200 >&2
  local kept="$build/lab-check-logs"
  rm -rf "$kept"
  cp -r "$LAB_DIR/log" "$kept" 2>/dev/null && echo "the lab's logs: $kept" >&2
  exit 1
}
log_count() { client_log | grep -c -F -- "$1" || true; }
# Waits until the text appears more often than the given count: a line from before an action
# never answers for it.
wait_for_log() {
  local text=$1 seconds=$2 before=${3:-0}
  for _ in $(seq $((seconds * 5))); do
    [ "$(log_count "$text")" -gt "$before" ] && return 0
    sleep 0.2
  done
  fail "no new '$text' within $seconds s"
}
as_user() { "$lab" client "$@" >/dev/null 2>&1; }

"$lab" client "$client" >/dev/null 2>&1 &
pids+=($!)
window="$(timeout 30 xdotool search --sync --onlyvisible --name '^Corvalink$' | head -n 1)" ||
  fail "the window did not show"
wait_for_log "Set VPN location in" 30
as_user ping -n -c 1 -W 1 "$LAB_TUNNEL_UDP" && fail "the tunnel's address answers before the tunnel"

xdotool mousemove --window "$window" 200 265 click 1
wait_for_log "State set to 'Connected'" 60
as_user ping -n -c 3 -W 2 "$LAB_TUNNEL_UDP" || fail "no answer through the tunnel"
for _ in $(seq 100); do as_user getent hosts "$LAB_SECRET_NAME" && break; sleep 0.1; done
as_user getent hosts "$LAB_SECRET_NAME" || fail "the tunnel's DNS name does not resolve"
wait_for_log "($LAB_EXIT_ADDRESS)" 30
sleep 1
import -window root "$build/lab-check.png" 2>/dev/null || true

disconnected="$(log_count "State set to 'Disconnected'")"
xdotool mousemove --window "$window" 200 265 click 1
wait_for_log "State set to 'Disconnected'" 30 "$disconnected"
as_user ping -n -c 1 -W 1 "$LAB_TUNNEL_UDP" && fail "the tunnel's address still answers"
echo "run.sh --check: connected, carried traffic and DNS through the tunnel, disconnected" \
  "(screenshot: $build/lab-check.png)"
