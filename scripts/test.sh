#!/usr/bin/env bash
# Installs what is missing, checks formatting, then builds and runs every test twice: once in an
# optimised build and once under AddressSanitizer and UndefinedBehaviorSanitizer. Between the two,
# the optimised build is packaged and the package checked. The long run (label "long") runs in the
# optimised build only, and at the end every fuzz target runs for a short while.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
cd "$root"

echo "== format check"
mapfile -t sources < <(git ls-files -co --exclude-standard -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h')
if ((${#sources[@]})); then
    clang-format --dry-run --Werror "${sources[@]}"
fi

echo "== release build and tests"
"$root/scripts/build.sh" build -DCMAKE_BUILD_TYPE=Release
ctest --test-dir build --output-on-failure -j "$(nproc)" -LE long

echo "== the long run: a thousand turns of games back to back on three seeds"
ctest --test-dir build --output-on-failure -L long

echo "== desktop entry, metainfo and the Debian package"
"$root/scripts/check-package.sh" build

echo "== sanitizer build and tests"
# The optimised build has already drawn the assets into data/; the sanitizer build reuses them.
"$root/scripts/build.sh" build-asan -DCMAKE_BUILD_TYPE=Debug -DMARROWGATE_SANITIZE=ON -DMARROWGATE_ASSETS=OFF
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0" \
    ctest --test-dir build-asan --output-on-failure -j "$(nproc)" -LE long

echo "== fuzz targets, briefly"
"$root/scripts/fuzz.sh" "${MARROWGATE_FUZZ_SECONDS:-30}"
