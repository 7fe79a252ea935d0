#!/usr/bin/env bash
# Rewrites the expected record of the regression test after an intended change to the simulation
# or the content. Review the diff before committing it.
#
# The record is one game of the default country on seed 2, a seed on which the government wins
# its first election, so all thirty turns are played: default_country_30_turns.digests holds one
# line per turn, "turn N DIGEST", the 64-bit FNV-1a digest of the whole state document
# (marrowgate-sim --digests) after that turn, and default_country_30_turns.json the document after
# the last turn. The test names the first turn whose digest differs; the document shows how.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build" -j "$(nproc)" --target marrowgate-sim
user="$(mktemp -d)"
trap 'rm -rf "$user"' EXIT
record="$root/tests/regression/default_country_30_turns"
"$root/build/src/marrowgate-sim" --data-root "$root" --user-dir "$user" --seed 2 --quiet \
    --digests "$record.digests" --new --turns 30 --json "$record.json"
git -C "$root" diff --stat -- tests/regression
