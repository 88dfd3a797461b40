#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang (AddressSanitizer and UndefinedBehaviorSanitizer
# on) and runs each from a seed corpus written by the test fixtures.
# Usage: scripts/fuzz.sh [seconds per harness, default 20]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
VX305_WITH_FUZZ=1 bash scripts/install-deps.sh
clangxx=$(command -v clang++ || command -v clang++-14)
clangc=$(command -v clang || command -v clang-14)
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER="$clangc" \
    -DCMAKE_CXX_COMPILER="$clangxx" -DVX305_FUZZ=ON -DVX305_TESTS=OFF -DVX305_WERROR=ON
cmake --build build-fuzz -j"$(nproc)" --target fuzz_configrecord fuzz_picturefile \
    fuzz_liveframe vx305_fuzz_seeds
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0
corpus=build-fuzz/corpus
rm -rf "$corpus"
build-fuzz/fuzz/vx305_fuzz_seeds "$corpus"
for harness in configrecord picturefile liveframe; do
    echo "== fuzz_$harness for ${seconds}s"
    build-fuzz/fuzz/fuzz_$harness -max_total_time="$seconds" -max_len=400000 \
        -print_final_stats=1 "$corpus/$harness" 2>&1 | tail -4
done
