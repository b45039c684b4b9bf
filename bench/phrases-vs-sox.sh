#!/usr/bin/env bash
# Times the phrase scan of an hour (the tarn_bench benchmark BM_DetectPhrasesHour) beside
# `sox FILE -n silence 1 0.3 -40d -1 0.3 -40d`, sox doing the same job, in one run.
#
#   bench/phrases-vs-sox.sh [BUILD_DIR [WAV]]
# BUILD_DIR defaults to build/release; WAV to an hour of speech-like bursts and pauses that
# sox writes into a temporary folder (removed afterwards).
set -euo pipefail

build=${1:-build/release}
wav=${2:-}

if [ -z "$wav" ]; then
  tmp=$(mktemp -d)
  trap 'rm -rf "$tmp"' EXIT
  wav=$tmp/hour.wav
  echo "writing an hour of bursts and pauses to $wav" >&2
  # A tone that comes and goes every 1.6 s, over a quiet noise floor.
  sox -n -r 44100 -b 16 -c 2 "$wav" synth 3600 sine 300 tremolo 0.625 100 \
    synth 3600 whitenoise mix vol 0.5
fi
cat "$wav" > /dev/null

for _ in 1 2 3; do
  TARN_BENCH_WAV="$wav" "$build/tarn_bench" --benchmark_filter=DetectPhrasesHour 2>/dev/null |
    awk '/^BM_DetectPhrasesHour/ { print "tarn scan " $2 " " $3 }'
  /usr/bin/time -f "sox silence %e s" sox "$wav" -n silence 1 0.3 -40d -1 0.3 -40d 2>&1 | tail -1
done
