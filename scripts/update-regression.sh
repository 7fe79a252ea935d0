#!/usr/bin/env bash
# Rewrites the expected state document of the regression test after an intended change to the
# simulation or the content. Review the diff before committing it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build" -j "$(nproc)" --target marrowgate-sim
user="$(mktemp -d)"
trap 'rm -rf "$user"' EXIT
"$root/build/src/marrowgate-sim" --data-root "$root" --user-dir "$user" --seed 2026 --quiet \
    --new --turns 30 --json "$root/tests/regression/default_country_30_turns.json"
git -C "$root" diff --stat -- tests/regression
