#!/usr/bin/env bash
# Pictures of every window of the Windows program as a Windows user sees them: the window test
# program runs under Wine, in a Wine desktop on Xvfb (so that Wine draws the title bars and
# frames), and writes one PNG per window and state into build-windows/screenshots/ (or the
# folder given). SG_SCALE=2 takes them at 200% (192 dpi) instead of 100%. Needs the Windows
# build of scripts/test-windows.sh.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=$(realpath -m "${1:-build-windows/screenshots}")
for p in xvfb xauth; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
    { apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends xvfb xauth >/dev/null; break; }
done
export WINEPREFIX=${WINEPREFIX:-$root/build-windows/wine-prefix} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -x build-windows/tests/win32/test_win32.exe ] || { echo "screenshots: build the Windows program first (scripts/test-windows.sh)"; exit 1; }
rm -rf "$out" && mkdir -p "$out"
dpi() { wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1; wineserver -k 2>/dev/null; wineserver -w 2>/dev/null; }
scale=${SG_SCALE:-1}
((scale == 1)) || dpi $((96 * scale))
work=$(mktemp -d)
(cd "$work" && SG_SCREENSHOT_DIR="$(printf 'Z:%s' "$out" | tr '/' '\\')" timeout 300 xvfb-run -a -s "-screen 0 ${SG_SCREEN:-1600x1000}x24" \
   wine explorer /desktop=strandvale,${SG_SCREEN:-1600x1000} "$root/build-windows/tests/win32/test_win32.exe" \
   --gtest_filter='Win32Screenshots.*' > "$out/run.log" 2>&1)
rm -rf "$work"
((scale == 1)) || dpi 96
count=$(find "$out" -name '*.png' | wc -l)
echo "screenshots: $count pictures in $out"
((count > 0))
