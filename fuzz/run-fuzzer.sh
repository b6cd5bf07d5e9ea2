#!/usr/bin/env bash
# Builds the libFuzzer targets with AddressSanitizer and UndefinedBehaviorSanitizer and runs one.
#   fuzz/run-fuzzer.sh TARGET SECONDS [extra libFuzzer flags]
# The corpus grows in build-fuzz/corpus/TARGET; the seeds are the test fixtures of the target's format.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 2 ]; then
    echo "usage: fuzz/run-fuzzer.sh TARGET SECONDS [libFuzzer flags]" >&2
    ls fuzz/*.cpp 2>/dev/null | sed 's#fuzz/\(.*\)\.cpp#  \1#' >&2
    exit 2
fi
TARGET="$1"; SECONDS_TO_RUN="$2"; shift 2
BUILD_DIR=build-fuzz
# fuzzer-no-link instruments the core library too, so that libFuzzer sees the coverage of the
# parsers and not only of the small target files.
FLAGS="-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
if [ ! -f "$BUILD_DIR/build.ninja" ] || ! grep -q "^CMAKE_CXX_FLAGS:STRING=$FLAGS\$" "$BUILD_DIR/CMakeCache.txt"; then
    CC=clang CXX=clang++ cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DTARVEX_BUILD_UI=OFF -DTARVEX_BUILD_TESTS=OFF -DTARVEX_BUILD_FUZZ=ON \
        -DCMAKE_CXX_FLAGS="$FLAGS"
fi
cmake --build "$BUILD_DIR" --target "$TARGET"
CORPUS="$BUILD_DIR/corpus/$TARGET"
mkdir -p "$CORPUS"
SEEDS=()
case "$TARGET" in
    fuzz_aef) SEEDS=(tests/fixtures/aef) ;;
    fuzz_dbase) SEEDS=(tests/fixtures/dbf) ;;
    fuzz_fdv) SEEDS=(tests/fixtures/fdv) ;;
esac
# Seeds of realistic size (255-page documents), made by a script rather than kept in the tree.
LARGE="$BUILD_DIR/seeds-large"
[ -d "$LARGE" ] || python3 fuzz/make-large-seeds.py "$LARGE"
[ -d "$LARGE/$TARGET" ] && SEEDS+=("$LARGE/$TARGET")
# Inputs as large as a 255-page document with short texts in every box (about 3.5 MB); a reader
# may take a small multiple of its input, never a gigabyte. Flags given on the command line win.
"$BUILD_DIR/fuzz/$TARGET" -max_total_time="$SECONDS_TO_RUN" -print_final_stats=1 -max_len=4194304 \
    -rss_limit_mb=1024 "$@" "$CORPUS" "${SEEDS[@]}"
