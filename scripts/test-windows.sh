#!/usr/bin/env bash
# The Windows program, built with MinGW-w64 and proven under Wine: installs what is missing,
# builds the core, the script driver, the render tools and every test that needs no Qt in
# build-windows, then runs under Wine (on an Xvfb screen) every test program, the window tests
# again at 150% and 200%, every scenario script, and a job that Wine's command processor runs
# from Render to the final image; then packages the installer and the portable zip and proves
# them under Wine from install to picture to uninstall.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
missing=()
for p in g++-mingw-w64-x86-64-posix mingw-w64-tools libz-mingw-w64-dev wine64 wine googletest dpkg-dev xvfb xauth file locales \
         nsis zip unzip; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  $SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null || { echo "windows: cannot install ${missing[*]}"; exit 1; }
fi

# LZ4 has no MinGW package: the renderer compiles Debian's own lz4 sources, fetched once as a
# source package. The sources come from wherever the machine's own apt gets its packages: its
# entries are copied as source entries into lists of this script's own (the machine's apt setup
# is left as it is).
lz4=build-windows-deps/lz4
if [ ! -f "$lz4/lib/lz4.c" ]; then
  deps=$root/build-windows-deps
  rm -rf "$deps/sources.list.d" && mkdir -p "$deps/lists/partial" "$deps/download" "$deps/sources.list.d"
  : > "$deps/sources.list"
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && sed 's/^Types:.*/Types: deb-src/' "$f" > "$deps/sources.list.d/$(basename "$f")"
  done
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] && sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$f" >> "$deps/sources.list"
  done
  apt_opts=(-qq -o "Dir::Etc::SourceList=$deps/sources.list" -o "Dir::Etc::SourceParts=$deps/sources.list.d"
            -o "Dir::State::Lists=$deps/lists")
  (cd "$deps/download" && apt-get "${apt_opts[@]}" update && apt-get "${apt_opts[@]}" source --download-only lz4) \
    >/dev/null 2>&1 || { echo "windows: cannot fetch the lz4 sources"; exit 1; }
  mkdir -p "$lz4" && tar xzf "$deps"/download/lz4_*.orig.tar.gz -C "$lz4" --strip-components=1 || exit 1
fi

export WINEPREFIX=$root/build-windows/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

echo "== windows build: configuring and building in build-windows"
cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSG_LZ4_SOURCE="$root/$lz4/lib" >/dev/null || { echo "windows: configuring failed"; exit 1; }
cmake --build build-windows -j"$(nproc)" >/dev/null || { cmake --build build-windows 2>&1 | grep -E "error" | head -20;
  echo "windows: the build failed"; exit 1; }

# Every program needs only the system's DLLs.
status=0
for exe in build-windows/src_interface/win32/strandvale-g.exe build-windows/src_interface/strandvale-g-script.exe \
           build-windows/tools/renderer/strandvale_g_renderer.exe \
           build-windows/tools/post_processor/strandvale_g_post_processor.exe; do
  extra=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' |
          grep -viE '^(kernel32|user32|gdi32|advapi32|ole32|oleaut32|shell32|comctl32|comdlg32|windowscodecs|msvcrt|ws2_32|api-ms-win-.*)\.dll$')
  if [ -n "$extra" ]; then echo "windows: $exe needs $extra"; status=1; fi
done

# One quiet Wine prefix for the run, made before anything runs under Wine.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || { echo "windows: Wine would not start"; exit 1; }
  # The new prefix is complete once the server that made it has ended.
  wineserver -w 2>/dev/null
fi

# Wine's X11 driver lets no window manager handle its windows: there is none on the Xvfb screen,
# and a managed window that is hidden waits two seconds for one to answer. (Tried three times:
# a fresh prefix has been seen to refuse the first.)
managed=0
for try in 1 2 3; do
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 && { managed=1; break; }
  wineserver -k 2>/dev/null; sleep 2
done
((managed)) || { echo "windows: cannot set up the Wine prefix"; exit 1; }

# A Wine server started without a screen would give the window tests a desktop without one.
wineserver -k 2>/dev/null; wineserver -w 2>/dev/null

echo "== windows build: running the tests under Wine"
# The window tests need a display: the whole run gets one Xvfb screen. Wine has been seen to end
# a test program at once, before its first line, where the same program passes on the next
# start: a program that fails is run once more, and the run names it.
log=build-windows/ctest-summary.log
(cd build-windows && xvfb-run -a -s "-screen 0 1600x1200x24" ctest --output-on-failure -j"$(nproc)" \
   --repeat until-pass:2) | tee "$log"
((PIPESTATUS[0] == 0)) || status=1
second=$(grep -F '***Failed' "$log" | sed -E 's/.*Test +#[0-9]+: ([^ ]+).*/\1/' | sort -u | tr '\n' ' ')
[ -n "$second" ] && echo "windows: failed once under Wine and were run again: $second"

echo "== windows build: the window layouts at 150% and 200%"
dpi() { wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1; wineserver -k; }
for scale in 144:150 192:200; do
  dpi "${scale%%:*}"
  out=$(cd build-windows && xvfb-run -a -s "-screen 0 3000x2000x24" wine tests/win32/test_win32.exe \
        --gtest_filter='Win32Windows.*' 2>&1)
  plain=$(tr -d '\r' <<<"$out")
  if grep -q '^\[  PASSED  \] [0-9]* tests' <<<"$plain" && ! grep -q '^\[  FAILED  \]' <<<"$plain"; then
    echo "windows layouts at ${scale#*:}%: tidy"
  else
    echo "windows layouts at ${scale#*:}%: FAILED"; grep -E 'Failure|does not|overlaps|cut by' <<<"$out" | head -20; status=1
  fi
done
dpi 96
wineserver -w 2>/dev/null

echo "== windows build: a job from Render to the final image through Wine's command processor"
bash scripts/windows-job.sh || status=1
wineserver -k 2>/dev/null || true

echo "== windows build: pictures of every window at 100% and 200%"
for scale in 1 2; do
  SG_SCREEN=$((1600 * scale))x$((1000 * scale)) SG_SCALE=$scale bash scripts/screenshots-windows.sh "build/screenshots/win32-scale-$scale" ||
    echo "windows: the windows at scale $scale could not be pictured"
done
wineserver -k 2>/dev/null || true

echo "== windows build: the installer and the portable zip, from install to picture to uninstall"
{ bash scripts/package-windows.sh && bash scripts/windows-install.sh; } || status=1
wineserver -k 2>/dev/null || true
exit $status
