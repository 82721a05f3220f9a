#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UBSan) in build/fuzz and
# runs each for SECONDS, or only the one named. Fails when a target does not build or a run
# finds a crash.
#   link_replies      arbitrary bytes as the regulator's replies to every link operation
#   param_file_open   arbitrary bytes opened as a parameter file
# Usage: fuzz/run.sh SECONDS [TARGET]   (corpora kept in build/fuzz/<target>.corpus)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
only=${2:-}
out=build/fuzz
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
    -DVX52_FUZZ=ON -DVX52_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$out" -j "$(nproc)" --target fuzz_link_replies fuzz_param_file_open

# The parameter file target starts from the saved files of the tests, with the file's names.
declare -A extra=(
    [link_replies]=""
    [param_file_open]="-dict=fuzz/param_file.dict tests/paramfile/golden"
)
for target in link_replies param_file_open; do
    [[ -n "$only" && "$only" != "$target" ]] && continue
    mkdir -p "$out/$target.corpus"
    echo "== $target, $seconds s"
    # shellcheck disable=SC2086
    QT_QPA_PLATFORM=offscreen \
        "$out/fuzz/fuzz_$target" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
        "$out/$target.corpus" ${extra[$target]}
done
