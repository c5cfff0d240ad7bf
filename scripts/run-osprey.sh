#!/usr/bin/env bash
# Sets up, builds and starts Osprey with the radio simulator playing a family C radio.
set -euo pipefail
cd "$(dirname "$0")/.."
# A first band for each of the six models.
exec scripts/run-with-radiosim.sh osprey C '[Frequent]\r\nPL1=400MHz---470MHz\r\nPL2=136MHz---174MHz\r\nPL3=350MHz---390MHz\r\nPL4=420MHz---450MHz\r\nPL5=200MHz---260MHz\r\nPL6=450MHz---512MHz\r\n'
