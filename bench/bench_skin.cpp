// Skin loading at its worst sizes: a window shape of half a million one-pixel
// runs, and eye detection on a 2048 x 2048 face with 16 eyes.
#include <benchmark/benchmark.h>

#include <allegro.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "skin/allegro_setup.h"
#include "headless/headless.h"
#include "skin/skin.h"

namespace {

namespace fs = std::filesystem;

void saveInto(const std::string& folder, const char* file, BITMAP* picture)
{
    fs::create_directories(folder);
    save_bmp((folder + "/" + file).c_str(), picture, nullptr);
    destroy_bitmap(picture);
}

BITMAP* plainPicture(int side, int colour)
{
    BITMAP* picture = create_bitmap(side, side);
    clear_to_color(picture, colour);
    return picture;
}

BITMAP* checkerboard(int side)
{
    BITMAP* mask = plainPicture(side, 0);
    for (int y = 0; y < side; ++y)
        for (int x = (y + 1) % 2; x < side; x += 2)
            putpixel(mask, x, y, 0xffffff);
    return mask;
}

// Sixteen round white eyes in a 4 x 4 grid, each marked at its centre.
BITMAP* faceWithSixteenEyes(int side)
{
    BITMAP* face = plainPicture(side, 0x808080);
    const int cell = side / 4;
    for (int i = 0; i < MAX_EYES; ++i) {
        int cx = cell / 2 + cell * (i % 4), cy = cell / 2 + cell * (i / 4);
        circlefill(face, cx, cy, cell / 3, 0xffffff);
        putpixel(face, cx, cy, makecol(255, 0, 255));
    }
    return face;
}

// A throw-away folder with the two skins, made once.
class SkinFolders {
public:
    SkinFolders()
    {
        setUpAllegro();
        char pattern[] = "/tmp/glimora-bench-XXXXXX";
        dir = mkdtemp(pattern);
        saveInto(dir + "/skins/checker", "main.bmp", plainPicture(1024, 0x808080));
        saveInto(dir + "/skins/checker", "mask.bmp", checkerboard(1024));
        saveInto(dir + "/skins/eyes", "main.bmp", faceWithSixteenEyes(2048));
    }
    ~SkinFolders() { fs::remove_all(dir); }

    // Makes the folder the working directory, with the skin chosen in its eyes.ini.
    void enter(const char* skin)
    {
        std::ofstream(dir + "/eyes.ini") << "[global]\nskin=" << skin << "\n";
        fs::current_path(dir);
    }

private:
    std::string dir;
};

SkinFolders& folders()
{
    static SkinFolders made;
    return made;
}

void loadSkin(benchmark::State& state, const char* name, int expectedEyes)
{
    const fs::path previous = fs::current_path();
    folders().enter(name);
    headless::reset();
    for (auto _ : state) {
        Skin skin;
        if (!skin.load() || skin.eyeCount != expectedEyes) {
            state.SkipWithError("the skin did not load as made");
            break;
        }
        benchmark::DoNotOptimize(skin.region);
    }
    fs::current_path(previous);
}

void BM_LoadSkinWithCheckerboardMask1024(benchmark::State& state)
{
    loadSkin(state, "checker", 0);
}
BENCHMARK(BM_LoadSkinWithCheckerboardMask1024)->Unit(benchmark::kMillisecond);

void BM_LoadSkinWithSixteenEyes2048(benchmark::State& state)
{
    loadSkin(state, "eyes", MAX_EYES);
}
BENCHMARK(BM_LoadSkinWithSixteenEyes2048)->Unit(benchmark::kMillisecond);

}  // namespace
