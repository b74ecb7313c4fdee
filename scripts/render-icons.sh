#!/usr/bin/env bash
# Renders the program's icon data/icons/korvanel.svg into the PNG sizes beside it (the windows'
# icon in the resources, and the desktop's fixed-size icon folders). Run after changing the SVG;
# needs rsvg-convert (Debian: librsvg2-bin). The PNGs are kept in the repository, so building
# needs no SVG renderer.
set -euo pipefail
cd "$(dirname "$0")/../data/icons"
for size in 16 22 24 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" korvanel.svg -o "korvanel-$size.png"
done
