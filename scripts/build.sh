#!/usr/bin/env bash
# Configures (once; again with options given) and builds into build/ with Ninja and ccache.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${TARVEX_BUILD_DIR:-build}"
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
    cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
elif [ "$#" -gt 0 ]; then
    cmake -S . -B "$BUILD_DIR" "$@" >/dev/null  # options given for a build folder there already
fi
cmake --build "$BUILD_DIR" --parallel "$(nproc)"
