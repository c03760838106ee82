#!/usr/bin/env bash
# The long run of the random user (tests/soak/binding_soak_test.cpp) at one
# binding's window, through that binding's form driver: the Qt window
# offscreen, the Windows window under Wine on a virtual display of its own,
# or the web page in headless Chromium. Builds what it needs first (the dev,
# windows or web preset, as scripts/lib.sh does; the packages are those
# bash scripts/test.sh installs). Prints one line per seed, with the seed:
# its actions, the presses of "计算", how many gave a sentence and how many
# were refused, and the failures; on a failure also the broken checks and
# the last actions; then the time the run took. Exits non-zero when a check
# broke or the program crashed.
#
# Usage: bench/soak.sh qt|windows|web [-n ACTIONS] [-s SEEDS] [-t]
#   -n ACTIONS  actions per seed (default 10000; TAVRELO_SOAK_ACTIONS)
#   -s SEEDS    seeds beside the fixed one, comma-separated (TAVRELO_SOAK_SEEDS)
#   -t          every action printed as it happens, for a crash (TAVRELO_SOAK_TRACE=1)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib.sh"

usage() { sed -n '2,/^set -euo/p' "${BASH_SOURCE[0]}" | sed '$d; s/^# \{0,1\}//' >&2; exit 2; }
[ "$#" -ge 1 ] || usage
binding=$1
shift
case "$binding" in qt | windows | web) ;; *) usage ;; esac
actions=${TAVRELO_SOAK_ACTIONS:-10000}
seeds=${TAVRELO_SOAK_SEEDS:-}
trace=${TAVRELO_SOAK_TRACE:-}
while getopts "n:s:th" option; do
  case "$option" in
    n) actions=$OPTARG ;;
    s) seeds=$OPTARG ;;
    t) trace=1 ;;
    *) usage ;;
  esac
done
export TAVRELO_SOAK_ACTIONS=$actions TAVRELO_SOAK_SEEDS=$seeds TAVRELO_SOAK_TRACE=$trace

# What the soak prints that this run reports: the line of each seed (with
# the binding before it), the broken checks with the last actions, and each
# action as it happens when traced.
report() {
  tr -d '\r' | grep --line-buffered -E '^(seed |  - |  #[0-9]+ |last actions|fields now|Text1 now|#[0-9]+ \[)' |
    sed -u "s/^seed /$binding: seed /" || true
}

build=$TAVRELO_ROOT/build
# The program's exit status, which pipefail passes through the report.
status=0
case "$binding" in
  qt)
    tavrelo_build dev qt_binding_soak_test
    tavrelo_test_environment
    started=$(date +%s)
    LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen "$build/dev/tests/qt/qt_binding_soak_test" 2>&1 | report || status=$?
    ;;
  windows)
    tavrelo_build windows win32_binding_soak_test
    started=$(date +%s)
    # A whole run may take an hour; each action settles within a second.
    TAVRELO_WINE_TIMEOUT=$((actions * 2 + 120)) xvfb-run -a -s "-screen 0 1600x1200x24 -nolisten tcp" \
      bash "$TAVRELO_ROOT/scripts/wine/run.sh" --root "$build/windows/wine" \
      "$build/windows/tests/win32/win32_binding_soak_test.exe" 2>/dev/null | report || status=$?
    ;;
  web)
    # The test page is built by the web preset.
    tavrelo_build web web_binding_soak_test
    started=$(date +%s)
    # The page reads the soak's settings from its arguments (after its "#").
    python3 "$TAVRELO_ROOT/tests/web/run_page_test.py" "$build/web/tests/web/web_binding_soak_test.html" \
      "TAVRELO_SOAK_ACTIONS=$actions" "TAVRELO_SOAK_SEEDS=$seeds" "TAVRELO_SOAK_TRACE=$trace" 2>&1 | report ||
      status=$?
    ;;
esac
echo "$binding: $actions actions per seed, $(($(date +%s) - started)) s in all$([ "$status" -eq 0 ] || echo ", exit status $status")"
exit "$status"
