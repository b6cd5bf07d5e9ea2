#!/usr/bin/env bash
# Installs the build into a scratch prefix (cmake --install) or unpacks the Debian package made by
# cpack (dpkg -x), then checks the layout, runs the installed tarvex and asks the desktop's MIME
# tools which program opens an SAD file.
# usage: check-install.sh BUILD_DIR install|deb
set -euo pipefail

build=$(cd "$1" && pwd)
mode=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

case "$mode" in
install)
    cmake --install "$build" --prefix "$scratch/usr" >/dev/null
    ;;
deb)
    for tool in cpack dpkg-deb; do
        command -v "$tool" >/dev/null || { echo "$tool is missing: skipped"; exit 77; }
    done
    (cd "$scratch" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/pkg" >/dev/null)
    deb=$(ls "$scratch"/pkg/tarvex-import_*.deb)
    [ "$(dpkg-deb --field "$deb" Package)" = tarvex-import ] || fail "package name"
    [[ "$(dpkg-deb --field "$deb" Depends)" == *libqt6widgets6* ]] || fail "no dependency on Qt widgets"
    dpkg -x "$deb" "$scratch"
    ;;
*)
    echo "usage: check-install.sh BUILD_DIR install|deb" >&2
    exit 2
    ;;
esac

prefix=$scratch/usr
expect=(
    bin/tarvex-import
    bin/tarvex
    share/applications/tarvex-import.desktop
    share/mime/packages/tarvex-import.xml
    share/man/man1/tarvex.1.gz
    share/tarvex-import/help/100.html
)
for size in 16 22 24 32 48 64 128 256; do
    expect+=("share/icons/hicolor/${size}x${size}/apps/tarvex-import.png")
    for type in einheitspapier dv1-dokument; do
        expect+=("share/icons/hicolor/${size}x${size}/mimetypes/application-x-tarvex-$type.png")
    done
done
for f in "${expect[@]}"; do
    [ -s "$prefix/$f" ] || fail "missing $f"
done
[ -x "$prefix/bin/tarvex-import" ] && [ -x "$prefix/bin/tarvex" ] || fail "programs not executable"
# Every help page of the program is there.
pages=$(ls "$(dirname "$0")/../../resources/help/"*.html | wc -l)
[ "$(ls "$prefix/share/tarvex-import/help/"*.html | wc -l)" -eq "$pages" ] || fail "help pages"
# Nothing but the programs' files: no headers, libraries or test programs.
extra=$(cd "$prefix" && find . -type f | grep -v -e '^./bin/tarvex' -e '^./share/' || true)
[ -z "$extra" ] || fail "unexpected files: $extra"

# The MIME package carries the magic of both document kinds.
for magic in KTW-EHForm@ KTW-AEForm@ KTW-DV1Form@; do
    grep -q "value=\"$magic\"" "$prefix/share/mime/packages/tarvex-import.xml" || fail "magic $magic"
done
grep -q '^MimeType=application/x-tarvex-einheitspapier;application/x-tarvex-dv1-dokument;$' \
    "$prefix/share/applications/tarvex-import.desktop" || fail "desktop entry MIME types"
gzip -t "$prefix/share/man/man1/tarvex.1.gz" || fail "man page"

# The installed tool runs from its place.
version=$(env TARVEX_SETTINGS_DIR="$scratch/settings" "$prefix/bin/tarvex" --version)
[[ "$version" == "tarvex "[0-9]* ]] || fail "tarvex --version said '$version'"
echo "$version"

# With the databases built as the packages' triggers build them, the desktop names the program for
# an SAD file and recognises one by its contents.
if command -v xdg-mime >/dev/null && command -v update-mime-database >/dev/null &&
    command -v update-desktop-database >/dev/null; then
    update-mime-database "$prefix/share/mime" >/dev/null 2>&1
    update-desktop-database "$prefix/share/applications" >/dev/null 2>&1
    mkdir -p "$scratch/home"
    xdg() {
        env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u KDE_FULL_SESSION -u GNOME_DESKTOP_SESSION_ID \
            HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config" XDG_CONFIG_DIRS="$scratch/etc" \
            XDG_DATA_HOME="$prefix/share" XDG_DATA_DIRS="$prefix/share" xdg-mime "$@"
    }
    default=$(xdg query default application/x-tarvex-einheitspapier)
    [ "$default" = "tarvex-import.desktop" ] || fail "xdg-mime query default said '$default'"
    echo "xdg-mime query default application/x-tarvex-einheitspapier: $default"
    env TARVEX_SETTINGS_DIR="$scratch/settings" "$prefix/bin/tarvex" new-sad "$scratch/home/ohne Endung" >/dev/null
    type=$(xdg query filetype "$scratch/home/ohne Endung")
    [ "$type" = "application/x-tarvex-einheitspapier" ] || fail "an SAD without extension is '$type'"
else
    echo "xdg-mime or the database tools are missing: desktop query skipped"
fi
echo "layout ok ($mode)"
