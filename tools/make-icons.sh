#!/bin/bash
# Makes the menu icons in packaging/icons/ from the viewer's own start-up
# picture, docs/default-view.png: the square around the board, scaled to
# each size. The PNG files carry no time or name, so running this again
# gives the same bytes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/deps.sh"
ensure_packages imagemagick
for size in 16 32 48 64 128 256; do
  out="$root/packaging/icons/${size}x${size}/marblechess.png"
  mkdir -p "$(dirname "$out")"
  convert "$root/docs/default-view.png" -crop 480x480+60+70 +repage -filter Lanczos \
    -resize "${size}x${size}" -strip -define png:exclude-chunks=date,time "$out"
done
echo "icons: $(ls "$root"/packaging/icons/*/marblechess.png | wc -l) sizes in packaging/icons/"
