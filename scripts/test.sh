#!/usr/bin/env bash
# Installs what is missing, builds and runs every suite through CTest (the lab's under the label
# "lab": "ctest -L lab" alone, "ctest -LE lab" without; its long variants, every transition for
# every protocol, also under "long": "ctest -LE long" leaves them out), the README's run command
# unattended, then the format and Windows syntax checks and a replay of the fuzz corpora. Exits
# non-zero on any failure.
#
# --sanitize: every suite but the lab's, built into build-asan/ under AddressSanitizer (with
# LeakSanitizer) and UndefinedBehaviorSanitizer; reports in libraries not ours are suppressed
# in tests/sanitizers/, each with its reason.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
sanitize=""
[ "${1:-}" = --sanitize ] && sanitize=1
if [ -n "$sanitize" ]; then
  build="${BUILD_DIR:-$root/build-asan}"
  BUILD_DIR="$build" "$root/scripts/build.sh" -DCORVALINK_SANITIZE=ON -DCORVALINK_BUILD_BENCH=OFF
  # Whole stacks for leaks, so that a suppression names the library a leak comes from.
  export ASAN_OPTIONS="detect_leaks=1:strict_string_checks=1:fast_unwind_on_malloc=0"
  export LSAN_OPTIONS="suppressions=$root/tests/sanitizers/leaks.supp:print_suppressions=0"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:suppressions=$root/tests/sanitizers/undefined.supp"
else
  "$root/scripts/build.sh"
  build="${BUILD_DIR:-$root/build}"
fi

# Nothing a suite does may land in the real home folder.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
. "$root/scripts/scratch-home.sh"
scratch_home "$scratch"

status=0
if [ -n "$sanitize" ]; then
  (cd "$build" && ctest --output-on-failure --timeout 900 -LE lab) || status=1
  exit $status
fi
(cd "$build" && ctest --output-on-failure --timeout 900) || status=1
# The README's run command, unattended, through the lab (needs root; the lab suite above too).
if [ "$(id -u)" -eq 0 ]; then
  "$root/scripts/run.sh" --check || status=1
else
  echo "skipped: run.sh --check needs root"
fi
"$root/scripts/check-format.sh" || status=1
"$root/scripts/check-windows.sh" || status=1
# Every fuzz target's seed corpus, replayed once.
"$root/scripts/fuzz.sh" || status=1
exit $status
