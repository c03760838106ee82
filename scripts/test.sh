#!/usr/bin/env bash
# Sets up everything on Debian 12 (missing packages, the tests' locale,
# configure, build) and runs every test once. Prints failures, skipped tests
# and CTest's summary; exits non-zero when a test fails.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

tavrelo_install_missing "${TAVRELO_BUILD_PACKAGES[@]}" "${TAVRELO_RUN_PACKAGES[@]}" "${TAVRELO_TEST_PACKAGES[@]}"
tavrelo_test_locale
tavrelo_build dev
tavrelo_test_environment
cd "$TAVRELO_ROOT"
tavrelo_ctest --preset dev --parallel "$(nproc)"
