# Makes Glimora-<version>-setup.exe from what the zip holds: installs the build
# into a stage (stripped, as cpack does), lists its files for the installer and
# the uninstaller, and runs makensis. Run by the windows build:
#   cmake -DBUILD=<build> -DSOURCE=<source> -DVERSION=<x.y.z> -DCOPYRIGHT=<line> -DMAKENSIS=<path> -P this
set(stage ${BUILD}/setup-stage)
file(REMOVE_RECURSE ${stage})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${stage} --strip
                OUTPUT_QUIET RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "installing the build into ${stage} failed")
endif()

# What the setup installs, and the same removed again by the uninstaller:
# files one by one, folders only when they are left empty, so whatever the user
# added (eyes.ini, skin folders, pictures) stays.
file(GLOB_RECURSE files RELATIVE ${stage} ${stage}/*)
list(SORT files)
set(install "!macro INSTALL_FILES\n")
set(remove "!macro REMOVE_FILES\n")
set(folders "")
set(bytes 0)
set(outPath "-")
foreach(file IN LISTS files)
  get_filename_component(folder "${file}" DIRECTORY)
  string(REPLACE "/" "\\" windowsFile "${file}")
  string(REPLACE "/" "\\" windowsFolder "${folder}")
  if(NOT folder STREQUAL outPath)
    set(outPath "${folder}")
    if(folder)
      string(APPEND install "  SetOutPath \"$INSTDIR\\${windowsFolder}\"\n")
    else()
      string(APPEND install "  SetOutPath \"$INSTDIR\"\n")
    endif()
    list(APPEND folders "${windowsFolder}")
  endif()
  string(APPEND install "  File \"${stage}/${file}\"\n")
  string(APPEND remove "  Delete \"$INSTDIR\\${windowsFile}\"\n")
  file(SIZE ${stage}/${file} size)
  math(EXPR bytes "${bytes} + ${size}")
endforeach()
# Deepest first, so a folder is empty by the time it is removed.
list(REMOVE_DUPLICATES folders)
list(SORT folders)
list(REVERSE folders)
foreach(folder IN LISTS folders)
  if(folder)
    string(APPEND remove "  RMDir \"$INSTDIR\\${folder}\"\n")
  endif()
endforeach()
string(APPEND install "!macroend\n")
string(APPEND remove "!macroend\n")
math(EXPR kilobytes "(${bytes} + 1023) / 1024")
file(WRITE ${BUILD}/setup-files.nsh "${install}${remove}!define SIZE_KB ${kilobytes}\n")

string(REGEX MATCH "^[0-9]+\\.[0-9]+\\.[0-9]+" numbers "${VERSION}")
set(output ${BUILD}/Glimora-${VERSION}-setup.exe)
execute_process(COMMAND ${MAKENSIS} -V2 -NOCD -DVERSION=${VERSION} -DVERSION_DOTTED=${numbers}.0
                        "-DCOPYRIGHT=${COPYRIGHT}" -DICON=${SOURCE}/data/windows/glimora.ico
                        -DPICTURE=${SOURCE}/data/windows/setup.bmp
                        -DFILES=${BUILD}/setup-files.nsh -DOUTFILE=${output} ${SOURCE}/data/windows/setup.nsi
                RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "makensis could not make ${output}")
endif()
