#!/usr/bin/env bash
# Sets up, builds and starts Heron with the radio simulator standing in for a radio.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j "$(nproc)" --target heron radiosim

bin="$build/apps/heron"
# A first band list so that channels can be entered at once; an existing file is kept.
if [ ! -f "$bin/Sfc.ini" ]; then
  printf '[Frequent]\r\nPL1=400MHz---470MHz\r\nPL2=136MHz---174MHz\r\n' >"$bin/Sfc.ini"
fi

state="${XDG_STATE_HOME:-$HOME/.local/state}/heron-radiosim"
mkdir -p "$state"
link="$state/radio"
"$build/tools/radiosim/radiosim" --link "$link" --memory "$state/memory.bin" >"$state/radiosim.log" 2>&1 &
sim=$!
trap 'kill $sim 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done

export RADIO_SERIAL_PORTS="$link"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting Heron on a virtual display (xvfb-run)."
  xvfb-run -a -s "-screen 0 1280x1024x24" "$bin/heron"
else
  "$bin/heron"
fi
