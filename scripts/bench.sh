#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them all in one go, printing one table and then
# the figures that matter next to the anchors they are measured against.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
benches=(bench_liveframe bench_gstcamera bench_trend bench_livewindow bench_recording bench_analysis
    bench_charts bench_toolmodel bench_browser bench_inspection bench_commandline bench_monitor)
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DVX305_BENCH=ON -DVX305_TESTS=OFF > /dev/null
cmake --build build-bench -j"$(nproc)" --target "${benches[@]}" > /dev/null
export QT_QPA_PLATFORM=offscreen

# Every benchmark as one CSV line: the reporter wants the same counters in one run, so each
# family runs on its own. Lines: name,real,cpu,unit,label,counter=value...
results=$(mktemp)
trap 'rm -f "$results"' EXIT
for bench in "${benches[@]}"; do
    families=$(build-bench/bench/$bench --benchmark_list_tests 2>/dev/null | sed 's#/.*##' | sort -u)
    for family in $families; do
        build-bench/bench/$bench --benchmark_filter="^$family(/|\$)" --benchmark_format=csv 2>/dev/null |
            awk -F, 'NR == 1 { for (i = 11; i <= NF; ++i) { gsub(/"/, "", $i); counter[i] = $i }; next }
                $1 !~ /^"?name/ && $3 != "" {
                    gsub(/"/, "", $1); gsub(/"/, "", $8)
                    line = $1 "," $3 "," $4 "," $5 "," $8
                    for (i = 11; i <= NF; ++i) line = line "," counter[i] "=" $i
                    print line }' >> "$results"
    done
done

printf '%-44s %14s %14s  %s\n' benchmark "real time" "cpu time" label
awk -F, '{ printf "%-44s %11.3f %-2s %11.3f %-2s  %s\n", $1, $2, $4, $3, $4, $5 }' "$results"

# value NAME FIELD: a benchmark's cpu or real time in microseconds ("cpu", "real") or one of
# its counters.
value() {
    awk -F, -v name="$1" -v field="$2" '
        BEGIN { scale["ns"] = 0.001; scale["us"] = 1; scale["ms"] = 1000; scale["s"] = 1e6 }
        $1 == name {
            if (field == "cpu") { print $3 * scale[$4]; exit }
            if (field == "real") { print $2 * scale[$4]; exit }
            for (i = 6; i <= NF; ++i) { split($i, kv, "="); if (kv[1] == field) { print kv[2]; exit } } }' "$results"
}
# row LABEL VALUE ANCHOR UNIT: a figure, its anchor and their ratio.
row() {
    awk -v label="$1" -v v="$2" -v a="$3" -v unit="$4" 'BEGIN {
        if (v == "" || a == "" || a == 0) { printf "  %-46s %s\n", label, "n/a"; exit }
        printf "  %-46s %10.2f %-3s vs %10.2f %-3s  ratio %6.2f\n", label, v, unit, a, unit, v / a }'
}

echo
echo "Live frames (cpu time; targets: present / cvtColor <= 1, trend on vs off within 5 %):"
present=$(value BM_Present cpu)
row "present vs cvtColor on the same frame" "$present" "$(value BM_CvtColor cpu)" us
row "present vs a plain copy of the frame" "$present" "$(value BM_CopyFrame cpu)" us
row "AVX2 kernel vs cvtColor" "$(value BM_Convert/avx2 cpu)" "$(value BM_CvtColor cpu)" us
row "portable kernel vs cvtColor" "$(value BM_Convert/portable cpu)" "$(value BM_CvtColor cpu)" us
row "GStreamer pipeline per frame vs present" "$(value BM_GstCameraStream/manual_time cpu_us_per_frame)" "$present" us
row "frame path, Trend page vs History page" \
    "$(value BM_LiveFrame/2/min_time:5.000 frame_us)" "$(value BM_LiveFrame/1/min_time:5.000 frame_us)" us

echo
echo "Live window, picture page, beside a bare widget in the same run (cpu per frame, all threads;"
echo "target: live window <= 1.5 x bare widget):"
row "live window vs bare widget" "$(value BM_PicturePage/0/iterations:4 live_us_per_frame)" \
    "$(value BM_PicturePage/0/iterations:4 bare_us_per_frame)" us
row "live window recording vs bare widget" "$(value BM_PicturePage/1/iterations:4 live_us_per_frame)" \
    "$(value BM_PicturePage/1/iterations:4 bare_us_per_frame)" us
row "recording alone, Golomb-Rice coder, vs range coder" \
    "$(value BM_RecordingSizeRice/iterations:2 cpu_us_per_frame)" "$(value BM_RecordingSize/iterations:2 cpu_us_per_frame)" us
row "recording alone (encoder included) vs bare widget" \
    "$(value BM_RecordingSize/iterations:2 cpu_us_per_frame)" "$(value BM_PicturePage/0/iterations:4 bare_us_per_frame)" us

echo
echo "Recordings (targets: <= 4 GB an hour at 25 frames/s, seeks in an hour <= 200 ms):"
row "size of an hour, noisy scene" "$(value BM_RecordingSize/iterations:2 GB_per_hour)" 4 GB
row "pre-alarm buffer, 10 s" "$(value BM_PreAlarmBuffer10s/iterations:1 MiB)" 1 MiB
row "seek in a finished hour, worst" "$(value BM_SeekOneHour/iterations:20/manual_time worst_ms)" 200 ms
row "seek in an hour cut short (no index), worst" "$(value BM_SeekOneHourCut/iterations:20/manual_time worst_ms)" 200 ms

echo
echo "Picture listing (targets: listing <= 1 s; memory <= 250 MB for 5,000, 400 MB for 20,000):"
for n in 5000 20000; do
    name="BM_Browser/$n/iterations:3/manual_time"
    limit=$([ $n = 5000 ] && echo 250 || echo 400)
    row "$n pictures: time to the listing" "$(value "$name" listing_ms)" 1000 ms
    row "$n pictures: time to all visible thumbnails" "$(value "$name" visible_ms)" 1000 ms
    row "$n pictures: peak memory added" "$(value "$name" peak_MiB)" "$limit" MiB
    row "$n pictures: memory kept after closing" "$(value "$name" after_MiB)" "$limit" MiB
    row "$n pictures: longest pause of the event loop" "$(value "$name" gap_ms)" 1000 ms
done

echo
echo "Analysis window (targets: refreshes while dragging <= 5 ms, 100 reports <= 10 s):"
row "line profile refresh, chart drawn" "$(value BM_ProfileWhileDragging/1 cpu)" 5000 us
row "histogram refresh, chart drawn" "$(value BM_HistogramWhileDragging/1 cpu)" 5000 us
row "reports for 100 pictures (real time)" "$(value BM_BatchReports/iterations:2 real)" 10000000 us

echo
echo "Kept analyses (targets: +20 ms to open with an analysis, lookup <= 5 ms, 50-picture report <= 10 s):"
row "open with a stored analysis vs without" "$(value BM_OpenPicture/1 real)" "$(value BM_OpenPicture/0 real)" us
row "lookup in 100,000 analyses" "$(value BM_StoreLookup real)" 5000 us
row "opening that store (checked once)" "$(value BM_StoreLookup open_ms)" 1000 ms
row "size of that store" "$(value BM_StoreLookup MiB)" 1024 MiB
row "inspection report of 50 pictures (real time)" "$(value BM_InspectionReport/iterations:2 real)" 10000000 us

echo
echo "Command line (the program started once, wall time; targets: each at most 10 s):"
row "export --csv of 1,000 pictures" "$(value BM_ExportCsv/iterations:2/manual_time wall_s)" 10 s
row "info of 20,000 pictures" "$(value BM_Info/iterations:2/manual_time wall_s)" 10 s

echo
echo "Monitoring station at 25 frames/s (the program, CPU of one core over 20 s; target: <= 5 %):"
station() { value "BM_Station/$1/iterations:1/manual_time" "$2"; }
row "pacing source alone (gst-launch-1.0)" "$(station 0 cpu_percent)" 5 %
row "frame path (source included)" "$(station 1 cpu_percent)" 5 %
row "and alarms, alarm folders, readings log" "$(station 2 cpu_percent)" 5 %
row "and MQTT" "$(station 3 cpu_percent)" 5 %
row "and recording (Golomb-Rice)" "$(station 4 cpu_percent)" 5 %
row "and alarm clips" "$(station 5 cpu_percent)" 5 %
row "resident memory with MQTT" "$(station 3 rss_MiB)" "$(station 1 rss_MiB)" MiB
row "resident memory with recording" "$(station 4 rss_MiB)" "$(station 1 rss_MiB)" MiB
row "resident memory with alarm clips" "$(station 5 rss_MiB)" "$(station 1 rss_MiB)" MiB
