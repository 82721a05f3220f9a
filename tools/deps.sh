#!/usr/bin/env bash
# Makes sure the Debian packages the build needs are present. As root it installs what is
# missing with apt-get; otherwise it prints the exact command and fails.
# Usage: tools/deps.sh [extra-package...]
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-serialport-dev qt6-svg-dev
          qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n qt6-tools-dev qt6-l10n-tools
          fonts-dejavu-core fonts-dejavu-extra
          help2man libmosquitto-dev mosquitto mosquitto-clients openssl clang libclang-rt-14-dev "$@")
missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0
cmd="apt-get install -y --no-install-recommends ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq || true
    $cmd
else
    echo "Missing packages: ${missing[*]}" >&2
    echo "Run as root:  sudo $cmd" >&2
    exit 1
fi
