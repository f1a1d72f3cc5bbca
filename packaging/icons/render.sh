#!/usr/bin/env bash
# Renders the PNG sizes of the icon from its SVG (needs rsvg-convert, package librsvg2-bin).
# The PNGs are kept in the repository, so a build needs no renderer.
set -euo pipefail
cd "$(dirname "$0")"
app=tr.com.durvex.dedadederaro
for size in 16 24 32 48 64 128 256; do
    mkdir -p "hicolor/${size}x${size}/apps"
    rsvg-convert -w "$size" -h "$size" "$app.svg" -o "hicolor/${size}x${size}/apps/$app.png"
done
