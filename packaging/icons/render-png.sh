#!/usr/bin/env bash
# Renders the application icon's PNGs (hicolor sizes) from the SVG beside this
# script. Run it after changing the SVG and commit the PNGs with it; the build
# installs them as they are, so it needs no SVG renderer.
# Needs rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
name=sonivel
for size in 16 32 48 64 128 256; do
  mkdir -p "$size"
  rsvg-convert -w "$size" -h "$size" "$name.svg" -o "$size/$name.png"
done
