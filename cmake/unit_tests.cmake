# The unit tests' framework, and glimora_unit_test(<target> USES targets...
# SOURCES files...): one unit-test program of the program's, linking only the
# folders it tests and the layer's headless backend, its tests labelled "unit"
# (ctest -L unit).
find_package(GTest REQUIRED)
include(GoogleTest)

function(glimora_unit_test name)
  cmake_parse_arguments(arg "" "" "USES;SOURCES" ${ARGN})
  add_executable(${name} ${arg_SOURCES})
  target_link_libraries(${name} PRIVATE ${arg_USES} program_test_support platform_core backend_headless)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300 LABELS unit)
endfunction()
