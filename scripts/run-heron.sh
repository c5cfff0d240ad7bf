#!/usr/bin/env bash
# Sets up, builds and starts Heron (or the program named first: heron, pelican, osprey)
# with the radio simulator standing in for a radio of its family. Further
# arguments go to the simulator (e.g. "pelican --model 73" for a group 1 radio).
set -euo pipefail
cd "$(dirname "$0")/.."
program="${1:-heron}"
[ $# -gt 0 ] && shift
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
# A first band list so that channels can be entered at once; an existing
# file is kept, whatever the case of its name.
bands='[Frequent]\r\nPL1=400MHz---470MHz\r\nPL2=136MHz---174MHz\r\n'
[ "$program" = osprey ] && bands="${bands}PL3=350MHz---390MHz\r\nPL4=420MHz---450MHz\r\nPL5=200MHz---260MHz\r\nPL6=450MHz---512MHz\r\n"
if ! ls "$bin" | grep -qix 'sfc.ini'; then
  printf "$bands" >"$bin/Sfc.ini"
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
