#!/usr/bin/env bash
# Runs a Windows program under Wine in a private prefix, for CTest (the
# cross build's CMAKE_CROSSCOMPILING_EMULATOR) and the Windows smoke test.
#
#   run.sh [--root DIR] PROGRAM.exe [ARGUMENTS…]
#
# The prefix lives in DIR (default: build/wine beside this script's tree),
# one per dpi and Windows version: TAVRELO_WINE_DPI (96 unless set) is the
# screen's dpi in it, TAVRELO_WINE_VERSION (Wine's own default, Windows 10,
# unless set) the version of Windows Wine poses as, as winecfg names it:
# win7 for Windows 7 SP1. Each is made once, with the Chinese font substitutes the window expects
# of a Chinese Windows; later runs reuse it. Safe to run in parallel. Exits
# with the program's exit code; gives up after TAVRELO_WINE_TIMEOUT seconds
# (300 by default), so an invisible dialog cannot hang a run.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/build/wine
if [ "${1:-}" = --root ]; then
  root=$(realpath -m "$2")
  shift 2
fi
[ "$#" -ge 1 ] || { echo "usage: run.sh [--root DIR] PROGRAM.exe [ARGUMENTS…]" >&2; exit 2; }

dpi=${TAVRELO_WINE_DPI:-96}
version=${TAVRELO_WINE_VERSION:-}
prefix_name=prefix-$dpi${version:+-$version}
export WINEPREFIX=$root/$prefix_name
export WINEDEBUG=-all
# No Mono or Gecko installer, and no menu entries or .desktop files written
# into $HOME for what runs here.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
mkdir -p "$root"

make_prefix() {
  wineboot -i >/dev/null 2>&1
  local substitutes='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
  # Wine has no SimSun: a face with its metrics (12 px and 6 px at 9 pt).
  # Wine reads a command line in the Unix locale's charset: under C (CI as
  # root, no LANG) 宋体 would arrive as six Latin-1 characters.
  wine reg add "$substitutes" /v SimSun /d 'WenQuanYi Zen Hei Mono' /f >/dev/null 2>&1
  LC_ALL=C.UTF-8 wine reg add "$substitutes" /v '宋体' /d 'WenQuanYi Zen Hei Mono' /f >/dev/null 2>&1
  # No window manager runs on the test display: Wine would wait 2 s for one
  # at every window it closes. Unmanaged windows are closed at once.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  [ -z "$version" ] || wine winecfg /v "$version" >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.tavrelo-ready"
}

(
  flock 9
  [ -f "$WINEPREFIX/.tavrelo-ready" ] || { rm -rf "$WINEPREFIX"; make_prefix; }
) 9>"$root/$prefix_name.lock"

# One wineserver for a whole test run: a program that starts while the last
# one's server is shutting down loses its connection ("recvmsg: Connection
# reset by peer"). It stays 30 s after the last program.
wineserver -p30 >/dev/null 2>&1 || true
# The first program of a server starts Wine's services (services.exe,
# winedevice.exe, plugplay.exe, svchost.exe), which inherit its stderr and
# live as long as the server: CTest would wait for that pipe until 30 s
# after the last program. A program with nothing open starts them instead;
# when they already run, it costs ~0.05 s.
timeout 60 wine cmd.exe /c exit </dev/null >/dev/null 2>&1 || true

status=0
timeout --kill-after=10 "${TAVRELO_WINE_TIMEOUT:-300}" wine "$@" || status=$?
exit "$status"
