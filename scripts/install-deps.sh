#!/usr/bin/env bash
# Installs every Debian package the game, its asset generator and its tests need.
# Idempotent: quiet and quick when everything is already there.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ pkg-config clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libsdl2-dev libpng-dev zlib1g-dev libjpeg-dev libfreetype-dev libogg-dev libvorbis-dev
  libgl-dev libegl-dev libgl1-mesa-dri xvfb xauth
  librsvg2-bin sox libsox-fmt-all vorbis-tools python3
  fonts-dejavu-core fonts-kaushanscript fonts-leckerli-one fonts-blankenburg
  fonts-cabinsketch fonts-averia-gwf
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
