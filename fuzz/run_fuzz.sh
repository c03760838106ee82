#!/usr/bin/env bash
# Fuzzes the core: builds the fuzz preset when needed, then for each fuzz
# target (friction_fuzzer: the compute button's press; downdrag_fuzzer: the
# downdrag load) replays its seed corpus and its regressions, and fuzzes it
# in a scratch corpus under build/fuzz/, seeded from its seeds. SECONDS
# (default 60) is the whole time, split evenly between the targets. Prints
# one summary line a target; exits non-zero when anything crashed or broke
# an expectation. The crashing input and libFuzzer's log stay under
# build/fuzz/fuzz-run/<target>/.
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
tavrelo_build fuzz friction_fuzzer downdrag_fuzzer

export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

# target  seeds  dictionary  regressions (under fuzz/)
targets=(
  "friction corpus friction.dict regressions"
  "downdrag downdrag_corpus downdrag.dict downdrag_regressions"
)
share=$((seconds / ${#targets[@]}))

# Replays and fuzzes one target for $2 seconds; prints its summary line.
fuzz_target() {
  local name seeds dictionary regressions
  read -r name seeds dictionary regressions <<<"$1"
  local time=$2
  local fuzzer=$TAVRELO_ROOT/build/fuzz/fuzz/${name}_fuzzer
  local work=$TAVRELO_ROOT/build/fuzz/fuzz-run/$name
  local scratch=$work/corpus artifacts=$work/artifacts
  mkdir -p "$scratch" "$artifacts"
  cp -n "$TAVRELO_ROOT/fuzz/$seeds"/* "$scratch"/ 2>/dev/null || true
  local options=(-max_len=4096 -dict="$TAVRELO_ROOT/fuzz/$dictionary" -artifact_prefix="$artifacts/"
    -print_final_stats=1)

  # Replay: every seed once, plus the regression inputs kept in the repository.
  local replay=("$TAVRELO_ROOT/fuzz/$seeds")
  [ -d "$TAVRELO_ROOT/fuzz/$regressions" ] && replay+=("$TAVRELO_ROOT/fuzz/$regressions")
  if ! "$fuzzer" "${options[@]}" -runs=0 "${replay[@]}" >"$work/replay.log" 2>&1; then
    tail -n 40 "$work/replay.log" >&2
    echo "fuzz: $name: corpus replay FAILED; log in $work/replay.log" >&2
    return 1
  fi

  local status=0 runs=0 rate=0 cov=
  if [ "$time" -gt 0 ]; then
    "$fuzzer" "${options[@]}" -max_total_time="$time" -timeout=10 "$scratch" >"$work/fuzz.log" 2>&1 || status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/fuzz.log" | tail -n 1)
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$work/fuzz.log" | tail -n 1)
    cov=$(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$work/fuzz.log" | tail -n 1 || true)
  fi
  if [ "$status" -ne 0 ]; then
    grep -E "==${name}_fuzzer== broken|^SUMMARY|ERROR: (AddressSanitizer|libFuzzer)|runtime error" \
      "$work/fuzz.log" | head -n 5 >&2 || true
    local crash
    crash=$(grep -oE "Test unit written to [^ ]+" "$work/fuzz.log" | tail -n 1 | sed 's/Test unit written to //')
    echo "fuzz: $name: CRASH after ${runs:-?} executions (${rate:-?} exec/s, ${cov:-no coverage line});" \
      "input ${crash:-not written}, log $work/fuzz.log"
    return 1
  fi
  echo "fuzz: $name: ${runs:-0} executions in ${time} s (${rate:-0} exec/s, ${cov:-corpus replay only})," \
    "seeds replayed, no crash"
}

status=0
for i in "${!targets[@]}"; do
  # The first target takes what the even split leaves over.
  time=$share
  [ "$i" -eq 0 ] && time=$((seconds - share * (${#targets[@]} - 1)))
  fuzz_target "${targets[$i]}" "$time" || status=1
done
exit "$status"
