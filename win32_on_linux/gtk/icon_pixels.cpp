#include "gtk/icon_pixels.h"

#include <png.h>

namespace {

// RGBA rows of the file, or null; g_free() releases them.
guchar* readRgba(const char* file, png_image& image)
{
    image = {};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, file))
        return nullptr;
    image.format = PNG_FORMAT_RGBA;
    auto* pixels = static_cast<guchar*>(g_try_malloc(PNG_IMAGE_SIZE(image)));
    if (!pixels || !png_image_finish_read(&image, nullptr, pixels, 0, nullptr)) {
        g_free(pixels);
        png_image_free(&image);
        return nullptr;
    }
    return pixels;
}

}  // namespace

GdkPixbuf* loadIconPixels(const char* iconName, int size)
{
    GtkIconInfo* info = gtk_icon_theme_lookup_icon(gtk_icon_theme_get_default(), iconName, size, GTK_ICON_LOOKUP_NO_SVG);
    if (!info)
        return nullptr;
    png_image image;
    const char* file = gtk_icon_info_get_filename(info);
    guchar* pixels = file ? readRgba(file, image) : nullptr;
    g_object_unref(info);
    if (!pixels)
        return nullptr;
    return gdk_pixbuf_new_from_data(pixels, GDK_COLORSPACE_RGB, TRUE, 8, int(image.width), int(image.height),
                                    int(PNG_IMAGE_ROW_STRIDE(image)), [](guchar* data, gpointer) { g_free(data); },
                                    nullptr);
}
