#!/usr/bin/env bash
# Builds and runs the benchmarks (speed targets live here, never in the test suites).
#
#   scripts/bench.sh [ARGS...]   parsing, server list and prober benchmarks
#   scripts/bench.sh recovery    the lab's faults for every protocol, three times each, and ten
#                                idle minutes a protocol (about 70 minutes; needs root)
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

"$build/bench/feedparse_bench" "$@"
"$build/bench/serverlist_bench"
# The prober under a desktop session's descriptor limit.
(ulimit -n 1024 && "$build/bench/ping_bench")
