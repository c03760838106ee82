#!/usr/bin/env bash
# The long run of the random user at the Windows window, under Wine on a
# virtual display of its own: the test suite's soak (tests/soak/
# binding_soak_test.cpp, through the Win32 form driver) with many more
# actions per seed. Prints each seed's tally of actions, presses that gave a
# sentence and presses that were refused, and the time taken; exits
# non-zero when an invariant broke or the program crashed.
#
# Usage: bench/win32_soak.sh [-b BUILD] [-n ACTIONS] [-s SEEDS]
#   -b BUILD    the windows preset's build folder (default: build/windows)
#   -n ACTIONS  actions per seed (default 10000)
#   -s SEEDS    seeds beside the fixed one, comma-separated (default: none)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build/windows
actions=10000
seeds=
while getopts "b:n:s:h" option; do
  case "$option" in
    b) build=$(realpath "$OPTARG") ;;
    n) actions=$OPTARG ;;
    s) seeds=$OPTARG ;;
    *) sed -n '2,/^set -euo/p' "${BASH_SOURCE[0]}" | sed '$d; s/^# \{0,1\}//' >&2; exit 2 ;;
  esac
done
program=$build/tests/win32/win32_binding_soak_test.exe
[ -f "$program" ] || { echo "no $program: cmake --build --preset windows first" >&2; exit 2; }

started=$(date +%s)
status=0
# A whole run may take half an hour; each action settles within a second.
TAVRELO_SOAK_ACTIONS=$actions TAVRELO_SOAK_SEEDS=$seeds TAVRELO_WINE_TIMEOUT=$((actions * 2 + 120)) \
  xvfb-run -a -s "-screen 0 1600x1200x24 -nolisten tcp" \
  bash "$root/scripts/wine/run.sh" --root "$build/wine" "$program" 2>/dev/null | tr -d '\r' |
  grep -E '^(seed |\[  (PASSED|FAILED)|  - |  [0-9]+: )' || status=$?
echo "win32 soak: $actions actions per seed in $(( $(date +%s) - started )) s"
exit "$status"
