#!/usr/bin/env bash
# Times decoding a compressed recording into tarn (`tarn-cli import`, which also writes the
# 16-bit WAV and its sidecars) beside `ffmpeg -i FILE -f null -` (decoding every sample to
# nowhere), both from the page cache, interleaved in one run so that the machine's noise
# falls on both. The goal: tarn takes at most 1.5 x what ffmpeg takes.
#
#   bench/import-vs-ffmpeg.sh [TARN_CLI [FILE]]
# TARN_CLI defaults to build/release/tarn-cli; FILE to an hour of 44.1 kHz stereo MP3
# (SECONDS_OF_AUDIO overrides the length) that ffmpeg writes into a temporary folder.
set -euo pipefail

cli=${1:-build/release/tarn-cli}
src=${2:-}
runs=${RUNS:-5}
length=${SECONDS_OF_AUDIO:-3600}

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
if [ -z "$src" ]; then
  src=$tmp/hour.mp3
  echo "writing $length s of MP3 to $src" >&2
  ffmpeg -v error -f lavfi -i "sine=frequency=220:sample_rate=44100:duration=$length" \
    -f lavfi -i "anoisesrc=color=pink:amplitude=0.1:sample_rate=44100:duration=$length" \
    -filter_complex "[0][1]amerge=inputs=2" -c:a libmp3lame -b:a 128k "$src"
fi

# Warm the page cache, so that both read memory and not the disk.
cat "$src" > /dev/null

# Wall seconds of one run of the command.
seconds() {
  /usr/bin/time -f %e "$@" 2>&1 > /dev/null | tail -1
}

results=()
for _ in $(seq "$runs"); do
  t=$(seconds "$cli" import "$src" "$tmp/out.wav")
  f=$(seconds ffmpeg -v error -i "$src" -f null -)
  echo "tarn-cli import $t s   ffmpeg -f null $f s"
  results+=("$t $f")
done
printf '%s\n' "${results[@]}" | awk '{ t += $1; f += $2 }
  END { printf "mean over %d runs: tarn-cli import %.3f s, ffmpeg -f null %.3f s, ratio %.2f (goal <= 1.5)\n",
        NR, t / NR, f / NR, t / f }'
