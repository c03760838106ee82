#!/usr/bin/env bash
# Fuzzes the core: builds the fuzz preset when needed, replays the seed
# corpus in fuzz/corpus, then fuzzes for SECONDS (default 60) in a scratch
# corpus under build/fuzz/, seeded from fuzz/corpus. Prints one summary line;
# exits non-zero when anything crashed or broke an expectation. The crashing
# input and libFuzzer's log stay under build/fuzz/fuzz-run/.
#
#   bash fuzz/run_fuzz.sh [SECONDS]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib.sh"

seconds=${1:-60}
case $seconds in
  '' | *[!0-9]*) tavrelo_log "usage: bash fuzz/run_fuzz.sh [SECONDS]"; exit 2 ;;
esac

cd "$TAVRELO_ROOT"
# Quiet: the output goes to build/fuzz.log and is shown only on failure.
tavrelo_build fuzz friction_fuzzer

fuzzer=$TAVRELO_ROOT/build/fuzz/fuzz/friction_fuzzer
seeds=$TAVRELO_ROOT/fuzz/corpus
work=$TAVRELO_ROOT/build/fuzz/fuzz-run
scratch=$work/corpus
artifacts=$work/artifacts
mkdir -p "$scratch" "$artifacts"
cp -n "$seeds"/* "$scratch"/ 2>/dev/null || true

export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
options=(-max_len=4096 -dict="$TAVRELO_ROOT/fuzz/friction.dict" -artifact_prefix="$artifacts/" -print_final_stats=1)

# Replay: every seed once, plus the regression inputs kept in the repository.
replay=("$seeds")
[ -d "$TAVRELO_ROOT/fuzz/regressions" ] && replay+=("$TAVRELO_ROOT/fuzz/regressions")
if ! "$fuzzer" "${options[@]}" -runs=0 "${replay[@]}" >"$work/replay.log" 2>&1; then
  tail -n 40 "$work/replay.log" >&2
  echo "fuzz: corpus replay FAILED; log in $work/replay.log" >&2
  exit 1
fi

status=0
if [ "$seconds" -gt 0 ]; then
  "$fuzzer" "${options[@]}" -max_total_time="$seconds" -timeout=10 "$scratch" >"$work/fuzz.log" 2>&1 || status=$?
fi

if [ "$seconds" -gt 0 ]; then
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/fuzz.log" | tail -n 1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$work/fuzz.log" | tail -n 1)
  cov=$(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$work/fuzz.log" | tail -n 1 || true)
else
  runs=0 rate=0 cov=
fi
if [ "$status" -ne 0 ]; then
  grep -E '==friction_fuzzer== broken|^SUMMARY|ERROR: (AddressSanitizer|libFuzzer)|runtime error' \
    "$work/fuzz.log" | head -n 5 >&2 || true
  crash=$(grep -oE "Test unit written to [^ ]+" "$work/fuzz.log" | tail -n 1 | sed 's/Test unit written to //')
  echo "fuzz: CRASH after ${runs:-?} executions (${rate:-?} exec/s, ${cov:-no coverage line}); input ${crash:-not written}, log $work/fuzz.log"
  exit 1
fi
echo "fuzz: ${runs:-0} executions in ${seconds} s (${rate:-0} exec/s, ${cov:-corpus replay only}), seeds replayed, no crash"
