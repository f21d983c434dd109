#include "skin/alpha_layers.h"

#include <utility>

#include "skin/bmp_reader.h"

namespace {

uint32_t premultiplied(uint32_t pixel, uint32_t alpha)
{
    auto channel = [&](int shift) { return (((pixel >> shift) & 0xff) * alpha + 127) / 255 << shift; };
    return alpha << 24 | channel(16) | channel(8) | channel(0);
}

// Pixels outside the mask's black are not the face's.
void limitToMask(BITMAP* mask, std::vector<uint8_t>& alpha, int width, int height)
{
    const uint32_t inside = makecol(0, 0, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool masked = x < mask->w && y < mask->h && reinterpret_cast<uint32_t*>(mask->line[y])[x] == inside;
            if (!masked)
                alpha[size_t(y) * width + x] = 0;
        }
}

// The eye areas, and the partly transparent pixels joined to them: an eye's soft
// outline blends into its eyeball, while the face's own outline, which meets
// fully transparent pixels first, blends into the desktop.
std::vector<uint8_t> findBehind(BITMAP* picture, const std::vector<uint8_t>& alpha)
{
    const int width = picture->w, height = picture->h;
    std::vector<uint8_t> behind(alpha.size(), 0);
    std::vector<int> pending;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (reinterpret_cast<uint32_t*>(picture->line[y])[x] == MASK_COLOR_32) {
                behind[size_t(y) * width + x] = 1;
                pending.push_back(y * width + x);
            }
    auto reach = [&](int x, int y) {
        const size_t at = size_t(y) * width + x;
        if (x < 0 || y < 0 || x >= width || y >= height || behind[at] || alpha[at] == 0 || alpha[at] == 255)
            return;
        behind[at] = 1;
        pending.push_back(int(at));
    };
    while (!pending.empty()) {
        const int at = pending.back();
        pending.pop_back();
        const int x = at % width, y = at / width;
        reach(x - 1, y);
        reach(x + 1, y);
        reach(x, y - 1);
        reach(x, y + 1);
    }
    return behind;
}

// The eye background over the whole face, opaque eye colour where no file gives
// it, and nothing where no eye lies behind the picture; null without memory.
Picture fullBackground(Picture loaded, const std::vector<uint8_t>& behind, int width, int height, int eyeColour)
{
    Picture full(create_bitmap(width, height));
    if (!full)
        return nullptr;
    clear_to_color(full.get(), int(0xff000000u | uint32_t(eyeColour)));
    if (loaded)
        blit(loaded.get(), full.get(), 0, 0, 0, 0, loaded->w, loaded->h);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (!behind[size_t(y) * width + x])
                reinterpret_cast<uint32_t*>(full->line[y])[x] = 0;
    return full;
}

}  // namespace

void premultiply(BITMAP* bitmap, const uint8_t* alpha, bool keyMagenta)
{
    for (int y = 0; y < bitmap->h; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(bitmap->line[y]);
        for (int x = 0; x < bitmap->w; ++x) {
            const uint32_t pixel = row[x] & 0xffffff;
            const bool keyed = keyMagenta && pixel == MASK_COLOR_32;
            row[x] = keyed ? 0 : premultiplied(pixel, alpha ? alpha[size_t(y) * bitmap->w + x] : 255);
        }
    }
}

Picture loadPremultiplied(const std::string& path, bool keyMagenta)
{
    FourthBytes fourth;
    Picture bitmap(loadBitmapFile(path.c_str(), nullptr, &fourth));
    if (bitmap)
        premultiply(bitmap.get(), fourth.alpha.empty() ? nullptr : fourth.alpha.data(), keyMagenta);
    return bitmap;
}

AlphaLayers makeAlphaLayers(BITMAP* picture, std::vector<uint8_t> alpha, BITMAP* mask, Picture loadedBackground,
                            int eyeColour)
{
    const int width = picture->w, height = picture->h;
    if (mask)
        limitToMask(mask, alpha, width, height);
    AlphaLayers layers;
    layers.behindPicture = findBehind(picture, alpha);
    premultiply(picture, alpha.data(), true);
    layers.background = fullBackground(std::move(loadedBackground), layers.behindPicture, width, height, eyeColour);
    return layers;
}
