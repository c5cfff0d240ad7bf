#!/usr/bin/env bash
# Usage: scripts/run-with-radiosim.sh PROGRAM FAMILY SETTINGS
# Sets up, builds and starts PROGRAM with the radio simulator playing a radio
# of FAMILY. SETTINGS is a first "Sfc.ini" for the program's folder; a file
# already there, whatever the case of its name, is kept.
set -euo pipefail
cd "$(dirname "$0")/.."
program=$1 family=$2 settings=$3
scripts/setup.sh

build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j "$(nproc)" --target "$program" radiosim

bin="$build/apps/$program"
if ! ls "$bin" | grep -qix 'sfc.ini'; then
  printf '%b' "$settings" >"$bin/Sfc.ini"
fi

state="${XDG_STATE_HOME:-$HOME/.local/state}/$program-radiosim"
mkdir -p "$state"
link="$state/radio"
"$build/tools/radiosim/radiosim" --family "$family" --link "$link" --memory "$state/memory.bin" >"$state/radiosim.log" 2>&1 &
sim=$!
trap 'kill $sim 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done

export RADIO_SERIAL_PORTS="$link"
name="${program^}"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting $name on a virtual display (xvfb-run)."
  xvfb-run -a -s "-screen 0 1280x1024x24" "$bin/$program"
else
  "$bin/$program"
fi
