#!/usr/bin/env bash
# Builds and runs the benchmarks (speed targets live here, never in the test suites).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
BUILD_DIR="${BUILD_DIR:-$root/build}" "$root/scripts/build.sh" -DCORVALINK_BUILD_BENCH=ON
"${BUILD_DIR:-$root/build}/bench/feedparse_bench" "$@"
"${BUILD_DIR:-$root/build}/bench/serverlist_bench"
# The prober under a desktop session's descriptor limit.
(ulimit -n 1024 && "${BUILD_DIR:-$root/build}/bench/ping_bench")
