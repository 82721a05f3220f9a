#!/usr/bin/env bash
# Builds the Debian package from a Release build and checks its file list and its declared
# dependencies. Prints the package path on success.
# Usage: packaging/check_package.sh [BUILD_DIR]   (default build/package)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/package}
tools/deps.sh dpkg-dev >/dev/null
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVX52_BENCH=OFF \
      -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build "$build" -j "$(nproc)" --target vx52 vx52-cli vx52-sim >/dev/null
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls -t "$build"/vx52_*_*.deb | head -n 1)
fail=0
files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/bin/vx52 ./usr/bin/vx52-cli ./usr/bin/vx52-sim \
         ./usr/share/applications/vx52.desktop \
         ./usr/share/icons/hicolor/scalable/apps/vx52.svg; do
    grep -qx "$f" <<<"$files" || { echo "missing in package: $f" >&2; fail=1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6core6 libqt6gui6 libqt6widgets6 libqt6serialport6 qt6-qpa-plugins libqt6svg6; do
    grep -qE "(^|, )$d( |,|$)" <<<"$depends" || { echo "missing dependency: $d" >&2; fail=1; }
done
name=$(basename "$deb")
[[ $name =~ ^vx52_[0-9.]+_[a-z0-9]+\.deb$ ]] || { echo "unexpected package name: $name" >&2; fail=1; }
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate packaging/vx52.desktop || fail=1
fi
[ $fail -eq 0 ] || exit 1
echo "$deb"
