#!/usr/bin/env bash
# Builds the tests and benchmarks with AddressSanitizer and UndefinedBehaviorSanitizer and
# runs the tests. Expects the dependencies to be installed (scripts/install-deps.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVX305_WERROR=ON -DVX305_SANITIZE=ON \
    -DVX305_TESTS=ON -DVX305_BENCH=ON
cmake --build build-asan -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Quiet about the suppressions used: tests read the standard error of the programs they start.
export LSAN_OPTIONS=suppressions="$PWD/scripts/lsan.supp":print_suppressions=0
ctest --test-dir build-asan --output-on-failure -j"$(nproc)"
