#!/usr/bin/env bash
# Builds VX-52 in Debug with AddressSanitizer and UndefinedBehaviorSanitizer and runs the
# whole test suite offscreen. Exits non-zero on any failure or sanitizer report.
set -euo pipefail
cd "$(dirname "$0")"
tools/deps.sh
build=build/test
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVX52_SANITIZE=ON -DVX52_BENCH=OFF
cmake --build "$build" -j "$(nproc)"
export QT_QPA_PLATFORM=offscreen
log="$build/ctest.log"
set +e
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" 2>&1 | tee "$log"
status=${PIPESTATUS[0]}
set -e
if grep -qE 'ERROR: AddressSanitizer|runtime error:|ERROR: LeakSanitizer' "$log"; then
    echo "test.sh: sanitizer report in the test output" >&2
    exit 1
fi
[ "$status" -eq 0 ] || exit "$status"
# The fuzz targets, 20 s each, where clang is installed: one that does not build or that
# finds a crash fails the run.
if command -v clang++ >/dev/null; then
    if ! fuzz/run.sh 20 > "$build/fuzz.log" 2>&1; then
        tail -n 40 "$build/fuzz.log" >&2
        echo "test.sh: a fuzz target did not build or found a crash (see $build/fuzz.log)" >&2
        exit 1
    fi
    grep -E '^== |stat::number_of_executed_units' "$build/fuzz.log"
fi
exit 0
