# The Debian package, made by `cpack -G DEB` (scripts/package.sh builds it with
# the prefix /usr). The shared libraries the programs link give most of the
# dependencies through dpkg-shlibdeps; what is loaded without being linked
# is named here. The maintainer scripts keep the system registry: postinst
# registers the installed modules and the program in it, postrm removes it.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME thebrainwheel)
set(CPACK_PACKAGE_VERSION 1.7.0)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "multiple-choice quiz game with a French vocabulary course")
set(CPACK_PACKAGE_DESCRIPTION
  "The player picks a quiz and plays it round by round against a countdown, with\n"
  "lives, a progress ladder and two lifelines, and ends with a score in percent.\n"
  "Quizzes come from plug-in quiz books, such as the French vocabulary course in\n"
  "four books that comes with the game, and from enciphered quiz files made with\n"
  "the qizpack tool.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGE_CONTACT "The Brainwheel developers <thebrainwheel@example.org>")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded without being linked, on Debian 12: the X11 platform plug-in and
# the JPEG and GIF readers ship in libqt6gui6, and Qt Multimedia's back-end
# plug-ins in libqt6multimedia6 itself, which the audio plug-in links, so
# shlibdeps finds both. What remains is the font the dialogs are laid out
# for and the Wayland platform plug-in (X11 also serves a Wayland desktop).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
# The build keeps its debugging information; the package does not need it.
set(CPACK_STRIP_FILES ON)

configure_file(${PROJECT_SOURCE_DIR}/packaging/postinst.in ${CMAKE_BINARY_DIR}/packaging/postinst @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/postrm.in ${CMAKE_BINARY_DIR}/packaging/postrm @ONLY)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/packaging/postinst ${CMAKE_BINARY_DIR}/packaging/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)

include(CPack)
