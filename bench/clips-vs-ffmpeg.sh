#!/usr/bin/env bash
# Times exporting study clips as MP3 (`tarn-cli export-clips ... --format mp3`, 500 cues of
# 4 s spread over an hour of 44.1 kHz stereo WAV, no padding, no index) beside one ffmpeg
# process encoding the same 2,000 s of audio with the same settings (libmp3lame, VBR quality
# 2), both from the page cache, interleaved in one run so that the machine's noise falls on
# both. The goal: tarn takes at most 0.6 x what ffmpeg takes (the clips go to both cores).
#
#   bench/clips-vs-ffmpeg.sh [TARN_CLI]
# TARN_CLI defaults to build/release/tarn-cli. CUES overrides the number of cues (the
# recording lasts 7.2 s per cue), RUNS the number of runs.
set -euo pipefail

cli=${1:-build/release/tarn-cli}
runs=${RUNS:-5}
cues=${CUES:-500}
rate=44100
cue_frames=$((4 * rate))
step_frames=$((72 * rate / 10))
length=$((cues * 72 / 10))
encoded=$((cues * 4))

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
src=$tmp/hour.wav
echo "writing $length s of WAV with $cues cues to $src" >&2
ffmpeg -v error -f lavfi -i "sine=frequency=220:sample_rate=$rate:duration=$length" \
  -f lavfi -i "anoisesrc=color=pink:amplitude=0.1:sample_rate=$rate:duration=$length" \
  -filter_complex "[0][1]amerge=inputs=2" -c:a pcm_s16le "$src"
awk -v n="$cues" -v len="$cue_frames" -v step="$step_frames" 'BEGIN {
  for (k = 0; k < n; k++) printf "[%d,%d]\ncue %d\n\n", k * step, k * step + len, k + 1 }' \
  > "$tmp/hour.txt"

# Warm the page cache, so that both read memory and not the disk.
cat "$src" > /dev/null

# Wall seconds of one run of the command.
seconds() {
  /usr/bin/time -f %e "$@" 2>&1 > /dev/null | tail -1
}

results=()
for _ in $(seq "$runs"); do
  rm -rf "$tmp/clips"
  t=$(seconds "$cli" export-clips "$src" "$tmp/clips" --format mp3 --pad-before 0 \
    --pad-after 0 --no-index)
  f=$(seconds ffmpeg -v error -y -i "$src" -t "$encoded" -c:a libmp3lame -q:a 2 "$tmp/out.mp3")
  echo "tarn-cli export-clips $t s   ffmpeg $f s"
  results+=("$t $f")
done
clips=$(find "$tmp/clips" -name '*.mp3' | wc -l)
[ "$clips" -eq "$cues" ] || { echo "expected $cues clips, found $clips" >&2; exit 1; }
printf '%s\n' "${results[@]}" | awk -v s="$encoded" '{ t += $1; f += $2 }
  END { printf "mean over %d runs (%d s of MP3): tarn-cli export-clips %.3f s, ffmpeg %.3f s, ratio %.2f (goal <= 0.6)\n",
        NR, s, t / NR, f / NR, t / f }'
