#!/usr/bin/env bash
# Pictures of every window and state for a person to look at, at 100% and 200%, kept under
# build/screenshots/: the Qt windows (qt-scale-1, qt-scale-2) from the normal build, and, where
# the Windows program is built, the Win32 windows under Wine (win32-scale-1, win32-scale-2).
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=$root/build/screenshots
status=0
for scale in 1 2; do
  dir=$out/qt-scale-$scale
  rm -rf "$dir"
  (cd build && QT_SCALE_FACTOR=$scale SG_SCREENSHOT_DIR="$dir" ctest -R 'Screenshots\.OfEveryWindow' >/dev/null) ||
    { echo "screenshots: the Qt windows at scale $scale could not be pictured"; status=1; }
done
if [ -x build-windows/tests/win32/test_win32.exe ]; then
  for scale in 1 2; do
    SG_SCREEN=$((1600 * scale))x$((1000 * scale)) SG_SCALE=$scale bash scripts/screenshots-windows.sh "$out/win32-scale-$scale" || status=1
  done
fi
echo "screenshots: $(find "$out" -name '*.png' | wc -l) pictures in $out"
exit $status
