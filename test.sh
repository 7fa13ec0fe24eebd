#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/tools/build.sh"
export SDL_VIDEODRIVER=offscreen SDL_RENDER_DRIVER="${SDL_RENDER_DRIVER:-software}"
export SDL_AUDIODRIVER=dummy ALSOFT_DRIVERS=null
ctest --test-dir "$root/build" --output-on-failure -j 2 --timeout 300
