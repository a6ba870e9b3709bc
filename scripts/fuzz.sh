#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ into build-fuzz/ (or $FUZZ_BUILD_DIR), replays each seed
# corpus once and, given SECONDS, fuzzes each target that long, one after another on one core.
# Prints per target the executions per second and the total executions. Exits non-zero on any
# crash; the input is kept in fuzz/<target>/crashes/.
#   scripts/fuzz.sh            replay the corpora only (what CI runs)
#   scripts/fuzz.sh 60         then 60 s of fuzzing per target
#   FUZZ_TARGETS="dnsdata ipv6state" scripts/fuzz.sh 30
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${FUZZ_BUILD_DIR:-$root/build-fuzz}"
seconds="${1:-0}"
case "$seconds" in
  '' | *[!0-9]*)
    echo "usage: $0 [SECONDS]" >&2
    exit 2
    ;;
esac
# One build at a time on this machine, at low priority.
lock=(flock /tmp/corvalink-build.lock nice -n 19)

# clang and its libFuzzer runtime, installed with apt only when missing.
fuzzer_runtime() {
  compgen -G '/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a' >/dev/null
}
# lld: the client's targets keep only the parsers of their classes (--gc-sections).
if ! command -v clang++ >/dev/null || ! fuzzer_runtime || ! command -v ld.lld >/dev/null; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -q
  # The fuzzer runtime is only a recommendation of clang's.
  $sudo apt-get install -y -q --no-install-recommends clang libclang-rt-14-dev lld
fi

generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ "${lock[@]}" cmake -S "$root/fuzz" -B "$build" "${generator[@]}" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
"${lock[@]}" cmake --build "$build" -j "$(nproc)"

if [ -n "${FUZZ_TARGETS:-}" ]; then
  read -r -a targets <<<"$FUZZ_TARGETS"
else
  targets=()
  for source in "$root"/fuzz/*_fuzz.cpp; do
    name="$(basename "$source" .cpp)"
    targets+=("${name%_fuzz}")
  done
fi

export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
export LSAN_OPTIONS="suppressions=$root/fuzz/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
# Targets whose input reaches QJsonDocument: full malloc stacks, so that the suppression of Qt's
# own leak matches (slower).
json_targets=" dnsdata "
mkdir -p "$build/logs"
failed=()
report=()

# "stat::average_exec_per_sec: N" and "stat::number_of_executed_units: N" of a log.
final_stat() {
  sed -n "s/^stat::$1: *//p" "$2" | tail -n 1
}

# run TARGET PHASE LIBFUZZER-ARGUMENTS...: false when libFuzzer reports a crash.
run() {
  local target="$1" phase="$2"
  shift 2
  local crashes="$root/fuzz/$target/crashes"
  local log="$build/logs/$target.$phase.log"
  mkdir -p "$crashes"
  local rc=0 asan="${ASAN_OPTIONS:-}"
  if [[ "$json_targets" == *" $target "* ]]; then
    asan="fast_unwind_on_malloc=0${asan:+:$asan}"
  fi
  ASAN_OPTIONS="$asan" \
    nice -n 19 "$build/${target}_fuzz" -print_final_stats=1 -timeout=25 -rss_limit_mb=2048 \
    -artifact_prefix="$crashes/" "$@" >"$log" 2>&1 || rc=$?
  rmdir "$crashes" 2>/dev/null || true
  report+=("$(printf '%-20s %-7s %10s exec/s %12s execs  %s' "$target" "$phase" \
    "$(final_stat average_exec_per_sec "$log")" "$(final_stat number_of_executed_units "$log")" \
    "$([ $rc -eq 0 ] && echo ok || echo "CRASH (exit $rc)")")")
  if [ $rc -ne 0 ]; then
    failed+=("$target $phase")
    echo "== $target ($phase) crashed; log $log" >&2
    grep -E -A40 'ERROR: |fuzz check failed|runtime error' "$log" | head -n 60 >&2 || true
    find "$crashes" -type f -printf "   kept: fuzz/$target/crashes/%f\n" >&2 2>/dev/null || true
    return 1
  fi
}

for target in "${targets[@]}"; do
  corpus="$root/fuzz/$target/corpus"
  dict=()
  [ -f "$root/fuzz/$target.dict" ] && dict=(-dict="$root/fuzz/$target.dict")
  # The seeds once each: every one must pass.
  run "$target" replay -runs=0 "$corpus" || continue
  [ "$seconds" -gt 0 ] || continue
  # New inputs go to a scratch corpus in the build folder; the seeds stay as they are.
  scratch="$build/corpus/$target"
  mkdir -p "$scratch"
  run "$target" fuzz -max_total_time="$seconds" "${dict[@]}" "$scratch" "$corpus" || true
done

echo
printf '%s\n' "${report[@]}"
if [ ${#failed[@]} -gt 0 ]; then
  echo "crashed: ${failed[*]}" >&2
  exit 1
fi
