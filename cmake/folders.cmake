# One library per folder (glimora_<folder>), each linking only the folders
# below it, so the layers read bottom-up:
#   os < (win32_on_linux, Linux only) < globals < settings < skin < frame < app,
#   and the skin checker over frame.
# Every folder of src/ sees the Win32 API through system/win32.h (glimora_system
# carries it); os/ sees nothing of Win32 or Allegro. Each folder's
# CMakeLists.txt lists its files; a file only one platform builds is in the
# folder's linux/ or windows/ subfolder. A file that includes a header of a
# folder its library does not link stops the configure.
#
# glimora_folder(<folder> [OBJECT] [SOURCES files...] [LINUX files...]
#                [WINDOWS files...] [USES folders...])
# The top folder is a set of objects: its entry point (WinMain) reaches every
# program whole, which a static library would leave out.
function(glimora_folder folder)
  cmake_parse_arguments(arg "OBJECT" "" "SOURCES;LINUX;WINDOWS;USES" ${ARGN})
  set(kind STATIC)
  if(arg_OBJECT)
    set(kind OBJECT)
  endif()
  set(sources ${arg_SOURCES} ${arg_LINUX})
  if(WIN32)
    set(sources ${arg_SOURCES} ${arg_WINDOWS})
  endif()
  add_library(glimora_${folder} ${kind} ${sources})
  file(RELATIVE_PATH here ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  set(uses ${folder})
  if(here MATCHES "^src/")
    list(APPEND uses system)
    target_link_libraries(glimora_${folder} PUBLIC glimora_system)
  else()
    target_include_directories(glimora_${folder} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/..)
  endif()
  foreach(used ${arg_USES})
    target_link_libraries(glimora_${folder} PUBLIC glimora_${used})
    get_property(below GLOBAL PROPERTY glimora_uses_${used})
    list(APPEND uses ${below})
  endforeach()
  list(REMOVE_DUPLICATES uses)
  set_property(GLOBAL PROPERTY glimora_uses_${folder} ${uses})
  glimora_check_includes(${here} "${uses}" ${arg_SOURCES} ${arg_LINUX} ${arg_WINDOWS})
endfunction()

# Headers of the desktop's libraries, which only the Win32 layer's desktop backend includes.
set(glimora_desktop_headers "gtk|gdk|X11|dbus|gio|glib|json-glib|wayland")

# glimora_check_includes(<folder> <folders it may include> files...)
# Every quoted include names a folder it may use: written from the include
# root ("frame/paint.h") its first part is the folder; written relative to the
# file ("state.h") it is the file's own folder, and must not climb out of it.
function(glimora_check_includes folder allowed)
  foreach(file ${ARGN})
    get_filename_component(path ${file} ABSOLUTE)
    get_filename_component(here ${path} DIRECTORY)
    file(RELATIVE_PATH name ${CMAKE_SOURCE_DIR} ${path})
    file(STRINGS ${path} includes REGEX "^#include [\"<]")
    foreach(line ${includes})
      string(REGEX REPLACE "^#include [\"<]([^\">]+)[\">].*" "\\1" included "${line}")
      if(line MATCHES "^#include <(${glimora_desktop_headers})/")
        if(NOT name MATCHES "^win32_on_linux/(gtk|wayland_pointer)/")
          message(FATAL_ERROR "${name} includes <${included}>: only win32_on_linux/gtk/ and wayland_pointer/ talk to the desktop")
        endif()
        continue()
      endif()
      if(line MATCHES "^#include <" OR (EXISTS ${here}/${included} AND NOT included MATCHES "\\.\\./"))
        continue()
      endif()
      string(REGEX REPLACE "/.*" "" used "${included}")
      if(NOT used IN_LIST allowed)
        message(FATAL_ERROR "${name} includes \"${included}\", which ${folder} may not use: "
                            "the folders depend one way only (docs/ARCHITECTURE.md)")
      endif()
    endforeach()
  endforeach()
endfunction()
