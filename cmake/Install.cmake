# What `cmake --install` puts where (GNUInstallDirs): the programs in bin/,
# the platform library, its audio plug-in and the two component modules in a
# private folder lib/<multiarch>/thebrainwheel/, the desktop entries, the
# quiz file type and the icons under share/. Tests, benchmarks, the gallery
# and the fuzzers stay in the build.
set(BRAINWHEEL_INSTALL_PRIVATEDIR ${CMAKE_INSTALL_LIBDIR}/thebrainwheel)
set(BRAINWHEEL_INSTALLED_PRIVATE ${CMAKE_INSTALL_FULL_LIBDIR}/thebrainwheel)
set(BRAINWHEEL_SYSTEM_REGISTRY ${CMAKE_INSTALL_FULL_LOCALSTATEDIR}/lib/thebrainwheel/registry.reg)

# The programs find the platform library through their own location, so the
# installed tree can move as a whole; the modules sit beside it and keep the
# global $ORIGIN.
file(RELATIVE_PATH brainwheel_bin_to_private ${CMAKE_INSTALL_FULL_BINDIR} ${BRAINWHEEL_INSTALLED_PRIVATE})
set_target_properties(thebrainwheel regsvr qizpack PROPERTIES
  INSTALL_RPATH "$ORIGIN/${brainwheel_bin_to_private}")

# The game's hint for registering the console names the installed module.
target_compile_definitions(brainwheel_shell PRIVATE
  BRAINWHEEL_MODULES_FROM_BIN="${brainwheel_bin_to_private}")

install(TARGETS thebrainwheel regsvr RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# PlaySound loads the audio plug-in from the platform library's own folder.
install(TARGETS brainwheel_platform brainwheel_audio Playdeck Wordcrate
  LIBRARY DESTINATION ${BRAINWHEEL_INSTALL_PRIVATEDIR})

# Where Debian looks for a package's licence and notices.
install(FILES NOTICE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/thebrainwheel RENAME copyright)
install(FILES desktop/thebrainwheel.desktop desktop/thebrainwheel-french.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES desktop/thebrainwheel.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
foreach(size 16 22 24 32 48 64 128 256)
  set(icons ${PROJECT_SOURCE_DIR}/shell/resources/icons/hicolor/${size}x${size})
  install(FILES ${icons}/thebrainwheel.png ${icons}/thebrainwheel-french.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  # The quiz file type shows the program's icon under its MIME icon name.
  install(FILES ${icons}/thebrainwheel.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/mimetypes
    RENAME application-x-thebrainwheel-qiz.png)
endforeach()

# An install straight into the configured prefix registers the modules and
# the program in the system registry that the installed programs read, as
# the package's maintainer scripts do.
install(CODE "
  set(BRAINWHEEL_CONFIGURED_PREFIX \"${CMAKE_INSTALL_PREFIX}\")
  set(BRAINWHEEL_INSTALLED_BIN \"${CMAKE_INSTALL_FULL_BINDIR}\")
  set(BRAINWHEEL_INSTALLED_PRIVATE \"${BRAINWHEEL_INSTALLED_PRIVATE}\")
  set(BRAINWHEEL_SYSTEM_REGISTRY \"${BRAINWHEEL_SYSTEM_REGISTRY}\")")
install(SCRIPT cmake/RegisterInstalled.cmake)
