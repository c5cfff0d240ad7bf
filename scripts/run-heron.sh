#!/usr/bin/env bash
# Sets up, builds and starts Heron with the radio simulator standing in for a radio.
set -euo pipefail
cd "$(dirname "$0")/.."
# A first band list so that channels can be entered at once.
exec scripts/run-with-radiosim.sh heron B '[Frequent]\r\nPL1=400MHz---470MHz\r\nPL2=136MHz---174MHz\r\n'
