#!/usr/bin/env bash
# Builds the link's reply fuzzer with clang (libFuzzer, AddressSanitizer, UBSan) and runs it.
# Usage: fuzz/run.sh SECONDS   (corpus kept in build/fuzz/corpus)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
out=build/fuzz
mkdir -p "$out/corpus"
clang++ -std=c++20 -O1 -g -I. -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    fuzz/link_replies.cpp link/param_set.cpp link/tables.cpp link/frame.cpp link/link.cpp \
    -o "$out/link_replies"
exec "$out/link_replies" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 "$out/corpus"
