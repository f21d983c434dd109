#include "skin/skin.h"

#include <cstdint>
#include <cstdio>

#include "os/translation.h"
#include "settings/settings.h"
#include "skin/alpha_layers.h"
#include "skin/bmp_reader.h"

namespace {

std::string withSlash(std::string folder)
{
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

// The folder of the skin named in the settings file, always ending with '/';
// no name at all means the skins folder itself.
std::string skinFolder()
{
    return withSlash(workingPath("skins/") + loadSkinName());
}

BITMAP* loadFile(const std::string& path)
{
    return loadBitmapFile(path.c_str(), nullptr);
}

// A small black oval on the mask colour, for eyes without a pupil file.
BITMAP* makeOvalPupil()
{
    BITMAP* pupil = create_bitmap(4, 6);
    if (pupil) {
        clear_to_color(pupil, bitmap_mask_color(pupil));
        ellipsefill(pupil, 2, 3, 2, 3, 0);
    }
    return pupil;
}

// Cuts every run of non-black pixels of one mask row out of the shape.
// Each pixel of the mask is a scale x scale block of the shape.
void cutRow(HRGN shape, const uint32_t* row, int width, int y, int scale)
{
    const uint32_t inside = makecol(0, 0, 0);
    for (int x = 0; x < width;) {
        if (row[x] == inside) {
            ++x;
            continue;
        }
        int start = x;
        while (x < width && row[x] != inside)
            ++x;
        HRGN run = CreateRectRgn(start * scale, y * scale, x * scale, (y + 1) * scale);
        CombineRgn(shape, shape, run, RGN_XOR);
        DeleteObject(run);
    }
}

}  // namespace

Skin::Skin() = default;

Skin::~Skin()
{
    if (mainImage)
        destroy_bitmap(mainImage);
    if (canvas)
        destroy_bitmap(canvas);
    if (enlarged)
        destroy_bitmap(enlarged);
    for (int i = 0; i < eyeCount; ++i)
        if (pupils[i])
            destroy_bitmap(pupils[i]);
    if (background)
        destroy_bitmap(background);
    if (region && ownsRegion)
        DeleteObject(region);
}

int Skin::getWidth() const
{
    return mainImage ? mainImage->w : 0;
}

int Skin::getHeight() const
{
    return mainImage ? mainImage->h : 0;
}

HRGN Skin::getRegion() const
{
    return region;
}

HRGN Skin::takeRegion()
{
    ownsRegion = false;
    return region;
}

bool Skin::load()
{
    const std::string folder = skinFolder();
    if (loadFolder(folder))
        return true;
    const std::string message = translateWith("Problem loading \"%s\". Skin not loaded.", {folder});
    std::fprintf(stderr, "glimora: %s\n", message.c_str());
    MessageBoxA(nullptr, message.c_str(), translate("Problem loading Skin"), MB_OK);
    return false;
}

bool Skin::loadFolder(const std::string& path)
{
    mainImage = nullptr;
    canvas = nullptr;
    enlarged = nullptr;
    eyeCount = 0;
    const std::string folder = withSlash(path);
    if (loadMainImage(folder))
        canvas = create_bitmap(getWidth(), getHeight());
    if (canvas && scale > 1 && !(enlarged = create_bitmap(windowWidth(), windowHeight()))) {
        destroy_bitmap(canvas);
        canvas = nullptr;
    }
    if (!canvas) {
        // Without a canvas nothing could be painted: as good as no main picture.
        if (mainImage)
            destroy_bitmap(mainImage);
        mainImage = nullptr;
        return false;
    }
    clear_to_color(canvas, 0);
    region = makeWindowRegion(folder);
    findEyes();
    for (int i = 0; i < eyeCount; ++i)
        loadPupil(folder, i);
    background = hasAlpha ? loadPremultiplied(folder + "eyebg.bmp", false) : loadFile(folder + "eyebg.bmp");
    if (hasAlpha)
        makeAlphaLayers(folder);
    return true;
}

bool Skin::loadMainImage(const std::string& folder)
{
    FourthBytes fourth;
    mainImage = loadBitmapFile((folder + "main.bmp").c_str(), palette, &fourth);
    pictureAlpha = std::move(fourth.alpha);
    hasAlpha = mainImage && !pictureAlpha.empty();
    return mainImage != nullptr;
}

HRGN Skin::makeWindowRegion(const std::string& folder)
{
    BITMAP* mask = loadFile(folder + "mask.bmp");
    if (!mask)
        return CreateRectRgn(0, 0, windowWidth(), windowHeight());
    HRGN shape = CreateRectRgn(0, 0, mask->w * scale, mask->h * scale);
    for (int y = 0; y < mask->h; ++y)
        cutRow(shape, reinterpret_cast<const uint32_t*>(mask->line[y]), mask->w, y, scale);
    destroy_bitmap(mask);
    return shape;
}

std::string pupilFileName(int eye)
{
    return "eye" + std::to_string(eye + 1) + ".bmp";
}

void Skin::loadPupil(const std::string& folder, int i)
{
    // With alpha, a pupil's own alpha counts as well as its mask colour.
    auto load = [&](const std::string& path) { return hasAlpha ? loadPremultiplied(path, true) : loadFile(path); };
    BITMAP* pupil = load(folder + pupilFileName(i));
    if (!pupil)
        pupil = load(folder + "eye.bmp");
    if (!pupil) {
        pupil = makeOvalPupil();
        if (pupil && hasAlpha)
            premultiply(pupil, nullptr, true);
    }
    pupils[i] = pupil;
}
