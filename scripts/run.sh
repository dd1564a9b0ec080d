#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program in the working folder run/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
mkdir -p run
if [ -x build/src_interface/qt/strandvale-g ]; then
  cd run && exec ../build/src_interface/qt/strandvale-g
elif [ -x build/src_interface/strandvale-g-script ]; then
  cd run && echo "start" | exec ../build/src_interface/strandvale-g-script
else
  echo "Built; no program to start yet."
fi
