#!/usr/bin/env bash
# tavrelo.exe as a user meets it, under Wine on a virtual X display: the
# window "Tavrelo" appears, the typical use typed and picked with the
# keyboard gives the exact sentence (copied out of the result box with
# Ctrl+A, Ctrl+C), and closing the window ends the program with exit code 0.
# Usage: wine_smoke_test.sh TAVRELO.EXE WINE-RUNNER [RUNNER-ARGUMENTS…]
set -euo pipefail

if [ "${TAVRELO_SMOKE_ON_DISPLAY:-}" != 1 ]; then
  export TAVRELO_SMOKE_ON_DISPLAY=1
  exec xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp" bash "$0" "$@"
fi

program=$1
shift
runner=("$@")
expected="当降低地下水时， 桩周第2.0层土平均竖向有效应力σi'为：65.10 kn/m2   桩侧负摩阻力标准值qsi = ξn * σi'＝16.3 kn/m2"

fail() {
  echo "FAIL: $*" >&2
  [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
  exit 1
}

# Under the version of Windows the run asks for (TAVRELO_WINE_VERSION=win7:
# Windows 7 SP1, version 6.1.7601).
if [ "${TAVRELO_WINE_VERSION:-}" = win7 ]; then
  ver=$("${runner[@]}" cmd.exe /c ver </dev/null 2>/dev/null | tr -d '\r') || true
  [[ "$ver" == *"6.1.7601"* ]] || fail "Wine does not pose as Windows 7 SP1: \"$ver\""
fi

"${runner[@]}" "$program" >"${TMPDIR:-/tmp}/tavrelo-wine-smoke.$$.log" 2>&1 &
pid=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Tavrelo$' | head -n 1) || fail "no window titled Tavrelo appeared"
xdotool windowfocus --sync "$window"
sleep 0.5

keys() { xdotool key --delay 60 "$@"; sleep 0.2; }
type_text() { xdotool type --delay 60 "$1"; sleep 0.2; }
# The focus opens in the layer count: pick "2.0" with the arrow keys, then
# walk down the columns (rows 3 to 5 are hidden now).
keys Down Down
keys Tab Tab Tab
type_text 18
keys Tab
type_text 19
keys Tab Tab Tab
type_text 2.0
keys Tab
type_text 3.0
# The button, the result box, then the cause: pick "降低地下水".
keys Tab Tab Tab Down
keys Tab
type_text 0.25
# Back to "计算" and press it with Space.
keys shift+Tab shift+Tab shift+Tab space
keys Tab ctrl+a ctrl+c
sleep 0.5
shown=$(timeout 10 xclip -o -selection clipboard) || fail "nothing on the clipboard"
[ "$shown" = "$expected" ] || fail "the result box shows \"$shown\""

keys alt+F4
status=0
timeout 30 tail --pid="$pid" -f /dev/null || fail "the program did not end when its window closed"
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "exit code $status after closing the window"
pid=
echo "PASS: window shown; the typical use gives its sentence; exit code 0 after closing it"
