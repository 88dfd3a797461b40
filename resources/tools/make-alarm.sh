#!/usr/bin/env bash
# Generates the alarm tone: a two-tone siren (880 Hz / 660 Hz, four beeps, 1.6 s) with
# short fades so it does not click. The MP3 is committed, so building needs neither tool.
# Needs: sox, lame.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

for i in 1 2; do
    sox -n -r 44100 -c 1 -b 16 "$tmp/hi$i.wav" synth 0.2 square 880 vol 0.35 fade q 0.01 0.2 0.01
    sox -n -r 44100 -c 1 -b 16 "$tmp/lo$i.wav" synth 0.2 square 660 vol 0.35 fade q 0.01 0.2 0.01
    sox -n -r 44100 -c 1 -b 16 "$tmp/gap$i.wav" trim 0 0.2
done
sox "$tmp/hi1.wav" "$tmp/lo1.wav" "$tmp/hi2.wav" "$tmp/lo2.wav" "$tmp/gap1.wav" \
    "$tmp/hi1.wav" "$tmp/lo1.wav" "$tmp/gap2.wav" "$tmp/tone.wav" lowpass 6000
lame --quiet -b 96 --tt "VX305 alarm" "$tmp/tone.wav" "$here/Sound/Alarm/Alarm.mp3"
