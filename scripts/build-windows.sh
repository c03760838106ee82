#!/usr/bin/env bash
# Builds tavrelo.exe for 64-bit Windows on Debian 12: installs the MinGW-w64
# cross compiler when it is missing, configures and builds the windows-app
# preset, and prints where the program is. One self-contained file: copy it
# to any 64-bit Windows from 7 SP1 on and start it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

tavrelo_install_missing "${TAVRELO_WINDOWS_BUILD_PACKAGES[@]}"
tavrelo_build windows-app tavrelo
echo "$TAVRELO_ROOT/build/windows-app/ui/win32/tavrelo.exe"
