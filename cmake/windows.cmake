# The Windows build: the same program on the real Win32 API and Allegro 4.4 for
# Windows (scripts/build-windows-library builds it; scripts/setup windows passes
# its folder). win32_on_linux, the Linux layer, is not built here: system/win32.h
# finds Allegro's own winalleg.h, and the folders build their windows/ files in
# place of their linux/ ones.
set(GLIMORA_ALLEGRO_WINDOWS "" CACHE PATH "Allegro 4.4 for Windows as installed by scripts/build-windows-library")
if(NOT EXISTS "${GLIMORA_ALLEGRO_WINDOWS}/lib/liballeg.a")
  message(FATAL_ERROR "No Allegro for Windows at '${GLIMORA_ALLEGRO_WINDOWS}': run scripts/setup windows")
endif()

add_library(allegro_windows INTERFACE)
target_include_directories(allegro_windows INTERFACE ${GLIMORA_ALLEGRO_WINDOWS}/include)
# Without it Allegro's data symbols are taken for DLL imports the static library lacks.
target_compile_definitions(allegro_windows INTERFACE ALLEGRO_STATICLINK)
target_link_libraries(allegro_windows INTERFACE ${GLIMORA_ALLEGRO_WINDOWS}/lib/liballeg.a
  gdi32 user32 kernel32 comdlg32 ole32 advapi32 dinput ddraw dxguid winmm dsound)

add_compile_options(-Wall -Wextra -Wno-deprecated-declarations -Wno-missing-field-initializers)
# Nothing beside the executables: the C and C++ runtimes are linked in. Loaded
# anywhere in the 64-bit address space (high-entropy ASLR), data never executable (DEP).
add_link_options(-static -static-libgcc -static-libstdc++ -Wl,--dynamicbase,--high-entropy-va,--nxcompat)

add_library(glimora_base INTERFACE)
target_include_directories(glimora_base INTERFACE ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(glimora_base INTERFACE allegro_windows)
include(cmake/folders.cmake)
add_subdirectory(src)
# Beside the program, as in the zip.
set_target_properties(glimora-check PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# Each program's icon (drawn by tools/draw_icons with the Linux icons) and
# version, compiled by the toolchain's windres; the copyright line is LICENSE's.
enable_language(RC)
file(STRINGS ${CMAKE_SOURCE_DIR}/LICENSE GLIMORA_COPYRIGHT REGEX "^Copyright " LIMIT_COUNT 1)
set(GLIMORA_ICON ${CMAKE_SOURCE_DIR}/data/windows/glimora.ico)
string(REPLACE "." "," GLIMORA_VERSION_NUMBERS "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")
function(glimora_resources target GLIMORA_NAME GLIMORA_DESCRIPTION)
  set(rc ${CMAKE_BINARY_DIR}/resources/${GLIMORA_NAME}.rc)
  configure_file(${CMAKE_SOURCE_DIR}/data/windows/resources.rc.in ${rc} @ONLY)
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${GLIMORA_ICON})
  target_sources(${target} PRIVATE ${rc})
endfunction()
glimora_resources(eyes glimora "Glimora")
glimora_resources(glimora-check glimora-check "Glimora skin checker")

if(GLIMORA_TESTS)
  enable_testing()
  add_subdirectory(tests/windows)
endif()

set(GLIMORA_BENCHMARK_WINDOWS "" CACHE PATH "Google Benchmark for Windows as installed by scripts/build-windows-library")
if(GLIMORA_TESTS AND EXISTS "${GLIMORA_BENCHMARK_WINDOWS}/lib/libbenchmark.a")
  add_subdirectory(bench/windows)
endif()
