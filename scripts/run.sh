#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program in the working folder run/, which
# holds the job runner and the two render tools under the names the batch files use.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# A start with nothing changed since the last build skips the build check: no file of the
# sources is newer than the stamp the last build left.
stamp=build/.run-built
if [ -f "$stamp" ] && [ -x build/src_interface/qt/strandvale-g ] &&
   [ -z "$(find CMakeLists.txt cmake src_interface tools -newer "$stamp" -print -quit 2>/dev/null)" ]; then
  echo "Nothing changed since the last build: starting at once."
else
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  # Only what the program needs: the windows, the driver, the job runner and the render tools.
  cmake --build build -j"$(nproc)" --target strandvale-g strandvale-g-script strandvale-g-runner \
    sg_post_processor sg_renderer strandvale-g-demo-world
  touch "$stamp"
fi
mkdir -p run
for tool in build/tools/runner/strandvale-g-runner \
            build/tools/post_processor/strandvale_g_post_processor.exe \
            build/tools/renderer/strandvale_g_renderer.exe; do
  if [ -x "$tool" ]; then cp -f "$tool" run/; fi
done
# On the first start, on a machine without the game's worlds, a demo world to render: it is
# written under run/demo-saves/, and the settings point the program's save folder there.
saves="${HOME:-/root}/.minecraft/saves"
if [ ! -e run/settings.dat ] && ! ls "$saves"/*/level.dat >/dev/null 2>&1; then
  echo "No worlds in $saves: writing a demo world into run/demo-saves/ (see README.md to switch)."
  build/tools/worldgen/strandvale-g-demo-world "run/demo-saves/Demo World"
  printf 'CustomSavePath\r\n%s/run/demo-saves/\r\nSavePathOption\r\ncustom\r\n' "$(pwd)" > run/settings.dat
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: the windows cannot be shown here."
  echo "For a virtual display on Debian, install it (apt-get install xvfb xauth) and start the"
  echo "program inside it:  xvfb-run -a bash scripts/run.sh"
  echo "To drive the windows headless instead, run the example script:"
  echo "  cd run && ../build/src_interface/strandvale-g-script ../examples/ignore-water.script"
  echo "(see \"Driving the windows from a script\" in README.md)."
  exit 0
fi
cd run
exec ../build/src_interface/qt/strandvale-g
