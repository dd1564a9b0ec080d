#!/usr/bin/env bash
# Packages the Windows program of build-windows (scripts/test-windows.sh builds it): an installer
# made with Debian's makensis, and a portable zip of the same files, both named with the
# project's version, in build-windows/packages/. Installs nsis and zip when missing.
set -euo pipefail
cd "$(dirname "$0")/.."
for p in nsis zip; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || {
    SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends nsis zip >/dev/null
    break
  }
done
bin=build-windows
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$bin/CMakeCache.txt")
[ -n "$version" ] || { echo "package: build the Windows program first (scripts/test-windows.sh)"; exit 1; }
out=$bin/packages
stage=$out/stage
rm -rf "$out" && mkdir -p "$stage"
cp "$bin/src_interface/win32/strandvale-g.exe" "$bin/tools/renderer/strandvale_g_renderer.exe" \
   "$bin/tools/post_processor/strandvale_g_post_processor.exe" "$bin/tools/worldgen/strandvale-g-demo-world.exe" "$stage/"
# The zoomable maps' viewer library and its licence, as the build fetched them: the tools carry
# them inside and copy them into every map's folder; the packages carry them for the player to see.
viewer=$(sed -n 's/^SG_VIEWER_LIBRARY:INTERNAL=//p' "$bin/CMakeCache.txt")
[ -f "$viewer/leaflet.js" ] || { echo "package: the build fetched no map viewer library"; exit 1; }
mkdir -p "$stage/map-viewer"
cp "$viewer/leaflet.js" "$viewer/leaflet.css" "$stage/map-viewer/"
sed 's/$/\r/' "$viewer/LICENSE" > "$stage/map-viewer/LICENSE.txt"
# The README with Windows line ends, readable in Notepad.
sed 's/$/\r/' README.md > "$stage/README.txt"
setup="Strandvale-G-$version-setup.exe"
makensis -V2 -DVERSION="$version" -DSTAGE="$(realpath "$stage")" -DOUTFILE="$(realpath "$out")/$setup" \
  scripts/windows/installer.nsi >/dev/null
portable="Strandvale-G-$version-portable.zip"
(cd "$stage" && zip -q -X "../$portable" strandvale-g.exe strandvale_g_renderer.exe strandvale_g_post_processor.exe \
   strandvale-g-demo-world.exe README.txt map-viewer/leaflet.js map-viewer/leaflet.css map-viewer/LICENSE.txt)
echo "package: $out/$setup ($(stat -c %s "$out/$setup") bytes), $out/$portable ($(stat -c %s "$out/$portable") bytes)"
