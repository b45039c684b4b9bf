#!/usr/bin/env bash
# Refreshes translations/tarn_en.ts from the program's sources: texts added since come in
# unfinished, the translations made so far stay, texts gone from the sources are kept as
# vanished. Without line numbers, so the file changes only when the texts do. tarn-cli (cli/)
# is left out: it always prints the source texts. Extra arguments go to lupdate
# (e.g. -no-obsolete to drop the vanished texts).
set -euo pipefail

cd "$(dirname "$0")/.."
lupdate=${LUPDATE:-/usr/lib/qt6/bin/lupdate}

"$lupdate" -locations none -extensions cpp,h -target-language en -I . "$@" \
  actions app audio base commands document geometry media qtaudio recording subtitles view \
  -ts translations/tarn_en.ts
