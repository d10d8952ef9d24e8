#!/bin/sh
# A longer fuzzing run of every target (default 10 minutes each), for the
# figures: executions, time and findings per target.
#   bench/fuzz.sh [SECONDS_PER_TARGET]
set -eu
cd "$(dirname "$0")/.."
./tools/deps.sh
exec tests/fuzz/run.sh "${1:-600}" build/fuzz
