#!/usr/bin/env bash
# Renders the SVG icon sources in resources/icons into the PNG/ICO files
# under resources/photo that resources.qrc embeds.
# The generated PNGs and the ICO are committed, so building the application
# needs no SVG tools; rerun this only after editing an SVG.
# Needs rsvg-convert (Debian/Ubuntu package librsvg2-bin) and python3.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
src="$here/../icons"
out="$here/../photo"

command -v rsvg-convert >/dev/null ||
    { echo "render-icons: rsvg-convert not found (install librsvg2-bin)" >&2; exit 1; }
mkdir -p "$out"

render() { # svg size png
    rsvg-convert --width "$2" --height "$2" --format png --output "$3" "$1"
}

for svg in "$src"/*.svg; do
    name="$(basename "$svg" .svg)"
    case "$name" in
        VX300) continue ;;                            # only as the ICO below
        vx305) render "$svg" 256 "$out/$name.png" ;; # shown large
        *)     render "$svg" 64 "$out/$name.png" ;;
    esac
done

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
sizes=(16 24 32 48 64 256)
pngs=()
for size in "${sizes[@]}"; do
    render "$src/VX300.svg" "$size" "$tmp/VX300-$size.png"
    pngs+=("$tmp/VX300-$size.png")
done
python3 "$here/make-ico.py" "$out/VX300.ico" "${pngs[@]}"

echo "render-icons: wrote $(ls "$out" | wc -l) files to $out"
