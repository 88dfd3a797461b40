#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them all, printing one table and then the
# figures that matter as ratios next to the anchors they are measured against.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DVX305_BENCH=ON -DVX305_TESTS=OFF > /dev/null
cmake --build build-bench -j"$(nproc)" --target bench_liveframe bench_analysis bench_toolmodel bench_browser \
    bench_charts bench_gstcamera > /dev/null
export QT_QPA_PLATFORM=offscreen

# One line per benchmark: name, real time and cpu time in microseconds.
results=$(mktemp)
trap 'rm -f "$results"' EXIT
for bench in bench_liveframe bench_analysis bench_toolmodel bench_browser bench_charts bench_gstcamera; do
    build-bench/bench/$bench --benchmark_format=csv 2>/dev/null |
        awk -F, 'BEGIN { scale["ns"] = 0.001; scale["us"] = 1; scale["ms"] = 1000; scale["s"] = 1e6 }
            NR > 1 && $1 !~ /^"?name/ && $3 != "" {
                gsub(/"/, "", $1); gsub(/"/, "", $5)
                printf "%s %.3f %.3f\n", $1, $3 * scale[$5], $4 * scale[$5] }' >> "$results"
done

printf '%-36s %14s %14s\n' benchmark "real time" "cpu time"
awk '{ printf "%-36s %11.1f us %11.1f us\n", $1, $2, $3 }' "$results"

# ratio LABEL BENCHMARK ANCHOR: the benchmark's cpu time over the anchor's, both shown. Cpu
# time, since on a shared machine the wall clock also counts other processes' turns.
ratio() {
    awk -v label="$1" -v name="$2" -v anchor="$3" '
        $1 == name { value = $3 } $1 == anchor { base = $3 }
        END {
            if (value == "" || base == "" || base == 0) { printf "%-36s %8s\n", label, "n/a"; exit }
            printf "%-36s %8.2f   (%.1f us / %.1f us)\n", label, value / base, value, base }' "$results"
}

echo
echo "Live frame conversion (cpu time; the target is present / cvtColor <= 1):"
ratio "present / cvtColor" BM_Present BM_CvtColor
ratio "present / copy of the frame" BM_Present BM_CopyFrame
ratio "AVX2 kernel / cvtColor" BM_Convert/avx2 BM_CvtColor
ratio "portable kernel / cvtColor" BM_Convert/portable BM_CvtColor

echo
echo "Picture listing, 5,000 and 20,000 pictures (time to listing, time to all visible"
echo "thumbnails, peak memory):"
# The browser's listing figures go here, each next to its anchor (ratio LABEL NAME ANCHOR
# for one benchmark against another of the table above).
echo "  not measured yet"
