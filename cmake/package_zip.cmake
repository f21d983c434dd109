# The Windows zip: both programs, the bundled skins, a short read-me, the licence
# and the notices of the libraries linked in, in one folder, to unpack anywhere
# and run (`cpack` in the windows preset's build).
install(TARGETS glimora RUNTIME DESTINATION .)
if(TARGET glimora-check)
  install(TARGETS glimora-check RUNTIME DESTINATION .)
endif()
install(DIRECTORY ${CMAKE_SOURCE_DIR}/skins/ DESTINATION skins)
install(FILES ${CMAKE_SOURCE_DIR}/data/windows/README.txt ${CMAKE_SOURCE_DIR}/data/windows/NOTICES.txt DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Glimora)
if(PROJECT_VERSION)
  set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
endif()
set(CPACK_SYSTEM_NAME windows-x64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
include(CPack)

# The setup program, beside the zip, from the same files: Glimora-<version>-setup.exe.
find_program(GLIMORA_MAKENSIS makensis)
if(NOT GLIMORA_MAKENSIS)
  message(FATAL_ERROR "makensis, which makes the setup program, is not installed: scripts/setup windows installs it")
endif()
set(setup ${CMAKE_BINARY_DIR}/Glimora-${PROJECT_VERSION}-setup.exe)
add_custom_command(OUTPUT ${setup}
  COMMAND ${CMAKE_COMMAND} -DBUILD=${CMAKE_BINARY_DIR} -DSOURCE=${CMAKE_SOURCE_DIR} -DVERSION=${PROJECT_VERSION}
          "-DCOPYRIGHT=${GLIMORA_COPYRIGHT}" -DMAKENSIS=${GLIMORA_MAKENSIS} -P ${CMAKE_SOURCE_DIR}/cmake/package_setup.cmake
  DEPENDS glimora glimora-check ${CMAKE_SOURCE_DIR}/cmake/package_setup.cmake ${CMAKE_SOURCE_DIR}/data/windows/setup.nsi
          ${CMAKE_SOURCE_DIR}/data/windows/README.txt ${CMAKE_SOURCE_DIR}/data/windows/NOTICES.txt
          ${CMAKE_SOURCE_DIR}/data/windows/setup.bmp
  COMMENT "Making the setup program" VERBATIM)
add_custom_target(setup ALL DEPENDS ${setup})
