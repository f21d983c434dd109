# glimora_unit_test(<target> files...): one unit-test program, driving the real
# code on the headless backend, its tests labelled "unit" (ctest -L unit).
find_package(GTest REQUIRED)
include(GoogleTest)

function(glimora_unit_test name)
  set(support ${CMAKE_SOURCE_DIR}/tests/support)
  add_executable(${name} ${ARGN} ${support}/test_main.cpp ${support}/fixtures.cpp ${support}/linux/platform_fixtures.cpp)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE glimora_app platform_core backend_headless GTest::gtest)
  target_compile_definitions(${name} PRIVATE GLIMORA_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300 LABELS unit)
endfunction()
