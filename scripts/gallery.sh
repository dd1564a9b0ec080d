#!/usr/bin/env bash
# Renders the demo world in every style and orientation, and a few options besides, into one
# contact sheet: build/gallery/gallery.png (one row a style, one column an orientation). The
# last rows show forests around a lake, and the sea cut open, in every projected style.
# Usage: bash scripts/gallery.sh [chunks across, default 6]
set -euo pipefail
cd "$(dirname "$0")/.."
size=${1:-6}
command -v montage >/dev/null 2>&1 || {
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends imagemagick fonts-dejavu-core; }
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target sg_renderer strandvale-g-demo-world >/dev/null
out=build/gallery
rm -rf "$out" && mkdir -p "$out"
build/tools/worldgen/strandvale-g-demo-world "$out/world" --chunks "$size" "$size" >/dev/null
renderer=$PWD/build/tools/renderer/strandvale_g_renderer.exe
top=$PWD
cd "$out"
# The gallery keeps its own render cache, and leaves the user's alone.
export SG_RENDER_CACHE=$PWD/render-cache
tiles=()
for style in normal heightmapcolor heightmapgray lightmap oblique obliqueangled isometric; do
  for up in north east south west; do
    "$renderer" custom world "$style" "$up" outfile "$style-$up.png"
    tiles+=(-label "$style $up" "$style-$up.png")
  done
done
for extra in "night" "cave" "cave night" "ignorewater" "fool_xray" "wooloscopy" "granularity 6" \
             "isometric night" "isometric fool_cake" "isometric onlylayers 3 60 61 62" "oblique fool_upsidedown" \
             "nether" "isometric nether" "isometric fool_cake south" "isometric cave" "oblique cave"; do
  name=$(echo "$extra" | tr ' ' '_')
  # shellcheck disable=SC2086
  "$renderer" custom world $extra outfile "x-$name.png"
  tiles+=(-label "$extra" "x-$name.png")
done
# Forests around a lake, and the sea cut open, in every projected style: from a larger world.
"$top/build/tools/worldgen/strandvale-g-demo-world" large --chunks 32 32 >/dev/null
for style in oblique obliqueangled isometric; do
  "$renderer" custom large "$style" rectangle 2 13 -3 8 outfile "lake-$style.png"
  "$renderer" custom large "$style" fool_cake rectangle -16 -7 -12 -1 outfile "sea-$style.png"
  tiles+=(-label "$style, forest and lake" "lake-$style.png" -label "$style fool_cake, the sea" "sea-$style.png")
done
montage "${tiles[@]}" -tile 4x -geometry '256x256>+6+6' -background '#9a9a9a' -font DejaVu-Sans -pointsize 11 gallery.png
echo "$out/gallery.png"
