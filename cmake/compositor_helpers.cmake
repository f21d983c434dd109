# The helpers that tell the program the pointer on Wayland desktops: a KWin
# script (built into the program, which loads it itself, and installed as a
# script package) and a GNOME Shell extension.

set(kwin_script ${CMAKE_SOURCE_DIR}/data/kwin/glimora-pointer/contents/code/main.js)
file(READ ${kwin_script} SCRIPT_TEXT)
set(SCRIPT_SOURCE data/kwin/glimora-pointer/contents/code/main.js)
configure_file(${CMAKE_SOURCE_DIR}/win32_on_linux/wayland_pointer/kwin_script.cpp.in
               ${CMAKE_BINARY_DIR}/generated/kwin_script.cpp @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${kwin_script})
target_sources(backend_gtk PRIVATE ${CMAKE_BINARY_DIR}/generated/kwin_script.cpp)

# GNOME Shell 43 and 44 load an extension's entry as a script, 45 and later as a
# module: one entry file cannot serve both, so the installed one matches the
# GNOME of this machine: the shell installed, else the one its Debian release
# offers (a package is built where gnome-shell is not installed), else the
# module form. Its metadata lists only the versions that form loads in.
set(GLIMORA_GNOME_SHELL_FORM auto CACHE STRING "Entry of the GNOME Shell extension: auto, 43 (43-44) or 45 (45 and later)")
set(shell_form ${GLIMORA_GNOME_SHELL_FORM})
if(shell_form STREQUAL "auto")
  set(shell_form 45)
  execute_process(COMMAND gnome-shell --version OUTPUT_VARIABLE shell_version ERROR_QUIET)
  if(NOT shell_version MATCHES "GNOME Shell ([0-9]+)")
    execute_process(COMMAND apt-cache show --no-all-versions gnome-shell OUTPUT_VARIABLE shell_version ERROR_QUIET)
    string(REGEX MATCH "\nVersion: ([0-9]+)" shell_version "\n${shell_version}")
  endif()
  if(CMAKE_MATCH_1 AND CMAKE_MATCH_1 LESS 45)
    set(shell_form 43)
  endif()
endif()
set(extension_source ${CMAKE_SOURCE_DIR}/data/gnome-shell)
set(GLIMORA_EXTENSION_DIR ${CMAKE_BINARY_DIR}/gnome-shell/pointer@glimora.org)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${extension_source}/pointer@glimora.org/metadata.json)
file(READ ${extension_source}/pointer@glimora.org/metadata.json metadata)
string(JSON listed LENGTH "${metadata}" shell-version)
set(versions "")
math(EXPR last "${listed} - 1")
foreach(i RANGE ${last})
  string(JSON version GET "${metadata}" shell-version ${i})
  if((shell_form STREQUAL "43" AND version LESS 45) OR (NOT shell_form STREQUAL "43" AND NOT version LESS 45))
    list(APPEND versions "\"${version}\"")
  endif()
endforeach()
list(JOIN versions ", " versions)
string(REGEX REPLACE "\"shell-version\": *\\[[^]]*\\]" "\"shell-version\": [${versions}]" metadata "${metadata}")
file(WRITE ${GLIMORA_EXTENSION_DIR}/metadata.json "${metadata}")
configure_file(${extension_source}/pointer@glimora.org/service.js ${GLIMORA_EXTENSION_DIR}/service.js COPYONLY)
if(shell_form STREQUAL "43")
  configure_file(${extension_source}/shell-43/extension.js ${GLIMORA_EXTENSION_DIR}/extension.js COPYONLY)
  set(GLIMORA_GNOME_SHELL_BREAKS "gnome-shell (>= 45~)")
else()
  configure_file(${extension_source}/pointer@glimora.org/extension.js ${GLIMORA_EXTENSION_DIR}/extension.js COPYONLY)
  set(GLIMORA_GNOME_SHELL_BREAKS "gnome-shell (<< 45~)")
endif()

include(GNUInstallDirs)
install(DIRECTORY ${GLIMORA_EXTENSION_DIR} DESTINATION ${CMAKE_INSTALL_DATADIR}/gnome-shell/extensions)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/kwin/glimora-pointer DESTINATION ${CMAKE_INSTALL_DATADIR}/kwin/scripts)
