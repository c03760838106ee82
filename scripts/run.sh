#!/usr/bin/env bash
# Sets up everything on Debian 12 (missing packages, configure, build) and
# starts Tavrelo.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

tavrelo_install_missing "${TAVRELO_BUILD_PACKAGES[@]}" "${TAVRELO_RUN_PACKAGES[@]}"
tavrelo_build app tavrelo
exec "$TAVRELO_ROOT/build/app/ui/qt/tavrelo"
