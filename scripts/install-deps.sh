#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, only those that are missing.
# A fresh Debian 12 machine needs about 1.5 GB of packages; the first run takes a few minutes.
set -euo pipefail
packages=(g++ make cmake pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          qt6-base-dev libpng-dev zlib1g-dev libdeflate-dev liblz4-dev
          fonts-liberation2 fonts-dejavu-core fontconfig dpkg-dev file chromium)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# Chromium opens the zoomable maps' pages in the browser tests.
# The real-world tests fetch their region files with npm, and the build the map viewer's library;
# any npm on the PATH will do.
command -v npm >/dev/null 2>&1 || missing+=(npm)
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
