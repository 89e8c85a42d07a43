# Packages made by CPack from what `cmake --install` puts in place. On Debian
# and its derivatives `cpack -G DEB` in the build folder makes
# vozaz2_<version>_<arch>.deb; the dependencies are read off the programs by
# dpkg-shlibdeps (package dpkg-dev).
set(VOZAZ2_MAINTAINER "Vozaz2 maintainers <maintainers@vozaz2.example.org>" CACHE STRING
    "The packages' maintainer, as Name <address>")

set(CPACK_PACKAGE_NAME vozaz2)
set(CPACK_PACKAGE_VENDOR "The Vozaz2 developers")
set(CPACK_PACKAGE_CONTACT ${VOZAZ2_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "conical pendulum and the conservation of angular momentum")
set(CPACK_PACKAGE_DESCRIPTION_FILE ${PROJECT_SOURCE_DIR}/docs/debian/description)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_INSTALL_DIRECTORY vozaz2)
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/")

# Debian: installed under /usr, the usual file name, the fields of the control file.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beside the libraries that dpkg-shlibdeps reads off the programs: Qt's
# translations, which the window loads by name for its dialogs in Russian.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-translations-l10n)
# The lab report's font (the window's ships with the program); without it
# the report takes whatever font with Cyrillic letters the system has.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-dejavu-core)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

include(CPack)
