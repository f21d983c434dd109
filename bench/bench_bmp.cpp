// Reading a 2048 x 2048 picture: Allegro alone, and through the program's own
// checked reader, with and without the palette main.bmp asks for, and from a
// top-down file with a 124-byte header.
#include <benchmark/benchmark.h>

#include <allegro.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "skin/allegro_setup.h"
#include "skin/bmp_reader.h"

namespace {

namespace fs = std::filesystem;

constexpr int side = 2048;

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The same picture with a 124-byte header and its rows stored top row first.
void writeModernTopDown(const std::string& plainPath, const std::string& path)
{
    const std::string plain = readAll(plainPath);
    const size_t rowSize = side * 3, pixelsAt = 14 + 124;
    std::string modern = plain.substr(0, 54) + std::string(124 - 40, '\0');
    modern[10] = static_cast<char>(pixelsAt);
    modern[14] = 124;
    const int32_t topDown = -side;
    std::copy_n(reinterpret_cast<const char*>(&topDown), 4, &modern[22]);
    for (int row = side - 1; row >= 0; --row)
        modern += plain.substr(54 + row * rowSize, rowSize);
    std::ofstream(path, std::ios::binary) << modern;
}

class Pictures {
public:
    Pictures()
    {
        setUpAllegro();
        char pattern[] = "/tmp/glimora-bench-bmp-XXXXXX";
        dir = mkdtemp(pattern);
        BITMAP* picture = create_bitmap(side, side);
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                putpixel(picture, x, y, makecol(x & 255, y & 255, (x ^ y) & 255));
        save_bmp(plain().c_str(), picture, nullptr);
        destroy_bitmap(picture);
        writeModernTopDown(plain(), modern());
    }
    ~Pictures() { fs::remove_all(dir); }

    std::string plain() const { return dir + "/plain.bmp"; }
    std::string modern() const { return dir + "/modern.bmp"; }

private:
    std::string dir;
};

const Pictures& pictures()
{
    static Pictures made;
    return made;
}

template <typename Load>
void loadEach(benchmark::State& state, Load load)
{
    for (auto _ : state) {
        BITMAP* bitmap = load();
        if (!bitmap || bitmap->w != side) {
            state.SkipWithError("the picture did not load");
            break;
        }
        destroy_bitmap(bitmap);
    }
}

void BM_AllegroAlone2048(benchmark::State& state)
{
    loadEach(state, [] { return load_bitmap(pictures().plain().c_str(), nullptr); });
}
BENCHMARK(BM_AllegroAlone2048)->Unit(benchmark::kMillisecond);

void BM_CheckedLoad2048(benchmark::State& state)
{
    loadEach(state, [] { return loadBitmapFile(pictures().plain().c_str(), nullptr); });
}
BENCHMARK(BM_CheckedLoad2048)->Unit(benchmark::kMillisecond);

void BM_CheckedLoadWithPalette2048(benchmark::State& state)
{
    PALETTE palette;
    loadEach(state, [&] { return loadBitmapFile(pictures().plain().c_str(), palette); });
}
BENCHMARK(BM_CheckedLoadWithPalette2048)->Unit(benchmark::kMillisecond);

void BM_CheckedLoadModernTopDown2048(benchmark::State& state)
{
    loadEach(state, [] { return loadBitmapFile(pictures().modern().c_str(), nullptr); });
}
BENCHMARK(BM_CheckedLoadModernTopDown2048)->Unit(benchmark::kMillisecond);

}  // namespace
