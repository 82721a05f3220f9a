#!/usr/bin/env bash
# Brings the English catalogue up to date with the texts in the sources (Czech, the language
# they are written in); new texts come in as unfinished until translated. The build compiles
# the catalogue; the test suite fails while any entry is unfinished.
# Usage: tools/update_translations.sh [TS_FILE]   (default translations/vx52_en.ts)
set -euo pipefail
cd "$(dirname "$0")/.."
ts=${1:-translations/vx52_en.ts}
lupdate=${LUPDATE:-$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)}
# Every folder of the program's sources: all but builds, tests and the other non-sources.
sources=()
for dir in */; do
    case "${dir%/}" in
        build|tests|bench|fuzz|docs|packaging|resources|translations|tools) ;;
        *) sources+=("${dir%/}") ;;
    esac
done
# -I .: the headers are found, so a class in a namespace gets the context tr() uses.
"$lupdate" -I . -locations none -no-obsolete -source-language cs_CZ -target-language en \
    "${sources[@]}" -ts "$ts"
