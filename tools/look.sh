#!/usr/bin/env bash
# Shows the window as a user sees it: the real program on a virtual display,
# resized by the window system, saved as PNG.
#   bash tools/look.sh FILE [WIDTHxHEIGHT] [SCALE]
# SCALE is the screen's scale (1.5 for 150 %); without a size the window
# keeps the size it opens with. Its settings go to a temporary home, never
# the user's own. LUMET_ARGS are given to the program (--lang en, a set-up).
LUMET_LOOK=1 source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
build build
out=$(realpath -m "${1:?usage: look.sh FILE [WIDTHxHEIGHT] [SCALE]}")
size=${2:-}
scale=${3:-1}
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
HOME="$home" LUMET_ARGS="${LUMET_ARGS:-}" QT_SCALE_FACTOR="$scale" xvfb-run -a -s "-screen 0 2560x1600x24" bash -c '
  ./build/lumet $LUMET_ARGS & pid=$!
  sleep 2
  for _ in $(seq 50); do
    window=$(xdotool search --name "^Lumet1R$" | head -1)
    [ -n "$window" ] && break
    sleep 0.2
  done
  [ -n "$window" ] || { echo "look.sh: the window did not open" >&2; kill $pid; exit 1; }
  if [ -n "$1" ]; then xdotool windowsize "$window" "${1%x*}" "${1#*x}"; sleep 1; fi
  import -window "$window" "$2"
  kill $pid' look "$size" "$out"
echo "Written: $out"
