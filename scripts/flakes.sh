#!/usr/bin/env bash
# Hunts flaky tests: runs the suites but the lab's RUNS times in a row (10 by default) while
# stress-ng loads the machine (CPU, memory and I/O workers, never a second build), and lists
# every failed run's failures. Exits non-zero when any run failed.
#   scripts/flakes.sh [RUNS]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
runs=${1:-10}
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
for run in $(seq "$runs"); do
  log="$build/flakes-$run.log"
  if (cd "$build" && ctest --output-on-failure --timeout 900 -LE lab) >"$log" 2>&1; then
    echo "run $run: passed"
  else
    failed=$((failed + 1))
    echo "run $run: FAILED ($log)"
    grep -E "^FAIL!|Loc:|\*\*\*Failed|Timeout" "$log" | head -20
  fi
done
echo "$failed of $runs runs failed"
[ "$failed" -eq 0 ]
