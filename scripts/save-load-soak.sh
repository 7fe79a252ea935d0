#!/usr/bin/env bash
# Plays long games under AddressSanitizer and UndefinedBehaviorSanitizer that are saved, loaded and
# played on again and again: by default five seeds, each twenty cycles of a save, a load and ten
# turns, with ten-year terms and up to ten of them so that events, grudges and elections keep
# coming. Too slow for every test run; the test suite plays a short version of the same checks.
#   scripts/save-load-soak.sh [SEEDS [CYCLES [TURNS]]]     e.g. scripts/save-load-soak.sh 1,2 5 10
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seeds="${1:-1,2,3,4,5}"
cycles="${2:-20}"
turns="${3:-10}"
# The sanitizer build draws no assets: it plays with those an optimised build drew into data/.
cmake -S "$root" -B "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DMARROWGATE_SANITIZE=ON \
    -DMARROWGATE_ASSETS=OFF >/dev/null
cmake --build "$root/build-asan" -j "$(nproc)" --target marrowgate-sim
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0" \
    cmake -DSIM="$root/build-asan/src/marrowgate-sim" -DDATA_ROOT="$root" -DWORK="$work" \
    -DSEEDS="$seeds" -DFIRST=0 -DCYCLES="$cycles" -DTURNS="$turns" \
    -P "$root/tests/save_load_play.cmake"
