#!/usr/bin/env bash
# Installs the Debian packages the player needs to build, run and test.
# Idempotent: when everything is present it does nothing and needs no network.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev lld
  libsdl2-dev libfreetype-dev libfontconfig-dev fonts-ipafont-gothic fonts-ipafont-mincho
  libvorbis-dev libfluidsynth-dev timgm6mb-soundfont
  vorbis-tools fluidsynth openttd-openmsx
  libpng-dev libjpeg-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang-format
  xvfb xauth
  imagemagick
  sox
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
