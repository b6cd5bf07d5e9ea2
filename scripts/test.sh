#!/usr/bin/env bash
# Installs what is missing, builds and runs every test (core and ui).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/check-format.sh
./scripts/build.sh
BUILD_DIR="${TARVEX_BUILD_DIR:-build}"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$BUILD_DIR" --output-on-failure --parallel "$(nproc)" --timeout 600
