#include "checker/png_writer.h"

#include <png.h>

#include <cstdio>
#include <vector>

bool writePng(const std::string& path, const uint32_t* pixels, int width, int height)
{
    if (width <= 0 || height <= 0)
        return false;
    std::vector<png_byte> rgb(static_cast<size_t>(width) * height * 3);
    for (size_t i = 0; i < rgb.size() / 3; ++i) {
        rgb[i * 3] = static_cast<png_byte>(pixels[i] >> 16);
        rgb[i * 3 + 1] = static_cast<png_byte>(pixels[i] >> 8);
        rgb[i * 3 + 2] = static_cast<png_byte>(pixels[i]);
    }
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    const std::string partial = path + ".part";
    bool written = png_image_write_to_file(&image, partial.c_str(), 0, rgb.data(), 0, nullptr) != 0;
    png_image_free(&image);
    if (written && std::rename(partial.c_str(), path.c_str()) == 0)
        return true;
    std::remove(partial.c_str());
    return false;
}
