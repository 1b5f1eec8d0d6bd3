# ./kit package: the installed tree of cmake/Install.cmake as a Debian package in build/.
# Debian's own triggers (shared-mime-info, desktop-file-utils, hicolor-icon-theme, man-db)
# refresh the MIME, desktop, icon and manual databases when the package's files arrive, so the
# package needs no maintainer scripts.
set(KIT_PACKAGE_MAINTAINER "Kit developers <kit-developers@example.org>"
    CACHE STRING "The Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${KIT_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION 0.1.0)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT ${KIT_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "kit for making and playing Japanese role-playing games")
# CPack puts the summary first and indents these lines as the extended description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "The kit holds the Dunmere engine, which plays tile-map fields driven by
compiled event scripts and turn-based battles on a grid, with MIDI music and
WAV sound effects; Kyrel, a sound-effect designer that renders drawn curves
into WAV files; Pocora, an editor and compiler for the event scripts; Tessel,
a map editor; Rostel, a console character sheet; converters that turn
readable text into the games' pictures, maps, music and data; and a short
sample game in Japanese.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Section devel: the programs live in /usr/bin, not in /usr/games as the games section wants.
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Japanese text needs fonts: IPA Gothic for the Qt windows. The message boxes, which SDL
# draws with the X server's own fonts, want a 12-dot JIS X 0208 X font: Debian's policy lets a
# package only recommend an X font package (a server elsewhere may serve the fonts), so it is
# recommended, and apt installs it by default. The music wants a General MIDI soundfont. The
# windows' own translations are built into the programs; Qt's dialogs (file dialogs, Yes / No)
# take theirs from Qt's translations package.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xfonts-a12k12, timgm6mb-soundfont, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
