#!/usr/bin/env bash
# Starts the editor; without a display it runs under a virtual X server.
set -eu
exe="$1"; shift || true
if [ -z "${DISPLAY:-}" ]; then
  echo "No DISPLAY is set: starting Vocabrix under xvfb-run."
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$exe" "$@"
fi
exec "$exe" "$@"
