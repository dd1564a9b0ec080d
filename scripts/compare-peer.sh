#!/usr/bin/env bash
# Puts our isometric maps of the game-saved regions of the npm package next to a public peer
# mapper's pictures of the same regions, at the same scale, in one contact sheet:
# build/peer/peer.png (one row a game version: ours on the left, the peer's on the right).
#
# The peer is built by hand, outside this repository, and named by SG_PEER_MAPPER (a program
# that takes "-from X Z -to X Z -file OUT WORLD", draws isometrically with the north-west corner
# at the top and wants a level.dat with LastPlayed). Nothing of it enters the repository.
# Usage: SG_PEER_MAPPER=/path/to/peer bash scripts/compare-peer.sh [version ...]
set -euo pipefail
cd "$(dirname "$0")/.."
peer=${SG_PEER_MAPPER:-}
if [ -z "$peer" ] || [ ! -x "$peer" ]; then
  echo "compare-peer: skipped: no peer mapper built (set SG_PEER_MAPPER to its program)"
  exit 0
fi
versions=("$@")
[ ${#versions[@]} -gt 0 ] || versions=(1.13.2 1.14.4 1.16 1.19.4)
command -v montage >/dev/null 2>&1 || { echo "compare-peer: skipped: montage (imagemagick) is not installed"; exit 0; }
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target sg_renderer >/dev/null
renderer=$PWD/build/tools/renderer/strandvale_g_renderer.exe
out=$PWD/build/peer
mkdir -p "$out"
fixtures=$out/package/test/fixtures
if [ ! -d "$fixtures" ]; then
  (cd "$out" && timeout 60 npm pack --silent prismarine-provider-anvil@2.13.0 >/dev/null &&
     tar xzf prismarine-provider-anvil-2.13.0.tgz) ||
    { echo "compare-peer: skipped: the npm package of game-saved regions cannot be fetched"; exit 0; }
fi

# A level file with a name and a time last played, for the peer's world check.
level_file() {
  python3 - "$1" <<'PY'
import gzip, struct, sys
def text(t):
    b = t.encode()
    return struct.pack('>H', len(b)) + b
data = (b'\x08' + text('LevelName') + text('peer') + b'\x04' + text('LastPlayed') + struct.pack('>q', 1) +
        b'\x00')
open(sys.argv[1], 'wb').write(gzip.compress(b'\x0a' + text('') + b'\x0a' + text('Data') + data + b'\x00'))
PY
}

tiles=()
for v in "${versions[@]}"; do
  world=$out/worlds/$v
  rm -rf "$world" && mkdir -p "$world/region"
  cp "$fixtures/$v"/*.mca "$world/region/"
  level_file "$world/level.dat"
  region=$(basename "$(ls "$world/region"/*.mca | head -n 1)" .mca)
  rx=$(echo "$region" | cut -d. -f2) rz=$(echo "$region" | cut -d. -f3)
  x0=$((rx * 512)) z0=$((rz * 512))
  (cd "$out" && "$renderer" custom "$world" isometric north cropwhitespace outfile "ours-$v.png" 2>/dev/null)
  "$peer" -from "$x0" "$z0" -to $((x0 + 511)) $((z0 + 511)) -padding 0 -file "$out/peer-$v.png" "$world" \
    >/dev/null 2>&1 || echo "compare-peer: the peer failed on $v"
  convert "$out/peer-$v.png" -trim +repage "$out/peer-$v.png" 2>/dev/null || true
  tiles+=(-label "$v, ours" "$out/ours-$v.png" -label "$v, peer" "$out/peer-$v.png")
done
# The labels in a font the project installs (ImageMagick's own default may be missing).
font=$(fc-match -f '%{file}' 'DejaVu Sans' 2>/dev/null || true)
montage "${tiles[@]}" -tile 2x -geometry '900x900>+8+8' -background '#9a9a9a' ${font:+-font "$font"} -pointsize 14 \
  "$out/peer.png"
echo "$out/peer.png"
