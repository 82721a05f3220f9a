#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UBSan) and runs each for
# SECONDS, or only the one named.
#   link_replies      arbitrary bytes as the regulator's replies to every link operation
#   param_file_open   arbitrary bytes opened as a parameter file
# Usage: fuzz/run.sh SECONDS [TARGET]   (corpora kept in build/fuzz/<target>.corpus)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
only=${2:-}
out=build/fuzz
mkdir -p "$out"
flags=(-std=c++20 -O1 -g -I. -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)

clang++ "${flags[@]}" \
    fuzz/link_replies.cpp link/param_set.cpp link/tables.cpp link/frame.cpp link/link.cpp \
    -o "$out/link_replies"
# Qt is not instrumented; only the program's own code is.
clang++ "${flags[@]}" -fPIC $(pkg-config --cflags Qt6Widgets) \
    fuzz/param_file_open.cpp params/param_file.cpp params/ini_file.cpp params/decimal_text.cpp \
    params/card_table.cpp link/param_set.cpp link/tables.cpp \
    $(pkg-config --libs Qt6Widgets) -o "$out/param_file_open"

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
    "$out/$target" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
        "$out/$target.corpus" ${extra[$target]}
done
