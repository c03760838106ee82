#!/usr/bin/env bash
# The program on a real X display: under Xvfb with Qt's xcb platform it
# opens a window titled "Tavrelo" whose client area is 628 × 316, and
# closing that window ends the program with exit code 0.
# Usage: xvfb_smoke_test.sh TAVRELO X11_WINDOW_PROBE
set -euo pipefail
program=$1
probe=$2

check() {
  unset QT_QPA_PLATFORM QT_SCALE_FACTOR WAYLAND_DISPLAY
  export QT_QPA_PLATFORM=xcb
  "$program" &
  local pid=$!
  local size
  if ! size=$("$probe" wait Tavrelo 20000); then
    kill "$pid" 2>/dev/null || true
    echo "FAIL: no window titled Tavrelo appeared" >&2
    return 1
  fi
  if [ "$size" != "628x316" ]; then
    kill "$pid" 2>/dev/null || true
    echo "FAIL: client area is $size, not 628x316" >&2
    return 1
  fi
  # The window must have been painted in its own colour before closing.
  "$probe" wait-colour Tavrelo 80FF80 2 2 20000 >/dev/null || { echo "FAIL: window never painted" >&2; kill "$pid"; return 1; }
  "$probe" close Tavrelo
  local status=0
  local waited=0
  while kill -0 "$pid" 2>/dev/null; do
    sleep 0.1
    waited=$((waited + 1))
    if [ "$waited" -gt 100 ]; then
      kill "$pid"
      echo "FAIL: the program did not end when its window closed" >&2
      return 1
    fi
  done
  wait "$pid" || status=$?
  if [ "$status" -ne 0 ]; then
    echo "FAIL: exit code $status after closing the window" >&2
    return 1
  fi
  echo "PASS: window 628x316 shown and painted; exit code 0 after closing it"
}

if [ "${3:-}" = --on-display ]; then
  check
else
  xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp" bash "$0" "$program" "$probe" --on-display
fi
