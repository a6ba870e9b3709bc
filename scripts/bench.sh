#!/usr/bin/env bash
# Builds and runs the benchmarks (speed targets live here, never in the test suites).
#
#   scripts/bench.sh [ARGS...]   parsing, server list, window, start-up and prober benchmarks,
#                                then one table of each figure against its floor or target
#   scripts/bench.sh recovery    the lab's faults for every protocol, three times each, and ten
#                                idle minutes a protocol (about 70 minutes; needs root)
#   scripts/bench.sh resources   ten minutes connected in the lab, OpenVPN UDP and WireGuard: CPU
#                                of the client and the service, shown and in the tray, and the
#                                client's memory (about 22 minutes; needs root)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
"$root/scripts/install-deps.sh"
BUILD_DIR="$build" "$root/scripts/build.sh" -DCORVALINK_BUILD_BENCH=ON

# Medians of the lab's timing lines, per fault and protocol: "TAG: ... N ms ..., ... M ms ...".
recovery_medians() {
  awk '
    function median(list,   n, parts, i, j, t) {
      n = split(list, parts, " ")
      for (i = 1; i <= n; i++)
        for (j = i + 1; j <= n; j++)
          if (parts[j] + 0 < parts[i] + 0) { t = parts[i]; parts[i] = parts[j]; parts[j] = t }
      return parts[int((n + 1) / 2)]
    }
    /info\t(udp|tcp|stealth|wireguard|down and up|moved)/ && / ms / {
      line = $0
      fn = ""
      if (match(line, /LabTest::[A-Za-z]+/)) fn = substr(line, RSTART + 9, RLENGTH - 9)
      sub(/.*info\t/, "", line)
      tag = line; sub(/:.*/, "", tag)
      key = tag; sub(/ [0-9]+\/[0-9]+$/, "", key)
      key = fn ", " key
      what = line; sub(/^[^:]*: /, "", what)
      first = ""; second = ""
      n = split(what, words, " ")
      for (i = 2; i <= n; i++) {
        if (words[i] != "ms" && words[i] != "ms,") continue
        if (first == "") first = words[i - 1]; else second = words[i - 1]
      }
      gsub(/[0-9]+ ms/, "N ms", what)
      kind[key] = what
      a[key] = a[key] " " first
      if (second != "") b[key] = b[key] " " second
      runs[key]++
    }
    /idle for/ { sub(/.*info\t/, ""); print "idle  " $0 }
    END {
      for (key in kind) {
        text = kind[key]
        sub(/N ms/, median(a[key]) " ms", text)
        if (b[key] != "") sub(/N ms/, median(b[key]) " ms", text)
        printf "%-58s %s (median of %d)\n", key ":", text, runs[key]
      }
    }' "$1" | sort
}

if [ "${1:-}" = recovery ]; then
  out="$build/bench-recovery.log"
  # A test function's time limit spans all its rows: four times ten idle minutes and more.
  LAB_BENCH=1 QTEST_FUNCTION_TIMEOUT=3600000 BUILD_DIR="$build" bash "$root/tests/lab/run-lab-tests.sh" \
    "$build/tests/lab/lab_tests" "$build/bench-shots" silentServerIsNoticedAndRejoined \
    uplinkChangeIsFollowed stoppedClientCatchesUp idleTunnelIsKept >"$out" 2>&1 || {
    grep -E "FAIL|Totals" "$out"
    echo "the lab run failed: $out" >&2
    exit 1
  }
  recovery_medians "$out"
  exit 0
fi

if [ "${1:-}" = resources ]; then
  out="$build/bench-resources.log"
  LAB_BENCH=1 QTEST_FUNCTION_TIMEOUT=3600000 BUILD_DIR="$build" bash "$root/tests/lab/run-lab-tests.sh" \
    "$build/tests/lab/lab_tests" "$build/bench-shots" resourcesWhileConnected >"$out" 2>&1 || {
    grep -E "FAIL|Totals" "$out"
    echo "the lab run failed: $out" >&2
    exit 1
  }
  sed -n 's/.*info\t\(.*CPU of the client.*\)/\1/p' "$out"
  exit 0
fi

# The window benchmarks draw on a private display with a tray host, as a desktop has.
display_pids=()
stop_display() { kill "${display_pids[@]}" 2>/dev/null || true; }
trap stop_display EXIT
number=90
while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do number=$((number + 1)); done
export DISPLAY=":$number"
Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
display_pids+=($!)
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
trayer --edge top --align right --widthtype pixel --width 200 --height 32 >/dev/null 2>&1 &
display_pids+=($!)
for _ in $(seq 100); do xwininfo -root -tree 2>/dev/null | grep -q '"panel"' && break; sleep 0.1; done

out="$build/bench-report"
mkdir -p "$out"

"$build/bench/feedparse_bench" --benchmark_format=csv "$@" 2>/dev/null >"$out/feedparse.csv"
# CSV wants the same counters in every run: the table's runs alone, then all of them for the record.
"$build/bench/serverlist_bench" --benchmark_filter=AtScale --benchmark_format=csv 2>/dev/null |
  grep -v '^Settings' >"$out/serverlist.csv"
"$build/bench/serverlist_bench" 2>/dev/null | grep -v '^Settings' >"$out/serverlist.txt"
# The prober under a desktop session's descriptor limit.
(ulimit -n 1024 && "$build/bench/ping_bench" --benchmark_format=csv 2>/dev/null) >"$out/ping.csv"
for servers in 10000 50000; do
  "$build/bench/searchwindow_bench" "$servers" 2>/dev/null >"$out/search-$servers.txt"
done
(cd "$build" && "$build/bench/startup_bench" "$build/corvalink" "$build/bench/bare_window" 2>/dev/null) \
  >"$out/startup.txt"

# One table: each figure beside its floor (measured in the same run) or its fixed target.
{
  printf '%-52s %12s %12s %7s  %s\n' "measure" "measured" "floor" "ratio" "target"
  csv_ms() { awk -F, -v name="$2" 'index($1, name) { print $3; exit }' "$1"; }
  fixed() { printf '%-52s %9.2f ms %12s %7s  %s\n' "$1" "$2" "-" "-" "$3"; }
  for name in fillAtScale/allServers fillAtScale/recent; do
    fixed "model at 50,000: $name" "$(csv_ms "$out/serverlist.csv" "\"$name")" "100 ms"
  done
  for name in allAtScale/expandAll allAtScale/keystroke recentAtScale/expandRecent \
    recentAtScale/appendRecent recentAtScale/setFavorite; do
    fixed "model at 50,000: $name" "$(csv_ms "$out/serverlist.csv" "\"$name")" "16 ms"
  done
  for servers in 10000 50000; do
    awk -v servers="$servers" '
      /plain repaint/ { floor = $4 }
      /keystroke/ {
        what = $0; sub(/ *median.*/, "", what)
        printf "%-52s %9.2f ms %9.2f ms %7.2f  %s\n", "window at " servers ": " what, $(NF - 6), floor, $(NF - 6) / floor, "16 ms"
      }' "$out/search-$servers.txt"
  done
  awk '/first frame/ { printf "%-52s %9.1f ms %9.1f ms %7.2f  1.2x\n", "start-up: first frame", $7, $4, $7 / $4 }
       /resident memory/ { printf "%-52s %8.1f MiB %8.1f MiB %7.2f  1.2x\n", "start-up: resident memory", $7, $4, $7 / $4 }' \
    "$out/startup.txt"
  fixed "latency round over 10,000 addresses" "$(awk -F, '/pingRound/ { print $NF; exit }' "$out/ping.csv")" "2000 ms"
  fixed "feed parse at 50,000 servers" "$(csv_ms "$out/feedparse.csv" "\"parseFeed/50000")" "-"
} | tee "$out/table.txt"
