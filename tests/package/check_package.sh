#!/usr/bin/env bash
# Builds the Debian package from the build folder given and checks what it installs and declares.
set -euo pipefail
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$out" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >cpack.log 2>&1) || {
  cat "$out/cpack.log"; exit 1; }
deb=$(ls "$out"/strandvale-g_*.deb)
files=$(dpkg-deb -c "$deb" | awk '{print $NF}')
fail=0
for want in ./usr/bin/strandvale-g ./usr/bin/strandvale-g-script ./usr/bin/strandvale-g-launch \
            ./usr/libexec/strandvale-g/strandvale-g-runner \
            ./usr/libexec/strandvale-g/strandvale_g_renderer.exe \
            ./usr/libexec/strandvale-g/strandvale_g_post_processor.exe \
            ./usr/share/applications/strandvale-g.desktop \
            ./usr/share/icons/hicolor/scalable/apps/strandvale-g.svg; do
  grep -qx "$want" <<<"$files" || { echo "missing from the package: $want"; fail=1; }
done
if grep -E '^\./usr/bin/.*\.exe$' <<<"$files"; then echo "tools named .exe in the command path"; fail=1; fi
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for want in libqt6widgets6 libpng16-16 libdeflate0 liblz4-1 fonts-liberation2; do
  grep -q "$want" <<<"$depends" || { echo "not declared: $want"; fail=1; }
done
[ "$(dpkg-deb -f "$deb" Package)" = strandvale-g ] || { echo "package name"; fail=1; }
exit $fail
