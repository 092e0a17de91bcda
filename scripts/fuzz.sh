#!/usr/bin/env bash
# Builds the libFuzzer targets with clang under AddressSanitizer and UndefinedBehaviorSanitizer
# and runs each for a bounded time. Exits non-zero when a target crashes, hangs or reports.
#
#   scripts/fuzz.sh [seconds-per-target]        (default 60; or FUZZ_SECONDS)
#   FUZZ_BUILD_DIR=build/fuzz                   build folder (default build/fuzz)
#   FUZZ_JOBS=1                                 parallel fuzzing processes per target
#   FUZZ_TARGETS="FuzzPlotData FuzzEngineRun"   only these targets (default all)
#   FUZZ_TMPDIR=/dev/shm                        where the targets write their files
#
# Crash inputs are written to <build>/artifacts/; the growing corpus to <build>/corpus/;
# with FUZZ_JOBS > 1 each job's log (final stats at its end) to <build>/logs/<target>/.
# Reproduce one with: <build>/fuzz/FuzzExpression <build>/artifacts/crash-...
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-${FUZZ_SECONDS:-60}}
build=${FUZZ_BUILD_DIR:-build/fuzz}
jobs=${FUZZ_JOBS:-1}
targets=(FuzzExpression FuzzWordReader FuzzProjectFile FuzzPlotData FuzzEngineRun)
if [ -n "${FUZZ_TARGETS:-}" ]; then
  read -r -a targets <<<"$FUZZ_TARGETS"
fi

# The "fuzz" preset of CMakePresets.json (clang, sanitizers, GUI-free), in the chosen folder.
cmake --preset fuzz -B "$build" >/dev/null
cmake --build "$build" --target "${targets[@]}"

# The targets' files go to memory when there is a tmpfs for them: the project saves flush
# every file to the disk, which costs a third of the runs (FUZZ_TMPDIR to choose).
if [ -z "${FUZZ_TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
  FUZZ_TMPDIR=/dev/shm
fi
[ -n "${FUZZ_TMPDIR:-}" ] && export TMPDIR="$FUZZ_TMPDIR"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

status=0
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  artifacts="$build/artifacts/$target-"
  mkdir -p "$corpus" "$build/artifacts"
  extra=()
  [ "$target" = FuzzExpression ] && extra+=(-dict=fuzz/expression.dict)
  [ "$jobs" -gt 1 ] && extra+=(-jobs="$jobs" -workers="$jobs")
  echo "== $target: ${seconds}s"
  if ! "$build/fuzz/$target" "$corpus" "fuzz/corpus/$target" "${extra[@]}" \
      -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
      -artifact_prefix="$artifacts" -print_final_stats=1; then
    echo "!! $target found a fault; inputs in $build/artifacts/" >&2
    status=1
  fi
  # Parallel jobs log to fuzz-<n>.log in the current folder: keep them with the build.
  if [ "$jobs" -gt 1 ]; then
    mkdir -p "$build/logs/$target"
    mv -f fuzz-*.log "$build/logs/$target/" 2>/dev/null || true
    grep -h "stat::number_of_executed_units\|stat::average_exec_per_sec" \
      "$build/logs/$target"/fuzz-*.log || true
  fi
done
exit $status
