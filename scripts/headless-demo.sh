#!/usr/bin/env bash
# What tarn does with the demo recording, without a display: its format and cues, then
# every cue exported as its own numbered clip with its text.
set -euo pipefail
cli=$1
wav=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

echo "== tarn-cli info $wav"
"$cli" info "$wav"
echo
echo "== tarn-cli export $wav $out/1.wav --single"
"$cli" export "$wav" "$out/1.wav" --single
for text in "$out"/*.txt; do
  clip=${text%.txt}.wav
  printf '%s (%s bytes): %s\n' "$(basename "$clip")" "$(stat -c %s "$clip")" \
    "$(tail -c +4 "$text" | tr -s '\r\n' ' ')"
done
