// Loads a whole skin made of fuzzed files. The input is split at each "@@next@@"
// into main.bmp, mask.bmp, eye1.bmp, eye.bmp, eyebg.bmp and eyes.ini, in that
// order; files past the last part are absent.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "headless/headless.h"
#include "scratch_folder.h"
#include "skin/allegro_setup.h"
#include "skin/skin.h"

namespace {

namespace fs = std::filesystem;

constexpr std::string_view separator = "@@next@@";
const char* const files[] = {"skins/main.bmp", "skins/mask.bmp", "skins/eye1.bmp",
                             "skins/eye.bmp",  "skins/eyebg.bmp", "eyes.ini"};

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
    scratch::make();
    if (!fs::create_directory(scratch::folder + "/skins"))
        abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    scratch::enter();
    headless::reset();  // forgets the message boxes of earlier inputs
    writeParts(std::string_view(reinterpret_cast<const char*>(data), size));
    {
        Skin skin;
        skin.load();
    }
    scratch::leave();
    return 0;
}
