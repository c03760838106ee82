#!/usr/bin/env bash
# Builds tavrelo.html, the window as one self-contained web page, on Debian
# 12: installs Emscripten when it is missing, configures and builds the
# web-app preset, puts the page at build/web/tavrelo.html and prints its path.
# One file: mail it, pass it round a chat group, put it on a USB stick; it
# opens offline with a double click in any current browser.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

tavrelo_install_missing "${TAVRELO_WEB_BUILD_PACKAGES[@]}"
tavrelo_build web-app tavrelo
mkdir -p "$TAVRELO_ROOT/build/web"
cp "$TAVRELO_ROOT/build/web-app/ui/web/tavrelo.html" "$TAVRELO_ROOT/build/web/tavrelo.html"
echo "$TAVRELO_ROOT/build/web/tavrelo.html"
