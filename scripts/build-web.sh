#!/usr/bin/env bash
# Builds tavrelo.html, the window as one self-contained web page, on Debian
# 12: installs Emscripten, zopfli (which compresses the module inside the
# page) and GoogleTest's sources (which the web preset configures its test
# pages with) when missing, builds the page alone with
# that preset, puts it at build/web/tavrelo.html and prints its path.
# One file: mail it, pass it round a chat group, put it on a USB stick; it
# opens offline with a double click in any current browser.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

tavrelo_install_missing "${TAVRELO_WEB_BUILD_PACKAGES[@]}"
tavrelo_build web tavrelo
cp "$TAVRELO_ROOT/build/web/ui/web/tavrelo.html" "$TAVRELO_ROOT/build/web/tavrelo.html"
echo "$TAVRELO_ROOT/build/web/tavrelo.html"
