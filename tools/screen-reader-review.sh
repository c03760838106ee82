#!/usr/bin/env bash
# What a screen reader's user hears of the program on Linux: starts the
# program built by scripts/test.sh (build/dev) on a private X display with
# its own session and accessibility buses, fills the typical use from the
# keyboard and prints, field by field, what AT-SPI reports (the bus Orca
# reads). Installs what it needs that is missing.
#   bash tools/screen-reader-review.sh [path/to/tavrelo]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib.sh"

program=${1:-$TAVRELO_ROOT/build/dev/ui/qt/tavrelo}
[ -x "$program" ] || { tavrelo_log "no program at $program: run bash scripts/test.sh first"; exit 1; }
tavrelo_install_missing xvfb xauth xdotool dbus at-spi2-core python3-pyatspi

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 50); do DISPLAY=$display xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done

# Qt looks for the accessibility bus once, at start: the bus comes first.
DISPLAY=$display QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LC_ALL=C.UTF-8 \
  dbus-run-session -- bash -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    sleep 1
    "$0" >/dev/null 2>&1 &
    app=$!
    window=$(xdotool search --sync --name "^Tavrelo$" | head -1)
    xdotool windowfocus --sync "$window"
    status=0
    /usr/bin/python3 "$1" || status=$?
    kill "$app" 2>/dev/null || true
    exit "$status"
  ' "$program" "$TAVRELO_ROOT/tools/screen_reader_review.py" 2> >(grep -v -e "dbus-daemon" -e "SpiRegistry" >&2)
