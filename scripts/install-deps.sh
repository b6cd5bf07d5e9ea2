#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs, when any is missing.
# Runs apt-get as root directly or through sudo.
#   scripts/install-deps.sh           what the build and the tests need
#   scripts/install-deps.sh windows   only the Windows cross build under Wine (scripts/test-windows.sh):
#                                     MinGW-w64, Wine and GoogleTest's sources
set -euo pipefail

PACKAGES=(
    cmake g++ ninja-build ccache clang libclang-rt-14-dev
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev libshp-dev
    qt6-translations-l10n clang-format
    poppler-utils xvfb xauth fonts-liberation2 shared-mime-info xdg-utils libfile-mimeinfo-perl libx11-dev
    locales desktop-file-utils xdg-user-dirs dpkg-dev
    cups cups-client printer-driver-cups-pdf ghostscript libcups2-dev
)

if [ "${1:-}" = windows ]; then
    PACKAGES=(cmake ninja-build ccache g++-mingw-w64-x86-64-posix wine64 googletest)
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi

missing=()
for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    $SUDO apt-get update -qq
    # The print tests start a private CUPS scheduler of their own (scripts/cups-test-server.sh);
    # the packages must not start or configure the system-wide one, whose printers every other
    # test would then see.
    policy=/usr/sbin/policy-rc.d
    added_policy=""
    if [ ! -e "$policy" ]; then
        printf '#!/bin/sh\nexit 101\n' | $SUDO tee "$policy" >/dev/null
        $SUDO chmod +x "$policy"
        added_policy=1
    fi
    status=0
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" || status=$?
    if [ -n "$added_policy" ]; then $SUDO rm -f "$policy"; fi
    [ "$status" -eq 0 ] || exit "$status"
fi

# The tests read and write numbers under the clerks' German locale.
if [ "${1:-}" != windows ] && ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    echo "Generating the locale de_DE.UTF-8"
    $SUDO sed -i 's/^# *\(de_DE\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^de_DE\.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
    $SUDO locale-gen
fi
