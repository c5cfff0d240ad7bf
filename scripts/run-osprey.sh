#!/usr/bin/env bash
# Sets up, builds and starts Osprey with the radio simulator playing a family C radio.
exec "$(dirname "$0")/run-heron.sh" osprey "$@"
