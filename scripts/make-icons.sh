#!/usr/bin/env bash
# Draws the program's PNG icons from dist/icons/io.github.quilvarden.Quilvarden.svg with
# rsvg-convert (Debian's librsvg2-bin). The PNGs are kept in the repository, so that the
# build and the package need no converter: run this again only after changing the SVG.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
icons="$root/dist/icons"
name=io.github.quilvarden.Quilvarden

if ! command -v rsvg-convert >/dev/null; then
    echo "rsvg-convert is missing: apt-get install librsvg2-bin" >&2
    exit 1
fi

for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "$icons/$size"
    rsvg-convert --width "$size" --height "$size" --output "$icons/$size/$name.png" "$icons/$name.svg"
    echo "$icons/$size/$name.png"
done
