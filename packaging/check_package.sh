#!/usr/bin/env bash
# Builds the Debian package from a Release build and checks it: its file list, its declared
# dependencies, the desktop entry (desktop-file-validate), the changelog's version and, when
# lintian is installed, lintian (errors fail the check; warnings are shown). Prints the
# package path on success.
# Usage: packaging/check_package.sh [BUILD_DIR]   (default build/package)
# The maintainer is the build's VX52_MAINTAINER; the environment's VX52_MAINTAINER, or else
# DEBFULLNAME and DEBEMAIL, override it.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/package}
tools/deps.sh dpkg-dev desktop-file-utils >/dev/null
maintainer=(-UVX52_MAINTAINER) # the build's default
if [ -n "${VX52_MAINTAINER:-}" ]; then
    maintainer=(-DVX52_MAINTAINER="$VX52_MAINTAINER")
elif [ -n "${DEBEMAIL:-}" ]; then
    maintainer=(-DVX52_MAINTAINER="${DEBFULLNAME:-$DEBEMAIL} <$DEBEMAIL>")
fi
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVX52_BENCH=OFF \
      -DCMAKE_INSTALL_PREFIX=/usr "${maintainer[@]}" >/dev/null
cmake --build "$build" -j "$(nproc)" --target vx52 vx52-cli vx52-sim vx52-man vx52-changelog >/dev/null
rm -f "$build"/vx52_*_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls -t "$build"/vx52_*_*.deb | head -n 1)
fail=0
files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/bin/vx52 ./usr/bin/vx52-cli ./usr/bin/vx52-sim \
         ./usr/share/applications/vx52.desktop \
         ./usr/share/icons/hicolor/scalable/apps/vx52.svg \
         ./usr/share/man/man1/vx52.1.gz ./usr/share/man/man1/vx52-cli.1.gz \
         ./usr/share/man/man1/vx52-sim.1.gz \
         ./usr/share/doc/vx52/copyright ./usr/share/doc/vx52/changelog.gz; do
    grep -qx "$f" <<<"$files" || { echo "missing in package: $f" >&2; fail=1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6core6 libqt6gui6 libqt6widgets6 libqt6serialport6 libqt6svg6 qt6-translations-l10n \
         fonts-dejavu-extra; do
    grep -qE "(^|, )$d( |,|$)" <<<"$depends" || { echo "missing dependency: $d" >&2; fail=1; }
done
name=$(basename "$deb")
[[ $name =~ ^vx52_[0-9.]+_[a-z0-9]+\.deb$ ]] || { echo "unexpected package name: $name" >&2; fail=1; }
version=$(dpkg-deb -f "$deb" Version)
newest=$(head -n 1 packaging/changelog | sed -n 's/^vx52 (\([^)]*\)).*/\1/p')
[ "$newest" = "$version" ] ||
    { echo "packaging/changelog: newest entry is '$newest', the package is $version" >&2; fail=1; }
desktop-file-validate packaging/vx52.desktop >&2 || fail=1
if command -v lintian >/dev/null; then
    lintian --fail-on error --tag-display-limit 0 "$deb" >&2 || { echo "lintian: errors" >&2; fail=1; }
else
    echo "lintian not installed: package not checked by it (apt-get install lintian)" >&2
fi
[ $fail -eq 0 ] || exit 1
echo "$deb"
