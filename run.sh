#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game in a window.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/tools/build.sh"
cd "$root/build/game"
exec ./tarnwick
