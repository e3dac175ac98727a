#!/usr/bin/env bash
# Renders the bitmap sizes of the program icon from ordivan.svg. Run by hand
# after changing the drawing (needs rsvg-convert, Debian package librsvg2-bin);
# the PNGs are kept in the tree so that building needs no SVG renderer.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 32 48 64 128 256; do
    rsvg-convert --width "$size" --height "$size" --output "ordivan-$size.png" ordivan.svg
done
