#!/usr/bin/env bash
# Renders the SVG icon into tavrelo.ico, the Windows program's icon, with the
# sizes Explorer, the task bar and the title bar ask for. Run after changing
# packaging/icons/org.example.Tavrelo.svg and commit the .ico with it.
#   bash packaging/windows/render-ico.sh [OUT.ico]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
svg="$here/../icons/org.example.Tavrelo.svg"
out=${1:-"$here/tavrelo.ico"}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

pngs=()
for size in 16 24 32 48 64 256; do
  rsvg-convert --width "$size" --height "$size" --format png --output "$work/$size.png" "$svg"
  pngs+=("$work/$size.png")
done
# ImageMagick 6's own binary: a plain `convert` may be another program.
convert-im6.q16 "${pngs[@]}" "$out"
