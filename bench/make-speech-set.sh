#!/usr/bin/env bash
# Makes a set for measuring how well a script is laid onto speech it was not synthesised
# from: sentences spoken by flite's "slt" voice, each trimmed to its sound, with pauses drawn
# between MIN_PAUSE and MAX_PAUSE seconds, 4 s of a chord before the speech and 3 s of
# silence after it (TAIL=speaker: a sentence of another voice, "awb", not in the script), and
# white noise NOISE_DB under the speech's RMS level over everything; 16-bit stereo at RATE.
#
#   bench/make-speech-set.sh OUT_DIR [SENTENCES [RATE [NOISE_DB [MIN_PAUSE MAX_PAUSE [SEED]]]]]
# Writes OUT_DIR/speech.wav, OUT_DIR/speech.txt (the script: paragraphs that a load of the
# WAV turns into placeholder cues) and OUT_DIR/truth.txt (each sentence's first and last
# frame of sound, one line each).
set -euo pipefail

out=${1:?usage: make-speech-set.sh OUT_DIR [SENTENCES [RATE [NOISE_DB [MIN MAX [SEED]]]]]}
count=${2:-24}
rate=${3:-44100}
noise_db=${4:-35}
min_pause=${5:-0}
max_pause=${6:-1.2}
seed=${7:-1}
voice_rate=16000

mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Sentences of 6 to 16 common words, the same ones for the same seed.
awk -v n="$count" -v seed="$seed" 'BEGIN {
  split("the people water little house morning evening river mountain teacher student " \
        "garden window letter number country question answer family friend market city " \
        "travel music story paper table market kitchen doctor summer winter forest " \
        "quickly slowly always never often brought carried opened closed listened " \
        "remember believe understand finish begin follow important different simple " \
        "beautiful careful early later another between under around behind before " \
        "after because while during without across toward several every nothing " \
        "something everyone children minutes hours yesterday tomorrow station train", w, " ");
  nw = length(w); srand(seed);
  for (s = 1; s <= n; s++) {
    len = 6 + int(rand() * 11); line = "";
    for (k = 1; k <= len; k++) line = line (k > 1 ? " " : "") w[1 + int(rand() * nw)];
    print toupper(substr(line, 1, 1)) substr(line, 2) ".";
  }
}' > "$work/sentences"

frames() { soxi -s "$1"; }

# Speech: each sentence trimmed to its sound, a pause after it.
: > "$work/truth16"
: > "$work/parts"
at=0
k=0
while IFS= read -r sentence; do
  k=$((k + 1))
  flite -voice slt -t "$sentence" -o "$work/raw.wav"
  sox "$work/raw.wav" -r $voice_rate -c 1 "$work/s$k.wav" \
    silence 1 0.005 0.5% reverse silence 1 0.005 0.5% reverse
  length=$(frames "$work/s$k.wav")
  echo "$at $((at + length))" >> "$work/truth16"
  echo "$work/s$k.wav" >> "$work/parts"
  pause=$(awk -v a="$min_pause" -v b="$max_pause" -v s="$seed" -v k="$k" \
    'BEGIN { srand(s * 1000 + k); printf "%d", (a + rand() * (b - a)) * 16000 }')
  sox -r $voice_rate -c 1 -n -b 16 "$work/p$k.wav" trim 0 "${pause}s"
  echo "$work/p$k.wav" >> "$work/parts"
  at=$((at + length + pause))
done < "$work/sentences"
mapfile -t parts < "$work/parts"
sox "${parts[@]}" "$work/speech.wav"

# A chord before; silence or another voice after.
lead=$((4 * voice_rate))
sox -n -r $voice_rate -c 1 -b 16 "$work/lead.wav" synth 4 pluck C3 pluck E3 pluck G3 \
  pluck C4 repeat 1 trim 0 4 vol 0.3
if [ "${TAIL:-}" = speaker ]; then
  flite -voice awb -t "Thank you all for listening, and see you again next week." \
    -o "$work/tail.raw.wav"
  sox "$work/tail.raw.wav" -r $voice_rate -c 1 "$work/tail.wav"
else
  sox -r $voice_rate -c 1 -n -b 16 "$work/tail.wav" trim 0 3
fi
sox "$work/lead.wav" "$work/speech.wav" "$work/tail.wav" "$work/clean.wav"

# Noise NOISE_DB under the speech's RMS level.
rms=$(sox "$work/speech.wav" -n stat 2>&1 | awk '/RMS +amplitude/ { print $3 }')
noise=$(awk -v r="$rms" -v d="$noise_db" 'BEGIN { printf "%.8f", r * 10 ^ (-d / 20) * 1.7320508 }')
seconds=$(awk -v f="$(frames "$work/clean.wav")" -v r=$voice_rate 'BEGIN { printf "%.6f", f / r }')
sox -n -r $voice_rate -c 1 -b 16 "$work/noise.wav" synth "$seconds" whitenoise vol "$noise"
sox -m "$work/clean.wav" "$work/noise.wav" -r "$rate" -c 2 -b 16 "$out/speech.wav"

awk -v lead=$lead -v r="$rate" -v v=$voice_rate \
  '{ printf "%d %d\n", ($1 + lead) * r / v, ($2 + lead) * r / v }' "$work/truth16" > "$out/truth.txt"
awk '{ print; print "" }' "$work/sentences" > "$out/speech.txt"
echo "wrote $count sentences to $out/speech.wav ($(soxi -d "$out/speech.wav"))" >&2
