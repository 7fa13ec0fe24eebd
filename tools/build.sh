#!/usr/bin/env bash
# Installs the Debian packages the game needs (only those missing), then configures and
# builds into build/. Used by run.sh and test.sh.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
packages=(
  build-essential cmake ninja-build pkg-config
  libsdl2-dev libpng-dev libjpeg62-turbo-dev libfreetype-dev zlib1g-dev libminizip-dev
  libopenal-dev libvorbis-dev libcairo2-dev
  libgtest-dev libbenchmark-dev libgl1-mesa-dri libegl-mesa0
  fonts-sil-gentiumplus
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=()
  if [ "$(id -u)" -ne 0 ]; then sudo=(sudo); fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S "$root" -B "$root/build" -G Ninja "$@" >/dev/null
cmake --build "$root/build" -j 2
