#!/usr/bin/env bash
# Usage: scripts/run.sh PROGRAM [simulator options]
# Sets up, builds and starts PROGRAM (heron, pelican or osprey) with the radio
# simulator standing in for a radio of its family. Further arguments go to the
# simulator (e.g. "pelican --model 73" for a group 1 radio).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -eq 0 ]; then
  echo "usage: $0 PROGRAM [simulator options]  (PROGRAM: heron, pelican or osprey)" >&2
  exit 2
fi
program=$1
shift
case "$program" in
  heron) family=B ;;
  pelican) family=A ;;
  osprey) family=C ;;
  *) echo "unknown program: $program (heron, pelican or osprey)" >&2; exit 2 ;;
esac
scripts/setup.sh

build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j "$(nproc)" --target "$program" radiosim

bin="$build/apps/$program"
# The installed default bands, so that channels can be entered at once; an
# existing file is kept, whatever the case of its name.
if ! ls "$bin" | grep -qix 'sfc.ini'; then
  cp dist/Sfc.ini "$bin/Sfc.ini"
fi

state="${XDG_STATE_HOME:-$HOME/.local/state}/$program-radiosim"
mkdir -p "$state"
link="$state/radio"
"$build/tools/radiosim/radiosim" --family "$family" --link "$link" --memory "$state/memory.bin" "$@" \
  >"$state/radiosim.log" 2>&1 &
sim=$!
trap 'kill $sim 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done

export RADIO_SERIAL_PORTS="$link"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting $program on a virtual display (xvfb-run)."
  xvfb-run -a -s "-screen 0 1280x1024x24" "$bin/$program"
else
  "$bin/$program"
fi
