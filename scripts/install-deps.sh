#!/usr/bin/env bash
# Installs the Debian 12 packages needed to build, run and test the application.
# Only packages that are missing are installed.
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    qtbase5-dev qtbase5-dev-tools qttools5-dev qttools5-dev-tools qtmultimedia5-dev libqt5charts5-dev
    libqt5multimedia5-plugins libqt5svg5 libqt5sql5-sqlite
    libopencv-core-dev libopencv-imgproc-dev
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad gstreamer1.0-libav
    libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev
    libtiff-dev libmosquitto-dev libssl-dev
    libbenchmark-dev
    xvfb xauth poppler-utils mosquitto mosquitto-clients openssl gstreamer1.0-tools
)
if [ "${VX305_WITH_FUZZ:-0}" = 1 ]; then
    packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    apt-get install -y --no-install-recommends "${missing[@]}"
fi
