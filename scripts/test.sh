#!/usr/bin/env bash
# Sets up everything on Debian 12 (missing packages, the tests' locale,
# configure, build) and runs every test once: the Linux build's, then the
# Windows build's under Wine. Prints failures, skipped tests
# and CTest's summary; exits non-zero when a test fails.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

tavrelo_install_missing "${TAVRELO_BUILD_PACKAGES[@]}" "${TAVRELO_RUN_PACKAGES[@]}" "${TAVRELO_TEST_PACKAGES[@]}" \
  "${TAVRELO_WINDOWS_BUILD_PACKAGES[@]}" "${TAVRELO_WINDOWS_TEST_PACKAGES[@]}" "${TAVRELO_WINDOWS_PACKAGE_PACKAGES[@]}"
tavrelo_test_locale
tavrelo_build dev
tavrelo_build windows
tavrelo_test_environment
cd "$TAVRELO_ROOT"
echo "== Linux (Qt): build/dev"
status=0
tavrelo_ctest --preset dev --parallel "$(nproc)" || status=$?
# The same core, model and window cases as a Windows program, under Wine.
echo "== Windows (MinGW-w64, under Wine): build/windows"
tavrelo_ctest --preset windows --parallel "$(nproc)" || status=$?
exit "$status"
