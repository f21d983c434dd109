# What the Windows build adds to the programs: their resources, and the tests
# and benchmarks run under Wine.
# Beside the program, as in the zip.
set_target_properties(glimora-check PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# Each program's icon (drawn by tools/draw_icons with the Linux icons), version
# and manifest, compiled by the toolchain's windres; the copyright line is LICENSE's.
enable_language(RC)
file(STRINGS ${CMAKE_SOURCE_DIR}/LICENSE GLIMORA_COPYRIGHT REGEX "^Copyright " LIMIT_COUNT 1)
set(GLIMORA_ICON ${CMAKE_SOURCE_DIR}/data/windows/glimora.ico)
set(GLIMORA_VERSION_DOTTED "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")
string(REPLACE "." "," GLIMORA_VERSION_NUMBERS "${GLIMORA_VERSION_DOTTED}")
function(glimora_resources target GLIMORA_NAME GLIMORA_DESCRIPTION)
  set(rc ${CMAKE_BINARY_DIR}/resources/${GLIMORA_NAME}.rc)
  set(GLIMORA_MANIFEST ${CMAKE_BINARY_DIR}/resources/${GLIMORA_NAME}.manifest)
  configure_file(${CMAKE_SOURCE_DIR}/data/windows/glimora.manifest.in ${GLIMORA_MANIFEST} @ONLY)
  configure_file(${CMAKE_SOURCE_DIR}/data/windows/resources.rc.in ${rc} @ONLY)
  set_source_files_properties(${rc} TARGET_DIRECTORY ${target} PROPERTIES
    OBJECT_DEPENDS "${GLIMORA_ICON};${GLIMORA_MANIFEST}")
  target_sources(${target} PRIVATE ${rc})
endfunction()
glimora_resources(glimora glimora "Glimora")
glimora_resources(glimora-check glimora-check "Glimora skin checker")

if(GLIMORA_TESTS)
  enable_testing()
  add_subdirectory(tests/windows)
endif()

set(GLIMORA_BENCHMARK_WINDOWS "" CACHE PATH "Google Benchmark for Windows as installed by scripts/build-windows-library")
if(GLIMORA_TESTS AND EXISTS "${GLIMORA_BENCHMARK_WINDOWS}/lib/libbenchmark.a")
  add_subdirectory(bench/windows)
endif()
