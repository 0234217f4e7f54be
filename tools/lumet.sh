#!/usr/bin/env bash
# Sets Lumet up and opens the laboratory window.
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
build build
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "No display here: opening the window on a virtual display instead (xvfb-run)."
  exec xvfb-run -a -s "-screen 0 1280x800x24" ./build/lumet
fi
exec ./build/lumet
