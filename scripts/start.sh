#!/usr/bin/env bash
# Installs what is missing, builds and starts the program; arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh
exec "${TARVEX_BUILD_DIR:-build}/ui/tarvex-import" "$@"
