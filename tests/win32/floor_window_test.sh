#!/usr/bin/env bash
# A floor of the start-up benchmark under Wine (bench/empty_window_win32.exe
# or bench/controls_window_win32.exe) against tavrelo.exe, at the prefix's
# dpi (TAVRELO_WINE_DPI, 96 unless set):
# both windows are titled "Tavrelo", have the same outer size (the same
# frame around a client area of 628 × 316 at 96 dpi, scaled to the dpi), show
# 80FF80 at pixel 2,2 of the client area (the pixel the benchmark watches),
# and end with exit code 0 when closed. A floor of another size or colour
# would make the benchmark compare unlike windows, or wait for a paint that
# never comes.
# Usage: floor_window_test.sh TAVRELO.EXE FLOOR.EXE WINE-RUNNER [RUNNER-ARGUMENTS…]
set -euo pipefail

if [ "${TAVRELO_FLOOR_ON_DISPLAY:-}" != 1 ]; then
  export TAVRELO_FLOOR_ON_DISPLAY=1
  exec xvfb-run -a -s "-screen 0 1600x1200x24 -nolisten tcp" bash "$0" "$@"
fi

tavrelo=$1 floor=$2
shift 2
runner=("$@")
dpi=${TAVRELO_WINE_DPI:-96}
client_width=$((628 * dpi / 96))
client_height=$((316 * dpi / 96))

fail() {
  echo "FAIL: $*" >&2
  [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
  exit 1
}

# Shows PROGRAM, prints "OUTER_WIDTH OUTER_HEIGHT RRGGBB" (the colour of
# pixel 2,2 of its client area, once painted), closes it and checks its
# exit code.
look_at() {
  local program=$1 window geometry width height border x y colour=
  "${runner[@]}" "$program" >"${TMPDIR:-/tmp}/tavrelo-floor.$$.log" 2>&1 &
  pid=$!
  # Polled rather than `search --sync`, which gives up at an X error when a
  # window it looks at goes away meanwhile (the last program's, say); for up
  # to three minutes, as Wine may first make its prefix on a busy machine.
  window=
  for _ in $(seq 1800); do
    window=$(timeout 10 xdotool search --onlyvisible --name '^Tavrelo$' 2>/dev/null | head -n 1) || true
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || fail "$(basename "$program"): no window titled Tavrelo appeared"
  geometry=$(xwininfo -id "$window")
  width=$(sed -n 's/^ *Width: //p' <<<"$geometry")
  height=$(sed -n 's/^ *Height: //p' <<<"$geometry")
  # Wine draws the frame itself: borders alike on the left, right and bottom.
  border=$(((width - client_width) / 2))
  x=$((border + 2)) y=$((height - client_height - border + 2))
  for _ in $(seq 50); do
    colour=$(import -window "$window" -crop "1x1+$x+$y" -depth 8 txt:- 2>/dev/null | grep -o '#[0-9A-F]\{6\}' | head -n 1) || true
    [ "$colour" = "#80FF80" ] && break
    sleep 0.1
  done
  xdotool windowfocus --sync "$window"
  xdotool key alt+F4
  timeout 30 tail --pid="$pid" -f /dev/null || fail "$(basename "$program") did not end when its window closed"
  local status=0
  wait "$pid" || status=$?
  pid=
  [ "$status" -eq 0 ] || fail "$(basename "$program"): exit code $status after closing the window"
  echo "$width $height ${colour#\#}"
}

ours=$(look_at "$tavrelo")
floor_seen=$(look_at "$floor")
read -r ours_width ours_height ours_colour <<<"$ours"
read -r floor_width floor_height floor_colour <<<"$floor_seen"
[ "$floor_width x $floor_height" = "$ours_width x $ours_height" ] ||
  fail "the floor's window is $floor_width x $floor_height, tavrelo.exe's $ours_width x $ours_height (dpi $dpi)"
[ "$ours_colour" = 80FF80 ] || fail "tavrelo.exe shows ${ours_colour:-nothing} at pixel 2,2 of its client area, not 80FF80"
[ "$floor_colour" = 80FF80 ] || fail "the floor shows ${floor_colour:-nothing} at pixel 2,2 of its client area, not 80FF80"
echo "PASS: both windows ${ours_width} x ${ours_height} at dpi $dpi, titled Tavrelo, 80FF80 at client pixel 2,2; exit code 0"
