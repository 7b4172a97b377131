# The Debian package: `cpack -G DEB` in the build folder makes
# quorbell_<version>_<arch>.deb from the install rules, installed under /usr.

set(QUORBELL_PACKAGE_MAINTAINER "Quorbell developers <packages@quorbell.invalid>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorbell)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Quorbell developers")
set(CPACK_PACKAGE_CONTACT ${QUORBELL_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "photo-album organiser with a thumbnail grid and slideshow")
# Line breaks are kept: the control file's extended description wants short lines.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Quorbell shows photo albums (.sld files) as a scrolling grid of thumbnails"
  "with their comments, lets you cut, copy, paste, add, sort and batch-rename"
  "them, saves the set as a slide file (.cov) and plays the photos full-screen"
  "as a slideshow. The user interface is in Japanese."
  ""
  "The package also holds quorbell-cli, which inspects and makes album and"
  "slide files without a window.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${QUORBELL_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Qt 6 for the windows and image codecs (JPEG and GIF readers ship with
# libqt6gui6, the X11 and Wayland window-system plugins with qt6-qpa-plugins),
# ICU for code page 932, the IPA Gothic font for Japanese text and Qt's
# Japanese translations for its standard buttons and dialogs.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6 (>= 2.34), libstdc++6 (>= 12), libgcc-s1 (>= 3.0), \
libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), \
libqt6concurrent6 (>= 6.4), qt6-qpa-plugins (>= 6.4), libicu72, \
fonts-ipafont-gothic, qt6-translations-l10n")
# The file-type and menu caches are refreshed by these packages' triggers.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils")

include(CPack)
