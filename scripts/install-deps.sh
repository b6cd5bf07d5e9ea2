#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs, when any is missing.
# Runs apt-get as root directly or through sudo.
set -euo pipefail

PACKAGES=(
    cmake g++ ninja-build ccache clang libclang-rt-14-dev
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev libshp-dev
    qt6-translations-l10n
    poppler-utils xvfb xauth fonts-liberation2 shared-mime-info xdg-utils libfile-mimeinfo-perl libx11-dev
)

missing=()
for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
