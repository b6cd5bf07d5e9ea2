#!/usr/bin/env bash
# Builds everything with clang, AddressSanitizer and UndefinedBehaviorSanitizer into build-san/
# (-DTARVEX_SANITIZE=ON) and runs the whole test suite under them. Any report fails the run.
#   scripts/sanitize.sh [extra ctest arguments, e.g. -R ShellTest]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${TARVEX_SANITIZE_BUILD_DIR:-build-san}"
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
    CC=clang CXX=clang++ cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DTARVEX_SANITIZE=ON
fi
cmake --build "$BUILD_DIR" --parallel "$(nproc)"

export QT_QPA_PLATFORM=offscreen
# A report stops the test program, and ctest counts it as failed. LeakSanitizer stays on: Qt and
# fontconfig leave nothing it reports in the offscreen tests; the one run on a real X server
# suppresses libdbus's process-long buffer (tests/lsan-x11.supp). A caller's own options come after
# ours and win.
export ASAN_OPTIONS="abort_on_error=1:detect_stack_use_after_return=1:strict_init_order=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
ctest --test-dir "$BUILD_DIR" --output-on-failure --parallel "$(nproc)" --timeout 1200 "$@"
