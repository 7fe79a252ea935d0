#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game from the source tree.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" build -DCMAKE_BUILD_TYPE=Release
exec "$root/build/src/marrowgate" --data-root "$root" "$@"
