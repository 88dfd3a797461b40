#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them all, printing one table.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DVX305_BENCH=ON -DVX305_TESTS=OFF > /dev/null
cmake --build build-bench -j"$(nproc)" --target bench_liveframe bench_analysis bench_toolmodel bench_browser bench_charts
export QT_QPA_PLATFORM=offscreen
printf '%-36s %14s %14s\n' benchmark "real time" "cpu time"
for bench in bench_liveframe bench_analysis bench_toolmodel bench_browser bench_charts; do
    build-bench/bench/$bench --benchmark_format=csv 2>/dev/null |
        awk -F, 'NR > 1 && $1 !~ /^"?name/ {
            gsub(/"/, "", $1); gsub(/"/, "", $5)
            printf "%-36s %11.1f %-2s %11.1f %-2s\n", $1, $3, $5, $4, $5 }'
done
