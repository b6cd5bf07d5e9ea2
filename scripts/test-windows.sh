#!/usr/bin/env bash
# Builds the core and its GoogleTest suite for 64-bit Windows with MinGW-w64 into build-win/ and
# runs them under Wine: the Windows branches of the file code (share modes, LockFileEx, UTF-16
# paths) run on every test run, although no Windows machine is at hand.
#   scripts/test-windows.sh [extra arguments for the test program, e.g. --gtest_filter=AtomicFile*]
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh windows

BUILD_DIR="${TARVEX_WINDOWS_BUILD_DIR:-build-win}"
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
    cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DTARVEX_CORE_ONLY=ON \
        -DTARVEX_GTEST_SOURCE_DIR=/usr/src/googletest
fi
cmake --build "$BUILD_DIR" --parallel "$(nproc)"

WINE="$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)"
# A private Wine installation, no window: console programs need no display, and the Mono and
# Gecko installers Wine would offer are turned off.
export WINEPREFIX="$(realpath "$BUILD_DIR")/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$WINE" wineboot --init >/dev/null 2>&1
fi

log="$BUILD_DIR/core-tests.log"
set +e
"$WINE" "$BUILD_DIR/tests/tarvex_core_tests.exe" "$@" 2>&1 | tr -d '\r' | tee "$log"
status=${PIPESTATUS[0]}
set -e
# The Wine server of the private prefix ends with the last program in it.
"$(command -v wineserver || echo /usr/lib/wine/wineserver)" -w 2>/dev/null || true

# The figures of the run in one line: tests that ran and passed, failed, and did not apply here
# (each says why above, under "Skipped").
count() { sed -n "s/^\[  $1 *\] \([0-9]*\) tests\?.*/\1/p" "$log" | head -n 1; }
passed=$(count PASSED)
failed=$(count FAILED)
skipped=$(count SKIPPED)
echo "windows: ${passed:-0} passed, ${failed:-0} failed, ${skipped:-0} skipped"
if [ "$status" -ne 0 ] || [ -z "$passed" ]; then
    exit 1
fi
