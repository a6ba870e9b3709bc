#!/usr/bin/env bash
# Installs what is missing, builds and runs every suite through CTest (the lab's under the label
# "lab": "ctest -L lab" alone, "ctest -LE lab" without; its long variants, every transition for
# every protocol, also under "long": "ctest -LE long" leaves them out), the README's run command
# unattended, the Debian package's round, the format and Windows syntax checks and a replay of
# the fuzz corpora. Exits non-zero on any failure.
#   scripts/test.sh                  all of it but the sanitizer pass (what CI runs)
#   scripts/test.sh --sanitize       the sanitizer pass: every suite but the lab's, built into
#                                    build-asan/ under AddressSanitizer (with LeakSanitizer) and
#                                    UndefinedBehaviorSanitizer; reports in libraries not ours are
#                                    suppressed in tests/sanitizers/, each with its reason
#   scripts/test.sh --all            both
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
main=1 sanitize=""
case "${1:-}" in
  --sanitize) main="" sanitize=1 ;;
  --all) sanitize=1 ;;
  "") ;;
  *)
    echo "usage: $0 [--sanitize | --all]" >&2
    exit 2
    ;;
esac

# Nothing a suite does may land in the real home folder.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
. "$root/scripts/scratch-home.sh"
scratch_home "$scratch"

main_pass() {
  "$root/scripts/build.sh" || return 1
  local build="${BUILD_DIR:-$root/build}" status=0
  (cd "$build" && ctest --output-on-failure --timeout 900) || status=1
  # The README's run command, unattended, through the lab (needs root; the lab suite above too).
  if [ "$(id -u)" -eq 0 ]; then
    "$root/scripts/run.sh" --check || status=1
  else
    echo "skipped: run.sh --check needs root"
  fi
  # The Debian package: installed, driven through the lab, upgraded and purged (needs root too).
  local package=0
  "$root/scripts/check-package.sh" || package=$?
  [ $package -eq 0 ] || [ $package -eq 77 ] || status=1
  "$root/scripts/check-format.sh" || status=1
  "$root/scripts/check-windows.sh" || status=1
  # Every fuzz target's seed corpus, replayed once.
  "$root/scripts/fuzz.sh" || status=1
  return $status
}

sanitizer_pass() {
  local build="${SANITIZE_BUILD_DIR:-$root/build-asan}"
  # -O1: a quicker build, and the reports keep their whole stacks.
  BUILD_DIR="$build" "$root/scripts/build.sh" -DCORVALINK_SANITIZE=ON -DCORVALINK_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g -DNDEBUG" || return 1
  # Whole stacks for leaks, so that a suppression names the library a leak comes from.
  # Those unwind through libgcc on every allocation, and libgcc allocates under its lock once a
  # JIT has registered frames: Mesa's llvmpipe would hang the UI suite there. softpipe without
  # LLVM for its vertices compiles nothing.
  GALLIUM_DRIVER=softpipe DRAW_USE_LLVM=0 \
    ASAN_OPTIONS="detect_leaks=1:strict_string_checks=1:fast_unwind_on_malloc=0:suppressions=$root/tests/sanitizers/address.supp" \
    LSAN_OPTIONS="suppressions=$root/tests/sanitizers/leaks.supp:print_suppressions=0" \
    UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:suppressions=$root/tests/sanitizers/undefined.supp" \
    bash -c 'cd "$1" && ctest --output-on-failure --timeout 900 -LE lab' _ "$build"
}

# Inside a function called with ||, set -e does not apply: each step says so itself.
status=0
if [ -n "$main" ]; then
  main_pass || status=1
fi
if [ -n "$sanitize" ]; then
  echo "== the sanitizer pass"
  sanitizer_pass || status=1
fi
exit $status
