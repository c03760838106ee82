#!/usr/bin/env bash
# Renders the SVG icon to the PNG sizes that the program embeds and installs.
# Run after changing packaging/icons/org.example.Tavrelo.svg and commit the
# PNGs with it. Writes below packaging/icons/, or below the folder given.
#   bash packaging/render-icons.sh [OUT_DIR]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
svg="$here/icons/org.example.Tavrelo.svg"
out=${1:-"$here/icons"}

# Multiples of 16 only: the drawing sits on a 16-unit grid.
for size in 16 32 48 64 128 256; do
  mkdir -p "$out/${size}x${size}"
  rsvg-convert --width "$size" --height "$size" --format png \
    --output "$out/${size}x${size}/org.example.Tavrelo.png" "$svg"
done
