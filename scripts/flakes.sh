#!/usr/bin/env bash
# Hunts flaky tests: runs the suites but the lab's RUNS times in a row (10 by default), then the
# lab's short suite LAB_RUNS times (3 by default; it needs root), while stress-ng loads the
# machine (CPU, memory and I/O workers, never a second build), and lists every failed run's
# failures. Exits non-zero when any run failed.
#   scripts/flakes.sh [RUNS [LAB_RUNS]]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
runs=${1:-10}
lab_runs=${2:-3}
"$root/scripts/install-deps.sh"
command -v stress-ng >/dev/null || apt-get install -y --no-install-recommends stress-ng >/dev/null
"$root/scripts/build.sh"

scratch="$(mktemp -d)"
stress-ng --cpu 1 --vm 1 --vm-bytes 256M --io 1 --timeout 0 --quiet &
noise=$!
trap 'kill "$noise" 2>/dev/null; wait "$noise" 2>/dev/null; rm -rf "$scratch"' EXIT
. "$root/scripts/scratch-home.sh"
scratch_home "$scratch"

failed=0
# suite NAME LOG CTEST-ARGUMENTS...: one run, its failures listed.
suite() {
  local name=$1 log=$2
  shift 2
  if (cd "$build" && ctest --output-on-failure --timeout 900 "$@") >"$log" 2>&1; then
    echo "$name: passed"
  else
    failed=$((failed + 1))
    echo "$name: FAILED ($log)"
    grep -E "^FAIL!|Loc:|\*\*\*Failed|Not Run|Timeout" "$log" | head -20 || true
  fi
}
for run in $(seq "$runs"); do
  suite "run $run" "$build/flakes-$run.log" -LE lab
done
for run in $(seq "$lab_runs"); do
  suite "lab run $run" "$build/flakes-lab-$run.log" -L lab -LE long
done
echo "$failed of $((runs + lab_runs)) runs failed"
[ "$failed" -eq 0 ]
