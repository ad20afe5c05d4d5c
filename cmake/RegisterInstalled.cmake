# Run by `cmake --install` after the files are in place: registers the two
# component modules and the program itself in the system registry, with the
# variables BRAINWHEEL_CONFIGURED_PREFIX, BRAINWHEEL_INSTALLED_BIN,
# BRAINWHEEL_INSTALLED_PRIVATE and BRAINWHEEL_SYSTEM_REGISTRY set by
# Install.cmake. A staged install (DESTDIR, or another prefix such as CPack's
# staging folder) registers nothing: the paths would name files that are not
# where the programs will run, and the package's postinst does it instead.
if(NOT "$ENV{DESTDIR}" STREQUAL "" OR NOT CMAKE_INSTALL_PREFIX STREQUAL BRAINWHEEL_CONFIGURED_PREFIX)
  message(STATUS "Staged install: nothing registered in ${BRAINWHEEL_SYSTEM_REGISTRY}")
  return()
endif()

message(STATUS "Registering in ${BRAINWHEEL_SYSTEM_REGISTRY}")
set(env ${CMAKE_COMMAND} -E env BRAINWHEEL_REGISTRY=${BRAINWHEEL_SYSTEM_REGISTRY} QT_QPA_PLATFORM=offscreen)
foreach(module Playdeck.so Wordcrate.so)
  execute_process(COMMAND ${env} ${BRAINWHEEL_INSTALLED_BIN}/regsvr -s ${BRAINWHEEL_INSTALLED_PRIVATE}/${module}
    RESULT_VARIABLE failed)
  if(failed)
    message(WARNING "Could not register ${module} in ${BRAINWHEEL_SYSTEM_REGISTRY}")
  endif()
endforeach()
execute_process(COMMAND ${env} ${BRAINWHEEL_INSTALLED_BIN}/thebrainwheel /Regserver RESULT_VARIABLE failed)
if(failed)
  message(WARNING "Could not register thebrainwheel in ${BRAINWHEEL_SYSTEM_REGISTRY}")
endif()
