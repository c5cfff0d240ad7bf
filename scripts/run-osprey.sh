#!/usr/bin/env bash
# Sets up, builds and starts Osprey with the radio simulator playing a family C radio.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j "$(nproc)" --target osprey radiosim

bin="$build/apps/osprey"
# A first band for each of the six models; an existing file is kept, whatever the case of its name.
if ! ls "$bin" | grep -qix 'sfc.ini'; then
  printf '[Frequent]\r\nPL1=400MHz---470MHz\r\nPL2=136MHz---174MHz\r\nPL3=350MHz---390MHz\r\nPL4=420MHz---450MHz\r\nPL5=200MHz---260MHz\r\nPL6=450MHz---512MHz\r\n' >"$bin/Sfc.ini"
fi

state="${XDG_STATE_HOME:-$HOME/.local/state}/osprey-radiosim"
mkdir -p "$state"
link="$state/radio"
"$build/tools/radiosim/radiosim" --family C --link "$link" --memory "$state/memory.bin" >"$state/radiosim.log" 2>&1 &
sim=$!
trap 'kill $sim 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done

export RADIO_SERIAL_PORTS="$link"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting Osprey on a virtual display (xvfb-run)."
  xvfb-run -a -s "-screen 0 1280x1024x24" "$bin/osprey"
else
  "$bin/osprey"
fi
