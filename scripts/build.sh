#!/usr/bin/env bash
# Configures and builds the launcher and its tests into ./build.
set -euo pipefail
cd "$(dirname "$0")/.."
# Configure quietly, but show everything CMake said when it fails.
if ! log="$(cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo 2>&1)"; then
    printf '%s\n' "$log" >&2
    exit 1
fi
cmake --build build -j"$(nproc)"
