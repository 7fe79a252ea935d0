#!/usr/bin/env bash
# Builds the fuzz targets with clang, libFuzzer and the address and undefined-behaviour
# sanitizers into build-fuzz, and runs each for SECONDS (default 60) from its seed corpus in
# tests/fuzz/corpus. New inputs go to build-fuzz/corpus, never into the tree; a crash stops the
# script with the target's report and leaves the input in build-fuzz/crashes.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-60}"
build="$root/build-fuzz"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DMARROWGATE_FUZZ=ON -DMARROWGATE_TESTS=OFF -DMARROWGATE_ASSETS=OFF >/dev/null
targets=(save_reader formula readers script input_replay)
cmake --build "$build" -j "$(nproc)" --target "${targets[@]/#/fuzz_}"
mkdir -p "$build/crashes"
for target in "${targets[@]}"; do
    corpus="$build/corpus/$target"
    mkdir -p "$corpus"
    echo "== fuzz_$target for $seconds s"
    # The log's last lines say how many inputs ran; the program ends non-zero on a finding.
    "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -max_len=65536 -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/crashes/$target-" \
        "$corpus" "$root/tests/fuzz/corpus/$target" 2>"$build/fuzz_$target.log" ||
        { tail -n 60 "$build/fuzz_$target.log"; exit 1; }
    grep -E "stat::number_of_executed_units|stat::new_units_added" "$build/fuzz_$target.log" || true
done
