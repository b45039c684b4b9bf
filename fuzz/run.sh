#!/usr/bin/env bash
# Runs one harness: fuzz/run.sh BUILD_DIR NAME [libFuzzer options ...]
# Seeds come from fuzz/corpus/NAME and from BUILD_DIR/seeds/NAME (fuzz/make-seeds.sh); the
# corpus the run grows is BUILD_DIR/corpus/NAME, and an input that fails lands in
# BUILD_DIR/findings/NAME/. Without options it fuzzes until stopped.
set -euo pipefail

[ $# -ge 2 ] || { echo "usage: $0 BUILD_DIR NAME [libFuzzer options ...]" >&2; exit 2; }
build=$1
name=$2
shift 2
here="$(cd "$(dirname "$0")" && pwd)"

corpus="$build/corpus/$name"
findings="$build/findings/$name"
mkdir -p "$corpus" "$findings"
seeds=()
for dir in "$here/corpus/$name" "$build/seeds/$name"; do
  [ -d "$dir" ] && seeds+=("$dir")
done

symbolizer=/usr/lib/llvm-14/bin/llvm-symbolizer
[ -x "$symbolizer" ] && export ASAN_SYMBOLIZER_PATH=$symbolizer
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}

# Every harness keeps an input's work well under half a second, so an input that takes 5 s is
# a finding: a quadratic path (2,000 equal clip names once took 10 s).
options=(-timeout=5)
case $name in
  # Files are read 64 KiB at a time: an input must be able to span chunks.
  subtitles) options+=(-dict="$here/subtitles.dict" -max_len=140000) ;;
esac

exec "$build/fuzz_$name" "${options[@]}" -artifact_prefix="$findings/" "$@" "$corpus" "${seeds[@]}"
