#!/bin/sh
# Regenerates every <name>-<size>.png beside its SVG source (needs rsvg-convert, from librsvg2-bin).
set -eu
cd "$(dirname "$0")"
for svg in *.svg; do
    name=${svg%.svg}
    for size in 16 24 32 48 64 128; do
        rsvg-convert -w "$size" -h "$size" -o "$name-$size.png" "$svg"
    done
done
