#!/usr/bin/env bash
# Renders the program's icon from brezzolo.svg into the PNG sizes the program and the desktop
# use, and packs them into brezzolo.ico for Windows. Needs ImageMagick's `convert`. Run it
# after changing the drawing and commit the results.
set -euo pipefail
cd "$(dirname "$0")"

sizes=(16 24 32 48 64 128 256)
for size in "${sizes[@]}"; do
    # Drawn large and scaled down, so the small sizes stay smooth.
    convert -background none -density 288 brezzolo.svg -resize "${size}x${size}" \
        -depth 8 -strip -define png:exclude-chunks=date,time "brezzolo-${size}.png"
done
files=()
for size in "${sizes[@]}"; do files+=("brezzolo-${size}.png"); done
convert "${files[@]}" brezzolo.ico
