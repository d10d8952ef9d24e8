#!/bin/sh
# Builds the libFuzzer targets with clang and runs each for a bounded time.
#   run.sh SECONDS_PER_TARGET [BUILD_DIR]
# Prints, per target, the executions and what libFuzzer found; fails on a
# finding. Corpora stay in BUILD_DIR/corpus, so later runs go on from them.
set -eu
seconds=$1
build=${2:-build/fuzz}
cd "$(dirname "$0")/../.."
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DBRIGHTLARK_FUZZ=ON >/dev/null
cmake --build "$build" -j "$(nproc)"
status=0
for target in fuzz_find_text fuzz_compose fuzz_szdd; do
    mkdir -p "$build/corpus/$target"
    log="$build/$target.log"
    if "$build/tests/fuzz/$target" -max_total_time="$seconds" -max_len=4096 \
        -artifact_prefix="$build/$target-" "$build/corpus/$target" >"$log" 2>&1; then
        echo "$target: $(grep -E '^Done' "$log"), no findings"
    else
        echo "$target: FINDING"; tail -n 30 "$log"; status=1
    fi
done
exit $status
