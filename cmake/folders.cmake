# One library per folder of the program (glimora_<folder>), each linking only
# the folders below it, so the layers read bottom-up:
#   os < globals < settings < skin < eyes < app, and the skin checker over eyes.
# Every layer may use the Win32 API (src/platform on Linux, the system's on
# Windows: glimora_base carries it). Each platform names its own files in the
# folder's linux/ or windows/ subfolder. A file that includes a header of a
# folder its library does not link stops the configure.
#
# glimora_folder(<folder> <platform subfolder> [OBJECT] [folders it uses...])
# The top folder is a set of objects: its entry point (WinMain) reaches every
# program whole, which a static library would leave out.
function(glimora_folder folder system)
  cmake_parse_arguments(arg "OBJECT" "" "" ${ARGN})
  set(kind STATIC)
  if(arg_OBJECT)
    set(kind OBJECT)
  endif()
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${folder}/*.cpp
       ${CMAKE_SOURCE_DIR}/src/${folder}/${system}/*.cpp)
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  add_library(glimora_${folder} ${kind} ${sources})
  set(uses ${folder})
  foreach(used ${arg_UNPARSED_ARGUMENTS})
    target_link_libraries(glimora_${folder} PUBLIC glimora_${used})
    get_property(below GLOBAL PROPERTY glimora_uses_${used})
    list(APPEND uses ${below})
  endforeach()
  target_link_libraries(glimora_${folder} PUBLIC glimora_base)
  list(REMOVE_DUPLICATES uses)
  set_property(GLOBAL PROPERTY glimora_uses_${folder} ${uses})
  glimora_check_includes(${folder} ${uses})
endfunction()

# Every folder may include the Win32 declarations: src/platform's on Linux,
# src/win32's on Windows.
set(glimora_everywhere platform win32)

function(glimora_check_includes folder)
  file(GLOB_RECURSE files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${folder}/*.cpp
       ${CMAKE_SOURCE_DIR}/src/${folder}/*.h)
  foreach(file ${files})
    file(STRINGS ${file} includes REGEX "^#include \"[a-z_]+/")
    foreach(line ${includes})
      string(REGEX REPLACE "^#include \"([a-z_]+)/.*" "\\1" used "${line}")
      if(NOT used IN_LIST ARGN AND NOT used IN_LIST glimora_everywhere)
        file(RELATIVE_PATH name ${CMAKE_SOURCE_DIR} ${file})
        message(FATAL_ERROR "${name} includes ${used}/, which src/${folder} does not link: "
                            "the folders depend one way only (cmake/folders.cmake)")
      endif()
    endforeach()
  endforeach()
endfunction()

# The folders a folder's files may include: itself and what its library links.
function(glimora_folder_uses folder result)
  get_property(uses GLOBAL PROPERTY glimora_uses_${folder})
  set(${result} ${uses} PARENT_SCOPE)
endfunction()

# glimora_folders(<platform subfolder>): the program's folders, bottom-up.
macro(glimora_folders system)
  glimora_folder(os ${system})
  glimora_folder(globals ${system})
  glimora_folder(settings ${system} globals os)
  glimora_folder(skin ${system} settings os)
  glimora_folder(eyes ${system} skin globals)
  glimora_folder(app ${system} OBJECT eyes settings skin globals os)
  glimora_folder(checker ${system} eyes skin globals os)
  set_source_files_properties(${CMAKE_SOURCE_DIR}/src/app/command_line.cpp PROPERTIES
    COMPILE_DEFINITIONS GLIMORA_VERSION="${PROJECT_VERSION}")
  # The masked blit's loop is written for the vectoriser, which -O2 leaves out.
  set_source_files_properties(${CMAKE_SOURCE_DIR}/src/eyes/sprite.cpp PROPERTIES COMPILE_OPTIONS -O3)
  # What a program or a test of the whole logic links.
  add_library(eyes_logic ALIAS glimora_app)
endmacro()
