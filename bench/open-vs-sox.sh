#!/usr/bin/env bash
# Times opening a recording in tarn beside `sox FILE -n` (sox reading and decoding every
# sample to nowhere), both from the page cache, interleaved in one run so that the machine's
# noise falls on both; then the peak memory of `tarn-cli peaks` at zoom 1 and 4096.
#
#   bench/open-vs-sox.sh [TARN_CLI [WAV]]
# TARN_CLI defaults to build/release/tarn-cli; WAV to a one-hour 44.1 kHz 16-bit stereo
# recording that sox writes into a temporary folder (removed afterwards).
set -euo pipefail

cli=${1:-build/release/tarn-cli}
wav=${2:-}
runs=${RUNS:-5}

if [ -z "$wav" ]; then
  tmp=$(mktemp -d)
  trap 'rm -rf "$tmp"' EXIT
  wav=$tmp/hour.wav
  echo "writing an hour of sound to $wav" >&2
  sox -n -r 44100 -b 16 -c 2 "$wav" synth 3600 sine 220 sine 330 vol 0.5
fi

# Warm the page cache, so that both read memory and not the disk.
cat "$wav" > /dev/null

# Wall seconds of one run of the command.
seconds() {
  /usr/bin/time -f %e "$@" 2>&1 > /dev/null | tail -1
}

results=()
for _ in $(seq "$runs"); do
  t=$(seconds "$cli" info "$wav")
  s=$(seconds sox "$wav" -n)
  echo "tarn-cli info $t s   sox -n $s s"
  results+=("$t $s")
done
printf '%s\n' "${results[@]}" | awk '{ t += $1; s += $2 }
  END { printf "mean over %d runs: tarn-cli info %.3f s, sox -n %.3f s, ratio %.2f\n",
        NR, t / NR, s / NR, t / s }'

data_bytes=$(( $(stat -c %s "$wav") - 44 ))
for zoom in 1 4096; do
  peak_kb=$(/usr/bin/time -f %M "$cli" peaks "$wav" "$zoom" 1000 2560 2>&1 > /dev/null | tail -1)
  awk -v kb="$peak_kb" -v bytes="$data_bytes" -v zoom="$zoom" 'BEGIN {
    printf "tarn-cli peaks at zoom %d: peak %.0f MB, %.3f x the audio data\n",
           zoom, kb / 1024, kb * 1024 / bytes }'
done
