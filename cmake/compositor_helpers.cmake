# The helpers that tell the program the pointer on Wayland desktops: a KWin
# script (built into the program, which loads it itself, and installed as a
# script package) and a GNOME Shell extension.

set(kwin_script ${CMAKE_SOURCE_DIR}/data/kwin/glimora-pointer/contents/code/main.js)
file(READ ${kwin_script} SCRIPT_TEXT)
set(SCRIPT_SOURCE data/kwin/glimora-pointer/contents/code/main.js)
configure_file(${CMAKE_SOURCE_DIR}/src/platform/gtk/kwin_script.cpp.in
               ${CMAKE_BINARY_DIR}/generated/kwin_script.cpp @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${kwin_script})
target_sources(backend_gtk PRIVATE ${CMAKE_BINARY_DIR}/generated/kwin_script.cpp)

# GNOME Shell 43 and 44 load an extension's entry as a script, 45 and later as a
# module: one entry file cannot serve both, so the installed one matches the
# shell found here (the module form when there is none).
set(GLIMORA_GNOME_SHELL_FORM auto CACHE STRING "Entry of the GNOME Shell extension: auto, 43 (43-44) or 45 (45 and later)")
set(shell_form ${GLIMORA_GNOME_SHELL_FORM})
if(shell_form STREQUAL "auto")
  set(shell_form 45)
  execute_process(COMMAND gnome-shell --version OUTPUT_VARIABLE shell_version ERROR_QUIET)
  if(shell_version MATCHES "GNOME Shell ([0-9]+)" AND CMAKE_MATCH_1 LESS 45)
    set(shell_form 43)
  endif()
endif()
set(extension_source ${CMAKE_SOURCE_DIR}/data/gnome-shell)
set(GLIMORA_EXTENSION_DIR ${CMAKE_BINARY_DIR}/gnome-shell/pointer@glimora.org)
foreach(file metadata.json service.js)
  configure_file(${extension_source}/pointer@glimora.org/${file} ${GLIMORA_EXTENSION_DIR}/${file} COPYONLY)
endforeach()
if(shell_form STREQUAL "43")
  configure_file(${extension_source}/shell-43/extension.js ${GLIMORA_EXTENSION_DIR}/extension.js COPYONLY)
else()
  configure_file(${extension_source}/pointer@glimora.org/extension.js ${GLIMORA_EXTENSION_DIR}/extension.js COPYONLY)
endif()

include(GNUInstallDirs)
install(DIRECTORY ${GLIMORA_EXTENSION_DIR} DESTINATION ${CMAKE_INSTALL_DATADIR}/gnome-shell/extensions)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/kwin/glimora-pointer DESTINATION ${CMAKE_INSTALL_DATADIR}/kwin/scripts)
