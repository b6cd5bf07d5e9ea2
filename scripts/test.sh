#!/usr/bin/env bash
# Installs what is missing, builds and runs every test (core and ui).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/check-format.sh
# The benchmarks are built with the tests (and never run by them), so that they keep up with the code.
./scripts/build.sh -DTARVEX_BUILD_BENCH=ON
BUILD_DIR="${TARVEX_BUILD_DIR:-build}"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$BUILD_DIR" --output-on-failure --parallel "$(nproc)" --timeout 600
