// Loads a whole skin made of fuzzed files. The input is split at each "@@next@@"
// into main.bmp, mask.bmp, eye1.bmp, eye.bmp, eyebg.bmp and eyes.ini, in that
// order; files past the last part are absent.
#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "skin/allegro_setup.h"
#include "headless/headless.h"
#include "skin/skin.h"

namespace {

namespace fs = std::filesystem;

constexpr std::string_view separator = "@@next@@";
const char* const files[] = {"skins/main.bmp", "skins/mask.bmp", "skins/eye1.bmp",
                             "skins/eye.bmp",  "skins/eyebg.bmp", "eyes.ini"};

std::string workdir;
int startFolder = -1;  // libFuzzer reads and writes its own files relative to it

void removeWorkdir()
{
    std::error_code ignored;
    fs::remove_all(workdir, ignored);
}

void writeParts(std::string_view input)
{
    bool present = true;
    for (const char* file : files) {
        if (!present) {
            unlink(file);
            continue;
        }
        size_t end = input.find(separator);
        std::ofstream(file, std::ios::binary | std::ios::trunc) << input.substr(0, end);
        present = end != std::string_view::npos;
        if (present)
            input.remove_prefix(end + separator.size());
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setUpAllegro();
    char pattern[] = "/tmp/glimora-fuzz-XXXXXX";
    if (!mkdtemp(pattern))
        abort();
    workdir = pattern;
    atexit(removeWorkdir);
    startFolder = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (startFolder < 0 || !fs::create_directory(workdir + "/skins"))
        abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (chdir(workdir.c_str()) != 0)
        abort();
    headless::reset();  // forgets the message boxes of earlier inputs
    writeParts(std::string_view(reinterpret_cast<const char*>(data), size));
    {
        Skin skin;
        skin.load();
    }
    if (fchdir(startFolder) != 0)
        abort();
    return 0;
}
