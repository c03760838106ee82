#!/usr/bin/env bash
# Sets up everything on Debian 12 (missing packages, the tests' locale,
# configure, build) and runs every test once: the Linux build's, the Windows
# build's under Wine, then the web build's under node and in headless
# Chromium. Prints failures, skipped tests and CTest's summary; exits
# non-zero when a test fails.
#
#   bash scripts/test.sh            all three
#   bash scripts/test.sh linux      the Linux (Qt) build's tests alone
#   bash scripts/test.sh windows    the Windows build's tests alone, under Wine
#   bash scripts/test.sh web        the web build's tests alone (Emscripten)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$TAVRELO_ROOT"

halves=("$@")
[ "${#halves[@]}" -gt 0 ] || halves=(linux windows web)
for half in "${halves[@]}"; do
  case "$half" in
    linux | windows | web) ;;
    *) echo "usage: bash scripts/test.sh [linux] [windows] [web]" >&2; exit 2 ;;
  esac
done

status=0
for half in "${halves[@]}"; do
  case "$half" in
    linux)
      tavrelo_install_missing "${TAVRELO_BUILD_PACKAGES[@]}" "${TAVRELO_RUN_PACKAGES[@]}" "${TAVRELO_TEST_PACKAGES[@]}"
      tavrelo_test_locale
      tavrelo_build dev
      tavrelo_test_environment
      echo "== Linux (Qt): build/dev"
      tavrelo_ctest --preset dev --parallel "$(nproc)" || status=$?
      ;;
    windows)
      # The same core, model and window cases as a Windows program, under Wine.
      tavrelo_install_missing "${TAVRELO_WINDOWS_BUILD_PACKAGES[@]}" "${TAVRELO_WINDOWS_TEST_PACKAGES[@]}" \
        "${TAVRELO_WINDOWS_PACKAGE_PACKAGES[@]}"
      tavrelo_build windows
      tavrelo_test_environment
      echo "== Windows (MinGW-w64, under Wine): build/windows"
      tavrelo_ctest --preset windows --parallel "$(nproc)" || status=$?
      ;;
    web)
      # Two builds, one after the other (never more jobs together than
      # TAVRELO_JOBS): the core and the form with exceptions, under node; the
      # pages without, the window cases and the program's page in headless
      # Chromium.
      tavrelo_install_missing "${TAVRELO_WEB_BUILD_PACKAGES[@]}" "${TAVRELO_WEB_TEST_PACKAGES[@]}"
      tavrelo_build web-tests
      tavrelo_build web
      echo "== Web, the core and the form (Emscripten, under node): build/web-tests"
      tavrelo_ctest --preset web-tests --parallel "$(nproc)" || status=$?
      echo "== Web, the page (Emscripten, in headless Chromium): build/web"
      tavrelo_ctest --preset web --parallel "$(nproc)" || status=$?
      ;;
  esac
done
exit "$status"
