#!/usr/bin/env bash
# Cold start of tarvex-import up to its "Neues Dokument erzeugen" dialog, next to a bare Qt Widgets
# window started the same way, under Xvfb without window manager. Prints every run, the medians
# and the ratios. The programs start in turn, so that a busy machine hurts all alike. Two
# yardsticks: the bare window alone (no text, so it never loads a font), and the bare window with
# a small dialog of text over it, which pays for the fonts as tarvex-import does.
#   bench/startup-time.sh [RUNS] [BUILD_DIR]
# Each tarvex-import run gets fresh settings (TARVEX_SETTINGS_DIR), i.e. it is a first start that
# registers the file types; TARVEX_BENCH_KEEP_SETTINGS=1 reuses one folder (later starts).
set -euo pipefail
cd "$(dirname "$0")/.."
RUNS="${1:-15}"
BUILD_DIR="$(realpath "${2:-build}")"
OUT="$BUILD_DIR/bench-startup"
mkdir -p "$OUT"
CXXFLAGS="-O2 -std=c++20 -fPIC"
c++ $CXXFLAGS bench/startup/WaitForWindow.cpp -o "$OUT/WaitForWindow" -lX11
c++ $CXXFLAGS bench/startup/BareQtWindow.cpp -o "$OUT/BareQtWindow" $(pkg-config --cflags --libs Qt6Widgets)

if [ -z "${DISPLAY:-}" ]; then
    # -noreset: no server reset (and refused connections) each time the last client goes.
    exec xvfb-run -a -s '-screen 0 1400x1000x24 -noreset' "$0" "$@"
fi

WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
export QT_QPA_PLATFORM=xcb
median() { sort -n | awk '{a[NR]=$1} END {m=(NR%2)?a[(NR+1)/2]:(a[NR/2]+a[NR/2+1])/2; printf "%.1f", m}'; }

# One start of each to warm the page cache; not counted.
"$OUT/WaitForWindow" "Bare Qt" "$OUT/BareQtWindow" >/dev/null
TARVEX_SETTINGS_DIR="$WORK/warm" "$OUT/WaitForWindow" "Neues Dokument erzeugen" "$BUILD_DIR/ui/tarvex-import" >/dev/null

: >"$WORK/bare"
: >"$WORK/dialog"
: >"$WORK/tarvex"
for i in $(seq "$RUNS"); do
    settings="$WORK/settings-$i"
    [ "${TARVEX_BENCH_KEEP_SETTINGS:-0}" = 1 ] && settings="$WORK/warm"
    b=$("$OUT/WaitForWindow" "Bare Qt" "$OUT/BareQtWindow")
    d=$("$OUT/WaitForWindow" "Bare Qt" "$OUT/BareQtWindow" --dialog)
    t=$(TARVEX_SETTINGS_DIR="$settings" "$OUT/WaitForWindow" "Neues Dokument erzeugen" "$BUILD_DIR/ui/tarvex-import")
    echo "run $i: bare $b ms, bare with dialog $d ms, tarvex-import $t ms"
    echo "$b" >>"$WORK/bare"
    echo "$d" >>"$WORK/dialog"
    echo "$t" >>"$WORK/tarvex"
done
B=$(median <"$WORK/bare")
D=$(median <"$WORK/dialog")
T=$(median <"$WORK/tarvex")
ratio() { awk -v t="$1" -v b="$2" 'BEGIN {printf "%.2f", t/b}'; }
echo "median: bare Qt window $B ms, bare with dialog $D ms, tarvex-import to the New dialog $T ms"
echo "ratio: $(ratio "$T" "$B") to the bare window, $(ratio "$T" "$D") to the bare window with dialog"
