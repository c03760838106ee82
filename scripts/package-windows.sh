#!/usr/bin/env bash
# Builds what Windows users download, on Debian 12: installs what is missing
# (the MinGW-w64 cross compiler, NSIS), builds the windows-app preset's
# tavrelo.exe, its installer and its zip, and prints where the two are:
#   build/windows-app/tavrelo-<version>-win64-setup.exe
#   build/windows-app/tavrelo-<version>-win64.zip
# <version> is the project's, from the top-level CMakeLists.txt.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

tavrelo_install_missing "${TAVRELO_WINDOWS_BUILD_PACKAGES[@]}" "${TAVRELO_WINDOWS_PACKAGE_PACKAGES[@]}"
tavrelo_build windows-app windows-packages
build=$TAVRELO_ROOT/build/windows-app
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
for file in "$build/tavrelo-$version-win64-setup.exe" "$build/tavrelo-$version-win64.zip"; do
  [ -f "$file" ] || { tavrelo_log "the build made no $file"; exit 1; }
  echo "$file"
done
