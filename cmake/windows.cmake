# The Windows platform: the real Win32 API and Allegro 4.4 for Windows
# (scripts/build-windows-library builds it; scripts/setup windows passes its
# folder). win32_on_linux, the Linux layer, is not built here: system/win32.h
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
  gdi32 user32 kernel32 comdlg32 ole32 advapi32 dinput ddraw dxguid winmm dsound shell32)

add_compile_options(-Wall -Wextra -Wno-deprecated-declarations -Wno-missing-field-initializers)
# Nothing beside the executables: the C and C++ runtimes are linked in. Loaded
# anywhere in the 64-bit address space (high-entropy ASLR), data never executable (DEP).
add_link_options(-static -static-libgcc -static-libstdc++ -Wl,--dynamicbase,--high-entropy-va,--nxcompat)
# zlib too: Windows has no zlib1.dll (Wine brings one, which hides its lack).
set(ZLIB_USE_STATIC_LIBS ON)
# A build folder configured before keeps the DLL's import library in its cache.
if(ZLIB_LIBRARY_RELEASE MATCHES "\\.dll\\.a$")
  unset(ZLIB_LIBRARY_RELEASE CACHE)
endif()
