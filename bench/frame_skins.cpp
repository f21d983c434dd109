#include "bench/frame_skins.h"

#include <allegro.h>
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "skin/allegro_setup.h"
#include "skin/skin.h"

Skin* loadDefaultSkin(int scale)
{
    std::error_code error;
    std::filesystem::current_path(GLIMORA_SOURCE_DIR, error);
    if (error)
        return nullptr;
    Skin* skin = new Skin();
    skin->scale = scale;
    if (!skin->load()) {
        delete skin;
        return nullptr;
    }
    return skin;
}

Skin* makeLargeSkin()
{
    Skin* skin = new Skin();
    skin->mainImage.reset(create_bitmap(1024, 768));
    clear_to_color(skin->mainImage.get(), makecol(200, 160, 60));
    skin->canvas.reset(create_bitmap(1024, 768));
    skin->background.reset(create_bitmap(1024, 768));
    clear_to_color(skin->background.get(), makecol(240, 240, 255));
    for (int i = 0; i < MAX_EYES; ++i) {
        int cx = 64 + (i % 8) * 128, cy = 192 + (i / 8) * 384;
        rectfill(skin->mainImage.get(), cx - 40, cy - 40, cx + 40, cy + 40, bitmap_mask_color(skin->mainImage.get()));
        skin->eyeCentres[i] = {cx, cy};
        skin->eyeBounds[i] = {cx - 41, cy - 41, cx + 41, cy + 41};
        skin->pupils[i].reset(create_bitmap(12, 16));
        clear_to_color(skin->pupils[i].get(), bitmap_mask_color(skin->pupils[i].get()));
        ellipsefill(skin->pupils[i].get(), 6, 8, 6, 8, 0);
    }
    skin->eyeCount = MAX_EYES;
    return skin;
}

Skin* loadGhostSkin()
{
    Skin* skin = new Skin();
    if (!skin->loadFolder(GLIMORA_SOURCE_DIR "/skins/ghost")) {
        delete skin;
        return nullptr;
    }
    return skin;
}

namespace {

void copies(benchmark::State& state, int width, int height)
{
    size_t bytes = size_t(width) * height * 4;
    std::vector<char> from(bytes, 1), to(bytes);
    for (auto _ : state) {
        for (int layer = 0; layer < 3; ++layer) {
            std::memcpy(to.data(), from.data(), bytes);
            benchmark::ClobberMemory();
        }
    }
    state.SetBytesProcessed(state.iterations() * 3 * int64_t(bytes));
}

void BM_CopyDefaultSkinCanvasThrice(benchmark::State& state)
{
    setUpAllegro();
    Skin* skin = loadDefaultSkin();
    copies(state, skin ? skin->getWidth() : 1, skin ? skin->getHeight() : 1);
    delete skin;
}
// One plain copy of this many bytes per iteration.
void copyOnce(benchmark::State& state, size_t bytes)
{
    std::vector<char> from(bytes, 1), to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * int64_t(bytes));
}

// One copy of the default face's canvas as large as a frame at this scale sends.
void BM_CopyEnlargedDefaultSkinCanvas(benchmark::State& state)
{
    setUpAllegro();
    const int scale = int(state.range(0));
    Skin* skin = loadDefaultSkin();
    const size_t bytes = skin ? size_t(skin->getWidth()) * scale * skin->getHeight() * scale * 4 : 4;
    delete skin;
    copyOnce(state, bytes);
}
void BM_Copy1024x768CanvasThrice(benchmark::State& state)
{
    copies(state, 1024, 768);
}

// What one eye's area of the large face (82 x 82) moves, once or for all sixteen eyes.
void BM_Copy1024x768EyeAreasThrice(benchmark::State& state)
{
    const int eyes = int(state.range(0));
    std::vector<char> from(size_t(82) * 82 * 4, 1), to(from.size());
    for (auto _ : state) {
        for (int copy = 0; copy < 3 * eyes; ++copy) {
            std::memcpy(to.data(), from.data(), from.size());
            benchmark::ClobberMemory();
        }
    }
    state.SetBytesProcessed(state.iterations() * 3 * eyes * int64_t(from.size()));
}

// One copy of the ghost's canvas, which an alpha frame is held against.
void BM_CopyGhostSkinCanvas(benchmark::State& state)
{
    setUpAllegro();
    Skin* skin = loadGhostSkin();
    const size_t bytes = skin ? size_t(skin->getWidth()) * skin->getHeight() * 4 : 4;
    delete skin;
    copyOnce(state, bytes);
}

BENCHMARK(BM_CopyDefaultSkinCanvasThrice);
BENCHMARK(BM_CopyGhostSkinCanvas);
BENCHMARK(BM_CopyEnlargedDefaultSkinCanvas)->Arg(1)->Arg(2)->Arg(3)->Arg(4);
BENCHMARK(BM_Copy1024x768CanvasThrice);
BENCHMARK(BM_Copy1024x768EyeAreasThrice)->Arg(1)->Arg(16);

}  // namespace
