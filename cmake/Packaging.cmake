# `cpack -G DEB` in the build folder makes the Debian package from the install rules, so the
# package and `cmake --install --prefix DIR` give the same layout below the prefix (/usr for the
# package): bin/tarvex-import, bin/tarvex, share/applications, share/mime/packages,
# share/icons/hicolor, share/tarvex-import/help, share/man/man1.
set(CPACK_PACKAGE_NAME "tarvex-import")
set(CPACK_PACKAGE_VENDOR "KTW")
set(CPACK_PACKAGE_CONTACT "Tarvex-Import")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Zollformulare Einfuhr: Einheitspapier und D.V.1 ausfüllen und drucken")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Tarvex-Import fills in the Single Administrative Document (Einheitspapier) and the customs "
    "value declaration D.V.1 on screen and prints them onto the pre-printed forms.\n"
    "The package holds the desktop program, the command-line tool tarvex, the desktop entry, the "
    "MIME types of .aef and .fdv files, the icons and the help pages.")
set(CPACK_GENERATOR "DEB")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "misc")
# The Qt and C++ libraries the programs link, found by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Arial's metrics for the forms, German texts in Qt's own dialogs, the desktop's file helpers.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2, qt6-translations-l10n, xdg-utils, xdg-user-dirs")
# The MIME, desktop and icon databases are rebuilt by the triggers of shared-mime-info,
# desktop-file-utils and the icon theme; the package needs no scripts of its own.
include(CPack)
