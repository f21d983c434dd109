// A fuzz target's own working folder, made once and removed at exit. Each input
// runs inside it; libFuzzer reads and writes its own files relative to the
// folder it was started in, so every input ends back there.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace scratch {

inline std::string folder;
inline int startFolder = -1;

inline void make()
{
    char pattern[] = "/tmp/glimora-fuzz-XXXXXX";
    if (!mkdtemp(pattern))
        abort();
    folder = pattern;
    atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    });
    startFolder = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (startFolder < 0)
        abort();
}

inline void enter()
{
    if (chdir(folder.c_str()) != 0)
        abort();
}

inline void leave()
{
    if (fchdir(startFolder) != 0)
        abort();
}

}  // namespace scratch
