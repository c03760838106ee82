#!/usr/bin/env bash
# Start-up time and peak memory of Tavrelo against an empty Qt window of the
# same size, title and colour (the toolkit's floor), on one Xvfb server; with
# -W, of tavrelo.exe under Wine against two floors in the same run: a bare
# Windows API window of the same size, title and colour, and the floor of our
# own controls (the same controls made the plainest way,
# bench/controls_window_win32.cpp).
#
# Start-up: startup-launcher starts the program itself and times from just
# before the exec until the first paint (pixel 2,2 of the window turns
# 80FF80, the form's background; the empty window is painted the same
# colour); the window is then closed with x11-window-probe. Memory: the same,
# with the program under `/usr/bin/time -v`, its window left up SETTLE
# seconds before it is closed; "Maximum resident set size" comes from time's
# report. (time is kept out of the timed runs: its own exec would add to
# both start-ups.) The programs take turns (empty, Tavrelo, empty,
# Tavrelo, ...; under Wine bare, controls, Tavrelo, ...) after warm-up runs
# of each, so that a slow stretch of the machine hits them alike.
#
# Under Wine the timed runs of the floor of our controls and of Tavrelo also
# write their start-up marks (ui/win32/startup_marks.h: each step's end on
# the system clock, against the launcher's start), and the script prints the
# medians of every step, phase by phase.
#
# Under Wine (-W) both run as `wine PROGRAM.exe`: the launcher's clock starts
# before the exec of wine, and `wine` runs the program in the process it
# starts (wine's loader execs itself, keeping the pid), which waits for the
# program, so /usr/bin/time -v reports the Windows process's own peak. The
# prefix is scripts/wine/run.sh's (Chinese font substitutes, unmanaged
# windows, 96 dpi), made once in DIR/wine-bench; one wineserver stays up for
# the whole run with Wine's services, and the warm-up runs start Wine's
# desktop process (explorer.exe), which stays while programs follow each
# other: neither program pays for booting Wine. Wine draws the window's frame
# itself (no window manager), so the pixel watched is pixel 2,2 of the client
# area, found from the window's outer size.
#
# Usage: bench/startup_memory.sh [options]
#   -b DIR     build directory holding ui/qt/tavrelo, bench/empty_window,
#              bench/startup-launcher and tools/x11-window-probe
#              (default: build/release)
#   -n N       timed runs of each program (default 30)
#   -m N       runs of each program under /usr/bin/time -v for the memory
#              (default: as many as timed runs, at most that many)
#   -w N       warm-up runs of each program, not counted (default 2)
#   -s SECONDS how long the window stays shown before it is closed (default 0.2)
#   -e VAR=VALUE   set in the environment of both programs (repeatable),
#              e.g. -e XDG_CURRENT_DESKTOP=GNOME to measure under a desktop's
#              settings
#   -o FILE    also write every measured run as CSV to FILE (a timed run
#              fills startup_ms and map_ms, a memory run max_rss_kib)
#   -W DIR     measure ui/win32/tavrelo.exe of the Windows build DIR
#              (cmake --preset windows: build/windows) under Wine against
#              its bench/empty_window_win32.exe and
#              bench/controls_window_win32.exe; -b then names only the Linux
#              build with the launcher and the probe (build/dev will do)
#
# Prints a table of medians, the ratios Tavrelo/floor and whether the goals
# are met (under Wine against the floor of our controls). Exits 0 whether or not they are, 1 when a run fails, 2 on
# misuse.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build/release
runs=30
memory_runs=
warmups=2
settle=0.2
csv=
both_env=()

windows=

# The window we look at, and a pixel of it that is form background.
title=Tavrelo
colour=80FF80
pixel_x=2
pixel_y=2
timeout_ms=20000

usage() {
  sed -n '2,/^set -euo/p' "${BASH_SOURCE[0]}" | sed '$d; s/^# \{0,1\}//' >&2
  exit 2
}

while getopts "b:n:m:w:s:e:o:W:h" option; do
  case $option in
    b) build=$(cd "$OPTARG" && pwd) ;;
    n) runs=$OPTARG ;;
    m) memory_runs=$OPTARG ;;
    w) warmups=$OPTARG ;;
    s) settle=$OPTARG ;;
    e) both_env+=("$OPTARG") ;;
    o) csv=$OPTARG ;;
    W) windows=$(cd "$OPTARG" && pwd) ;;
    *) usage ;;
  esac
done
[ "$OPTIND" -gt "$#" ] || usage
memory_runs=${memory_runs:-$runs}
[[ $runs =~ ^[1-9][0-9]*$ && $memory_runs =~ ^[1-9][0-9]*$ && $warmups =~ ^[0-9]+$ ]] || usage
[ "$memory_runs" -le "$runs" ] || usage

fail() {
  printf 'startup_memory: %s\n' "$*" >&2
  exit 1
}
load_start=$(cut -d ' ' -f 1-3 /proc/loadavg)

# The two programs, and the goals as ratios to the floor.
launcher=$build/bench/startup-launcher
probe=$build/tools/x11-window-probe
if [ -z "$windows" ]; then
  ours_command=("$build/ui/qt/tavrelo")
  base_command=("$build/bench/empty_window")
  base_label="empty window"
  labels=(base ours)
  goal_floor=base
  goal_name="the empty window's"
  startup_goal=2.5
  memory_goal=1.75
  programs=("${ours_command[0]}" "${base_command[0]}")
  build_hint="cmake --build $build --target tavrelo empty_window startup-launcher x11-window-probe"
else
  ours_command=(wine "$windows/ui/win32/tavrelo.exe")
  base_command=(wine "$windows/bench/empty_window_win32.exe")
  floor_command=(wine "$windows/bench/controls_window_win32.exe")
  base_label="bare window"
  floor_label="our controls"
  labels=(base floor ours)
  # The goals are against the floor of our own controls.
  goal_floor=floor
  goal_name="the floor of our own controls'"
  startup_goal=1.05
  memory_goal=1.05
  programs=("${ours_command[1]}" "${base_command[1]}" "${floor_command[1]}")
  build_hint="cmake --build $windows --target tavrelo empty_window_win32 controls_window_win32; cmake --build $build --target startup-launcher x11-window-probe"
  if ! command -v wine >/dev/null || ! command -v wineserver >/dev/null; then
    fail "missing wine (Debian packages wine and wine64)"
  fi
fi
for tool in "${programs[@]}" "$launcher" "$probe"; do
  [ -f "$tool" ] || fail "missing $tool (build it: $build_hint)"
done
command -v Xvfb >/dev/null || fail "missing Xvfb (Debian package xvfb)"
/usr/bin/time -v true 2>/dev/null || fail "missing GNU time as /usr/bin/time (Debian package time)"

work=$(mktemp -d)
xvfb_pid=
wine_up=false
cleanup() {
  # Wine first: its desktop process holds the display.
  if $wine_up; then timeout 30 wineserver -k >/dev/null 2>&1 || true; fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# One X server for every run. -displayfd picks a free display and reports it
# once the server accepts connections.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  grep -q . "$work/display" 2>/dev/null && break
  kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  sleep 0.1
done
display=$(head -n 1 "$work/display")
[ -n "$display" ] || fail "Xvfb reported no display"

# The programs see this display through Qt's xcb platform, at scale 1.
export DISPLAY=:$display
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING
for setting in "${both_env[@]}"; do export "${setting?}"; done

# The font cache is built once (fc-cache leaves an up-to-date cache alone);
# the warm-up runs then load it, the fonts and the libraries into the page
# cache.
if command -v fc-cache >/dev/null; then fc-cache >/dev/null 2>&1 || true; fi

# Wine: the tests' prefix set-up in a prefix of the benchmark's own, one run
# at a time, and a wineserver of our own for the whole run (a server left by
# an earlier run may have other settings or another display: it is ended).
if [ -n "$windows" ]; then
  wine_root=$windows/wine-bench
  mkdir -p "$wine_root"
  exec 8>"$wine_root/benchmark.lock"
  flock -n 8 || fail "another benchmark run is using $wine_root"
  export TAVRELO_WINE_DPI=96
  export WINEPREFIX=$wine_root/prefix-$TAVRELO_WINE_DPI
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  # Makes the prefix the first time (wineboot, 6-16 s), then only starts Wine.
  TAVRELO_WINE_TIMEOUT=60 timeout 400 bash "$root/scripts/wine/run.sh" --root "$wine_root" cmd.exe /c exit \
    </dev/null >"$work/prefix.log" 2>&1 || fail "could not set up the Wine prefix: $(tail -n 5 "$work/prefix.log")"
  timeout 30 wineserver -k >/dev/null 2>&1 || true
  timeout 30 wineserver -w >/dev/null 2>&1 || true
  wine_up=true
  timeout 30 wineserver -p >/dev/null 2>&1 || fail "could not start a wineserver for $WINEPREFIX"
  # Wine's services start with the first program of a server.
  timeout 60 wine cmd.exe /c exit </dev/null >/dev/null 2>&1 || fail "wine cmd.exe did not run"

  # Wine draws the frame: the X window is the outer window. Pixel 2,2 of
  # the client area lies one frame border in and one caption down; the
  # client area is 628 × 316 (96 dpi), the borders left, right and bottom
  # alike. This run of the floor also starts Wine's desktop process.
  timeout 60 "${base_command[@]}" </dev/null >"$work/frame.log" 2>&1 &
  frame_pid=$!
  outer=$(timeout 70 "$probe" wait "$title" 60000) || fail "the bare window did not appear: $(tail -n 5 "$work/frame.log")"
  "$probe" close "$title" || fail "could not close the bare window"
  wait "$frame_pid" || fail "the bare window ended with an error after it was closed"
  outer_width=${outer%x*}
  outer_height=${outer#*x}
  border=$(((outer_width - 628) / 2))
  pixel_x=$((border + 2))
  pixel_y=$((outer_height - 316 - border + 2))
  if [ "$border" -lt 0 ] || [ "$pixel_y" -lt 2 ]; then fail "unexpected outer size $outer of the bare window"; fi
fi

# The process id of Wine's desktop process (explorer.exe) of our prefix, if
# it runs.
wine_desktop() {
  local pid
  for pid in $(pgrep -f 'explorer.exe /desktop'); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "$pid"
  done
  return 0
}

# Runs one program once. $1: base, floor or ours; $2: what to record,
# "time" (the launcher starts the program itself; the window is closed once
# painted) or "memory" (the launcher starts it under /usr/bin/time -v; the
# window stays up SETTLE seconds). Appends "label paint_ms map_ms" to
# $work/times or "label max_rss_kib" to $work/memory, unless warming up;
# under Wine a timed run also appends "label step ms" to $work/phases for
# every start-up mark the program wrote (ms since the launcher's start) and
# for the paint the launcher saw.
warming=true
run_once() {
  local label=$1 record=$2
  local report=$work/time.txt log=$work/$label.log marks=$work/marks.txt
  local -a command
  case $label in
    ours) command=("${ours_command[@]}") ;;
    floor) command=("${floor_command[@]}") ;;
    *) command=("${base_command[@]}") ;;
  esac
  [ "$record" = memory ] && command=(/usr/bin/time -v -o "$report" "${command[@]}")
  rm -f "$report" "$marks"
  coproc LAUNCH {
    # Wine's Z: drive is the Unix root.
    if [ -n "$windows" ] && [ "$record" = time ]; then export TAVRELO_STARTUP_MARKS="Z:$marks"; fi
    exec "$launcher" "$title" "$colour" "$pixel_x" "$pixel_y" "$timeout_ms" -- "${command[@]}" 2>>"$log"
  }
  local launch_pid=$LAUNCH_PID paint= map=
  if ! read -r -t 60 -u "${LAUNCH[0]}" paint map; then
    wait "$launch_pid" || true
    fail "$label (${command[*]}): the window was not painted
$(tail -n 20 "$log")"
  fi
  [ "$record" = memory ] && sleep "$settle"
  "$probe" close "$title" || fail "$label: could not close the window"
  local status=0
  wait "$launch_pid" || status=$?
  [ "$status" -eq 0 ] || fail "$label: ended with status $status after its window was closed
$(tail -n 20 "$log")"
  $warming && return 0
  if [ "$record" = time ]; then
    printf '%s %s %s\n' "$label" "$paint" "$map" >>"$work/times"
    if [ -f "$marks" ]; then
      awk -v label="$label" '$1 == "launched" { at = $2; next } at != "" { printf "%s %s %.3f\n", label, $1, ($2 - at) / 1000 }' \
        "$marks" >>"$work/phases"
      printf '%s seen-painted %s\n' "$label" "$paint" >>"$work/phases"
    fi
  else
    local rss
    rss=$(sed -n 's/^[[:space:]]*Maximum resident set size (kbytes): \([0-9]*\)$/\1/p' "$report")
    [ -n "$rss" ] || fail "$label: no maximum resident set size in the report of /usr/bin/time"
    printf '%s %s\n' "$label" "$rss" >>"$work/memory"
  fi
}

for _ in $(seq "$warmups"); do
  for label in "${labels[@]}"; do run_once "$label" time; done
done
warming=false
[ -n "$windows" ] && desktop_before=$(wine_desktop)
: >"$work/times"
: >"$work/memory"
: >"$work/phases"
progress=false
[ -t 2 ] && progress=true
for i in $(seq "$runs"); do
  for label in "${labels[@]}"; do run_once "$label" time; done
  if [ "$i" -le "$memory_runs" ]; then
    for label in "${labels[@]}"; do run_once "$label" memory; done
  fi
  if $progress; then printf '\rrun %d of %d' "$i" "$runs" >&2; fi
done
if $progress; then printf '\r\033[K' >&2; fi
desktop_note=
if [ -n "$windows" ]; then
  desktop_after=$(wine_desktop)
  if [ -z "$desktop_before" ] || [ "$desktop_before" != "$desktop_after" ]; then
    desktop_note="note: Wine's desktop process was not the same throughout ($desktop_before, then $desktop_after): runs that started it are slower"
  fi
fi

if [ -n "$csv" ]; then
  {
    echo "program,startup_ms,map_ms,max_rss_kib"
    awk '{ printf "%s,%s,%s,\n", $1, $2, $3 }' "$work/times"
    awk '{ printf "%s,,,%s\n", $1, $2 }' "$work/memory"
  } >"$csv"
fi

# Median, smallest and largest of column $3 for label $2 in file $1.
stats() {
  awk -v label="$2" -v column="$3" '$1 == label { print $column }' "$1" | sort -g |
    awk '{ v[NR] = $1 } END { m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; print m, v[1], v[NR] }'
}

label_of() {
  case $1 in
    ours) echo Tavrelo ;;
    floor) echo "$floor_label" ;;
    *) echo "$base_label" ;;
  esac
}

printf 'Start-up to first paint (medians of %d runs each) and peak resident memory\n' "$runs"
printf '(medians of %d runs each under /usr/bin/time -v), after %d warm-up runs each;\n' "$memory_runs" "$warmups"
printf '%d CPUs; load average at the start %s, at the end %s\n' "$(nproc)" "$load_start" "$(cut -d ' ' -f 1-3 /proc/loadavg)"
printf 'measured:      %s\n' "${both_env[*]:+${both_env[*]} }${ours_command[*]}"
printf 'compared with: %s\n' "${both_env[*]:+${both_env[*]} }${base_command[*]}"
if [ -n "$windows" ]; then printf '          and: %s\n' "${floor_command[*]}"; fi
printf '\n'
row() {
  printf '%-14s %9.1f %7.1f %7.1f %9.1f %9.1f %9d %9d\n' "$@"
}
printf '%-14s %9s %7s %7s %9s %9s %9s %9s\n' "" "start-up" "" "" "mapped" "peak RSS" "" ""
printf '%-14s %9s %7s %7s %9s %9s %9s %9s\n' "program" "ms" "min" "max" "ms" "MiB" "min KiB" "max KiB"
declare -A paint map rss
for label in "${labels[@]}"; do
  read -r paint[$label] paint_min paint_max < <(stats "$work/times" "$label" 2)
  read -r map[$label] _ _ < <(stats "$work/times" "$label" 3)
  read -r rss[$label] rss_min rss_max < <(stats "$work/memory" "$label" 2)
  row "$(label_of "$label")" "${paint[$label]}" "$paint_min" "$paint_max" "${map[$label]}" \
    "$(awk -v k="${rss[$label]}" 'BEGIN { print k / 1024 }')" "$rss_min" "$rss_max"
done
for label in "${labels[@]}"; do
  [ "$label" = ours ] && continue
  awk -v bp="${paint[$label]}" -v op="${paint[ours]}" -v bm="${map[$label]}" -v om="${map[ours]}" \
    -v br="${rss[$label]}" -v or="${rss[ours]}" -v label="Tavrelo / $(label_of "$label")" 'BEGIN {
    printf "%-26s %8.2f× %8.2f× %8.2f×   (start-up, mapped, peak RSS)\n", label, op / bp, om / bm, or / br
  }'
done
awk -v bp="${paint[$goal_floor]}" -v op="${paint[ours]}" -v br="${rss[$goal_floor]}" -v or="${rss[ours]}" \
  -v sg="$startup_goal" -v mg="$memory_goal" -v label="$goal_name" 'BEGIN {
  rs = op / bp; rm = or / br
  printf "\nstart-up %.2f× %s (goal at most %.2f×): %s\n", rs, label, sg, rs <= sg ? "met" : "missed"
  printf "memory   %.2f× %s (goal at most %.2f×): %s\n", rm, label, mg, rm <= mg ? "met" : "missed"
}'
if [ -n "$desktop_note" ]; then printf '%s\n' "$desktop_note"; fi

# The phases: each start-up mark's median, in ms since the launcher started
# the program, in the order Tavrelo marks them, then the floor's own.
if [ -s "$work/phases" ]; then
  printf '\nStart-up marks, medians in ms since the launch (ui/win32/startup_marks.h; seen-painted: the launcher)\n'
  printf '%-24s %12s %9s %9s\n' "step" "our controls" "Tavrelo" "more"
  # "label step median", from the runs sorted by label, step and time.
  sort -k1,1 -k2,2 -k3,3g "$work/phases" | awk '
    { key = $1 " " $2; v[key, ++n[key]] = $3 }
    END { for (key in n) { c = n[key]; print key, c % 2 ? v[key, (c + 1) / 2] : (v[key, c / 2] + v[key, c / 2 + 1]) / 2 } }
  ' >"$work/medians"
  # In Tavrelo's order of steps, then the floor's own.
  awk 'NR == FNR { median[$1, $2] = $3; next } !seen[$2]++ { order[++n] = $2 }
    END {
      for (i = 1; i <= n; i++) {
        s = order[i]; f = ((("floor", s) in median)); o = ((("ours", s) in median))
        printf "%-24s %12s %9s %9s\n", s, f ? sprintf("%.1f", median["floor", s]) : "—",
          o ? sprintf("%.1f", median["ours", s]) : "—", f && o ? sprintf("%+.1f", median["ours", s] - median["floor", s]) : ""
      }
    }' "$work/medians" <(awk '$1 == "ours"' "$work/phases"; awk '$1 == "floor"' "$work/phases")
fi
