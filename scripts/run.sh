#!/usr/bin/env bash
# Installs what is missing, builds the program folder and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting Glimmora under xvfb-run (a virtual screen) with openbox."
  exec xvfb-run -a -s "-screen 0 1280x800x24" bash -c 'openbox >/dev/null 2>&1 & exec build/Glimmora/glimmora'
fi
exec build/Glimmora/glimmora
