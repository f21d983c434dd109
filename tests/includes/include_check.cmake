cmake_minimum_required(VERSION 3.16)
# The include check on one file of src/settings holding INCLUDE:
#   cmake -DROOT=<repository> -DWORK=<folder> -DINCLUDE=<line> -P include_check.cmake
# It stops with the check's message where settings may not use what is included.
set(CMAKE_SOURCE_DIR ${ROOT})
include(${ROOT}/cmake/folders.cmake)
file(WRITE ${WORK}/settings_file.cpp "${INCLUDE}\n")
glimora_check_includes(src/settings "settings;globals;os;system" ${WORK}/settings_file.cpp)
