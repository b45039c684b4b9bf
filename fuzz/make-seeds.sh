#!/usr/bin/env bash
# Makes the binary seeds of the harnesses: make-seeds.sh OUT writes OUT/decode (short audio
# files made by ffmpeg, among them streams whose channel count or rate changes midway),
# OUT/phrases (a header and 16-bit stereo frames, as fuzz_phrases reads them) and
# OUT/recovery (records in the layout document/RecoveryRecord.cpp writes). The text seeds
# are kept in fuzz/corpus.
set -euo pipefail

[ $# -eq 1 ] || { echo "usage: $0 OUT" >&2; exit 2; }
mkdir -p "$1"
out=$(cd "$1" && pwd)
mkdir -p "$out/decode" "$out/phrases" "$out/recovery"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A fifth of a second of a tone at rate $1 with $2 channels, encoded by the rest.
tone() {
  local rate=$1 channels=$2 file=$3
  shift 3
  ffmpeg -v error -y -f lavfi -i "sine=frequency=440:sample_rate=$rate:duration=0.2" \
    -ac "$channels" "$@" "$file"
}

cd "$work"
d=$out/decode
tone 8000 2 "$d/stereo.mp3" -c:a libmp3lame -b:a 32k
tone 8000 1 "$d/mono.mp3" -c:a libmp3lame -b:a 16k
tone 48000 6 "$d/surround.ac3" -c:a ac3
tone 8000 2 "$d/float.wav" -c:a pcm_f32le
tone 8000 1 "$d/24bit.flac" -c:a flac -sample_fmt s32
tone 8000 2 "$d/vorbis.ogg" -c:a libvorbis
tone 48000 1 "$d/opus.ogg" -c:a libopus
tone 8000 2 "$d/aac.m4a" -c:a aac
tone 8000 1 "$d/audio.mkv" -c:a pcm_s16le

# Broadcast recordings drop from 5.1 to stereo midway, joined files change channels or rate.
tone 48000 6 a51.ac3 -c:a ac3
tone 48000 2 a20.ac3 -c:a ac3
cat a51.ac3 a20.ac3 > "$d/surround-then-stereo.ac3"
cat a20.ac3 a51.ac3 > "$d/stereo-then-surround.ac3"
tone 44100 2 s.mp3 -c:a libmp3lame -b:a 32k
tone 44100 1 m.mp3 -c:a libmp3lame -b:a 32k
tone 22050 2 r.mp3 -c:a libmp3lame -b:a 32k
cat s.mp3 m.mp3 > "$d/stereo-then-mono.mp3"
cat m.mp3 s.mp3 > "$d/mono-then-stereo.mp3"
cat s.mp3 r.mp3 > "$d/rate-change.mp3"

# The phrase header: threshold byte, minimum silence, minimum phrase and padding in ms as
# 32-bit little-endian values, rate index (0: 8000 Hz), repeat count less one.
byte() {
  printf "\\x$(printf %02x $(($1 & 255)))"
}
le16() {
  byte "$1"
  byte $(($1 >> 8))
}
le32() {
  le16 "$1"
  le16 $(($1 >> 16))
}
phrases() {
  local file=$1 threshold=$2 silence=$3 phrase=$4 pad=$5 repeat=$6 source=$7
  {
    byte "$threshold"
    le32 "$silence"
    le32 "$phrase"
    le32 "$pad"
    printf '\x00'
    byte "$repeat"
    ffmpeg -v error -f lavfi -i "$source" -ac 2 -f s16le -
  } > "$out/phrases/$file"
}
speech='aevalsrc=0.5*sin(2*PI*440*t)*gt(mod(t\,0.7)\,0.35):sample_rate=8000:duration=1.4'
noise='anoisesrc=sample_rate=8000:amplitude=0.01:duration=0.5'
phrases bursts-defaults 80 300 200 50 0 "$speech"
phrases bursts-automatic 255 300 200 50 3 "$speech"
phrases noise-no-silence 80 0 0 0 15 "$noise"

# Recovery records: magic, version, source, size, time, complete, ops, cues, selection.
le64() {
  le32 $(($1 & 0xffffffff))
  le32 $((($1 >> 32) & 0xffffffff))
}
text() {
  local LC_ALL=C
  le32 ${#1}
  printf '%s' "$1"
}
header() {
  printf 'TARNREC\x00'
  le32 1
  text "$1"
  le64 "$2"
  le64 1700000000000
  printf '\x01'
}
r=$out/recovery
{ header '' 0; le32 0; le32 2; le32 0; le32 8000; text 'Hello'
  le32 8000; le32 16000; text $'# a placeholder\nsecond line'; le32 0; le32 100; } > "$r/new-document"
{ header '/home/user/talk.wav' 160044; le32 3
  printf '\x03'; le32 0; le32 0; le32 4; for v in 1000 -1000 32767 -32768; do le16 "$v"; done
  le32 4; for v in 1 2 3 4; do le16 "$v"; done
  printf '\x01'; le32 1; le32 3; le32 11
  printf '\x02'; le32 2; le32 3
  le32 1; le32 0; le32 3; text 'Grüße'; le32 1; le32 2; } > "$r/edited"
