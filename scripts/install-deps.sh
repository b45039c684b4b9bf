#!/usr/bin/env bash
# Installs every Debian 12 package that building, testing and benchmarking tarn needs
# (sox and time are the reference and the meter of bench/open-vs-sox.sh; qt6-tools-dev holds
# the CMake functions that run lrelease, qt6-l10n-tools lrelease and lupdate themselves;
# espeak-ng speaks a script for the alignment, flite speaks the tests' and benchmarks' speech
# in another voice, librubberband-dev plays slower or faster with the pitch kept,
# libebur128-dev measures the loudness of clips, libzip-dev and libqt6sql6-sqlite write
# flashcard decks, python3 reads a deck back in bench/cards-vs-clips.sh).
# With "fuzz", also clang 14 with its sanitizer and libFuzzer runtimes and llvm-symbolizer,
# which `make fuzz` builds and runs the harnesses with.
# Runs as root directly, otherwise through sudo. Installs only what is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-multimedia-dev libqt6svg6 fonts-wqy-microhei
  qt6-tools-dev qt6-l10n-tools
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  pulseaudio pulseaudio-utils
  sox time
  libavformat-dev libavcodec-dev libswresample-dev libswscale-dev libavutil-dev ffmpeg
  libespeak-ng-dev espeak-ng-data libfftw3-dev flite
  librubberband-dev libebur128-dev
  libzip-dev libqt6sql6-sqlite python3
)
if [ "${1:-}" = fuzz ]; then
  packages+=(clang-14 libclang-rt-14-dev llvm-14)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1; then
  sudo=(sudo)
else
  echo "install-deps: need root or sudo to install: ${missing[*]}" >&2
  exit 1
fi

echo "install-deps: installing ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
