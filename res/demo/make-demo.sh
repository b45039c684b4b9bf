#!/usr/bin/env bash
# Regenerates demo.wav: synthetic speech, 22050 Hz 16-bit stereo, the right
# channel a little quieter so that the two waveforms differ.
# Needs espeak-ng and sox (apt-get install espeak-ng sox).
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
text="Welcome to tarn. This is a short demo recording. \
Select a few words with the left mouse button, then press play. \
Cut, copy and paste the audio, or raise and lower its volume. \
Add a subtitle over the selection, and save it. \
Every cue can be exported as its own numbered clip."
espeak-ng -v en-us -s 160 -w "$tmp/voice.wav" "$text"
sox "$tmp/voice.wav" -r 22050 -b 16 "$tmp/left.wav" pad 0.5 0.5
sox "$tmp/left.wav" "$tmp/right.wav" vol 0.6
sox -M "$tmp/left.wav" "$tmp/right.wav" -b 16 demo.wav
sox --i demo.wav
