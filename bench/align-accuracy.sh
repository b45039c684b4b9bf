#!/usr/bin/env bash
# Measures "Align script" beside "Detect phrases" laying the same script, on speech of another
# voice than the aligner's (bench/make-speech-set.sh): the boundaries' errors, the time of each
# stage and the peak memory, on sets at 16 and 44.1 kHz with pauses of 0 to 1.2 s, one
# without pauses, and an hour of 900 sentences (noise 35 dB under the speech in all).
#
#   bench/align-accuracy.sh [BUILD_DIR [SETS_DIR]]
# BUILD_DIR defaults to build/release; the sets are made in SETS_DIR (default: a temporary
# folder, removed afterwards) unless they are there already.
set -euo pipefail

build=${1:-build/release}
sets=${2:-}
if [ -z "$sets" ]; then
  sets=$(mktemp -d)
  trap 'rm -rf "$sets"' EXIT
fi
here=$(dirname "$0")

make_set() { # NAME SENTENCES RATE MIN_PAUSE MAX_PAUSE SEED
  [ -f "$sets/$1/truth.txt" ] || "$here/make-speech-set.sh" "$sets/$1" "$2" "$3" 35 "$4" "$5" "$6"
}
make_set pauses-16k 100 16000 0 1.2 2
make_set pauses-44k 100 44100 0 1.2 4
make_set no-pauses-44k 100 44100 0 0.05 3
make_set hour-44k 900 44100 0 1.2 9

for set in pauses-16k pauses-44k no-pauses-44k hour-44k; do
  echo "== $set"
  "$build/tarn_align_accuracy" "$sets/$set"
done
