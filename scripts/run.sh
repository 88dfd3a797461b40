#!/usr/bin/env bash
# Installs what is missing, builds the application and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVX305_TESTS=OFF
cmake --build build --target vx305 -j"$(nproc)"
exec ./build/vx305 "$@"
