# The hardening every Debian package gets: position-independent executables,
# stack protection, _FORTIFY_SOURCE, format checks, full RELRO and immediate
# binding. The flags come from dpkg-buildflags, as a package's build takes them,
# with every hardening feature on (hardening=+all adds immediate binding); where
# it is missing, the same flags are given here. The sanitizer and fuzzing builds
# turn it off: _FORTIFY_SOURCE's checked calls hide what the sanitizers look for.
option(GLIMORA_HARDENING "Build with the hardening flags of Debian packages" ON)
if(NOT GLIMORA_HARDENING)
  return()
endif()

set(CMAKE_POSITION_INDEPENDENT_CODE ON)
include(CheckPIESupported)
check_pie_supported()

find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(DPKG_BUILDFLAGS)
  # Run in the source folder, whose path the file-prefix map then strips from the binaries.
  foreach(variable CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                            ${DPKG_BUILDFLAGS} --get ${variable}
                    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR} OUTPUT_VARIABLE flags
                    OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    set(hardening_${variable} "${flags}")
  endforeach()
else()
  set(hardening_CPPFLAGS "-D_FORTIFY_SOURCE=2")
  set(hardening_CXXFLAGS "-O2 -fstack-protector-strong -Wformat -Werror=format-security")
  set(hardening_LDFLAGS "-Wl,-z,relro -Wl,-z,now")
endif()
# Taken as CMake takes CXXFLAGS and LDFLAGS from the environment: the build
# type's own flags come after them, so its optimisation level wins.
string(PREPEND CMAKE_CXX_FLAGS "${hardening_CPPFLAGS} ${hardening_CXXFLAGS} ")
string(PREPEND CMAKE_EXE_LINKER_FLAGS "${hardening_LDFLAGS} ")
