#!/usr/bin/env bash
# Times `tarn-cli export-clips` of 500 cues of 4 s from an hour of 720p video with stills and
# a deck package beside the same export without them (goal: at most 1.3 times as long), then
# checks the clips' loudness with ffmpeg's ebur128 filter (goal: each clip of 3 s or more
# within 1 LU of -16 LUFS, true peak at or under -1.5 dBTP) and opens the deck with Python's
# sqlite3 and zipfile (every media file named in its map).
#
#   bench/cards-vs-clips.sh [TARN_CLI [VIDEO]]
# TARN_CLI defaults to build/release/tarn-cli; VIDEO to an hour of a test picture at 5 frames
# a second with a tone that swells and fades, made with ffmpeg in a temporary folder.
set -euo pipefail

cli=${1:-build/release/tarn-cli}
video=${2:-}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

if [ -z "$video" ]; then
  video=$tmp/hour.mp4
  echo "writing an hour of 720p video to $video" >&2
  ffmpeg -loglevel error -f lavfi -i "testsrc2=s=1280x720:r=5:d=3600" \
    -f lavfi -i "sine=f=330:d=3600,volume='0.1+0.4*abs(sin(t/7))':eval=frame" \
    -c:v mpeg4 -q:v 12 -c:a aac -b:a 96k -shortest "$video"
fi
# 500 cues of 4 s, 7.2 s apart, in the video's cue sidecar.
sidecar="${video%.*}.txt"
awk 'BEGIN { for (i = 0; i < 500; i++) { s = int(i * 7.2 * 44100); printf "[%d,%d]\ncue %d\n\n", s, s + 4 * 44100, i + 1 } }' > "$sidecar"

run() { # NAME OPTIONS...
  local name=$1
  shift
  rm -rf "$tmp/$name"
  /usr/bin/time -f "$name %e s" "$cli" export-clips "$video" "$tmp/$name" --format mp3 \
    --loudness -16 "$@" > /dev/null
}
for round in 1 2; do
  run plain 2>&1 | tail -1
  run cards --snapshot --context --apkg "$tmp/cards/deck.apkg" 2>&1 | tail -1
done

echo "loudness of every tenth clip by ffmpeg's ebur128 (target -16 LUFS, true peak <= -1.5 dBTP):"
n=0
while IFS= read -r -d '' clip; do
  n=$((n + 1))
  [ $((n % 10)) -eq 1 ] || continue
  ffmpeg -hide_banner -nostats -i "$clip" -af ebur128=peak=true -f null - 2>&1 |
    awk '/^ *I:/ { i = $2 } /^ *Peak:/ { p = $2 } END { print i, p }'
done < <(find "$tmp/cards" -name '*.mp3' -print0 | sort -z) |
  awk '{ d = $1 + 16; if (d < 0) d = -d; if (d > worst) worst = d; if (n == 0 || $2 > peak) peak = $2; n++ }
       END { printf "  %d clips: farthest %.2f LU from the target, highest true peak %.2f dBTP\n", n, worst, peak }'

python3 - "$tmp/cards/deck.apkg" <<'PY'
import json, sqlite3, sys, tempfile, zipfile, os
path = sys.argv[1]
with zipfile.ZipFile(path) as z, tempfile.TemporaryDirectory() as d:
    names = set(z.namelist())
    media = json.loads(z.read("media"))
    missing = [k for k in media if k not in names]
    z.extract("collection.anki2", d)
    db = sqlite3.connect(os.path.join(d, "collection.anki2"))
    notes = db.execute("select count(*) from notes").fetchone()[0]
    cards = db.execute("select count(*) from cards").fetchone()[0]
    print(f"deck: {notes} notes, {cards} cards, {len(media)} media files, {len(missing)} missing")
PY
