#!/usr/bin/env bash
# Sets up everything on Debian 12 (missing packages, configure, build) and runs
# every test. Prints failures and CTest's summary.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

tavrelo_install_missing "${TAVRELO_BUILD_PACKAGES[@]}" "${TAVRELO_RUN_PACKAGES[@]}" "${TAVRELO_TEST_PACKAGES[@]}"
tavrelo_build dev
tavrelo_test_environment
cd "$TAVRELO_ROOT"
ctest --preset dev --parallel "$(nproc)" 2>&1 | grep -vE '^ +Start +[0-9]+: |^ *[0-9]+/[0-9]+ Test +#[0-9]+: .* Passed '
