#!/usr/bin/env bash
# Runs a command with a sound server to play to: the one already running, or a PulseAudio
# daemon with a null sink that this script starts and stops again afterwards. With a server
# it sets TARN_REQUIRE_AUDIO=1, so that the sound test runs instead of skipping.
set -uo pipefail

server_up() { pactl info >/dev/null 2>&1; }

started=0
if ! server_up && command -v pulseaudio >/dev/null 2>&1; then
  pulseaudio -D --exit-idle-time=-1 -n \
    --load="module-null-sink sink_name=null" --load=module-native-protocol-unix 2>/dev/null
  for _ in $(seq 50); do
    server_up && break
    sleep 0.1
  done
  server_up && started=1
fi

if server_up; then
  export TARN_REQUIRE_AUDIO=1
elif [ "${CI:-}" = true ]; then
  echo "with-sound-server: could not start a sound server" >&2
  exit 1
else
  echo "with-sound-server: no sound server; the sound test will be skipped" >&2
fi

"$@"
status=$?
[ "$started" = 1 ] && pulseaudio --kill
exit "$status"
