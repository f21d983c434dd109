// Draws the application icon, the sprouting default face, as pixel art: once at
// 16 and once at 32 pixels, then scaled up by whole factors without blending, so
// every size a desktop asks for stays crisp. Writes a hicolor icon theme tree,
// the Windows program's icon, every size in one file, and the setup program's
// picture: `draw_icons [folder [ico [picture]]]` (default: data/icons,
// data/windows/glimora.ico and data/windows/setup.bmp) makes
// FOLDER/NxN/apps/NAME.png, ICO and PICTURE.
#include <allegro.h>
#include <png.h>

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char* const iconName = "org.glimora.Glimora";

[[noreturn]] void fail(const std::string& what)
{
    std::fprintf(stderr, "draw_icons: %s\n", what.c_str());
    std::exit(1);
}

void makeFolders(const std::string& path)
{
    for (size_t slash = path.find('/', 1); ; slash = path.find('/', slash + 1)) {
        std::string part = path.substr(0, slash);
        if (mkdir(part.c_str(), 0755) != 0 && errno != EEXIST)
            fail("cannot create " + part);
        if (slash == std::string::npos)
            return;
    }
}

int transparent() { return makecol(255, 0, 255); }

// The default skin's colours, made once the colour depth is set.
struct Colours {
    int ink = makecol(80, 50, 30), yellow = makecol(255, 208, 80), white = makecol(255, 255, 255);
    int leaf = makecol(100, 190, 70), cheek = makecol(255, 160, 130), tongue = makecol(240, 110, 120);
};

// The round face with its sprout, on a square of `size` pixels: 16 or 32.
BITMAP* drawHead(int size, const Colours& c)
{
    BITMAP* icon = create_bitmap(size, size);
    if (!icon)
        fail("out of memory");
    clear_to_color(icon, transparent());
    const int s = size / 16, cx = 8 * s, cy = 9 * s, r = 7 * s - 1;
    circlefill(icon, cx, cy, r, c.ink);
    circlefill(icon, cx, cy, r - 1, c.yellow);
    vline(icon, cx, s, cy - r, makecol(60, 140, 50));
    return icon;
}

// Every feature of the default skin's face, one pixel at a time.
BITMAP* drawSmallFace(const Colours& c)
{
    BITMAP* icon = drawHead(16, c);
    putpixel(icon, 7, 1, c.leaf);
    putpixel(icon, 9, 1, c.leaf);
    for (int ex : {6, 11}) {
        hline(icon, ex - 1, 5, ex, c.ink);
        vline(icon, ex - 2, 6, 9, c.ink);
        vline(icon, ex + 1, 6, 9, c.ink);
        hline(icon, ex - 1, 10, ex, c.ink);
        rectfill(icon, ex - 1, 6, ex, 9, c.white);
        vline(icon, ex, 7, 8, c.ink);
    }
    putpixel(icon, 3, 11, c.cheek);
    putpixel(icon, 13, 11, c.cheek);
    hline(icon, 6, 12, 10, c.ink);
    hline(icon, 7, 13, 9, c.ink);
    putpixel(icon, 8, 13, c.tongue);
    return icon;
}

BITMAP* drawLargeFace(const Colours& c)
{
    BITMAP* icon = drawHead(32, c);
    ellipsefill(icon, 13, 2, 2, 1, c.leaf);
    ellipsefill(icon, 19, 2, 2, 1, c.leaf);
    ellipsefill(icon, 10, 9, 2, 1, makecol(255, 236, 170));
    for (int ex : {11, 21}) {
        ellipsefill(icon, ex, 15, 3, 4, c.ink);
        ellipsefill(icon, ex, 15, 2, 3, c.white);
        rectfill(icon, ex, 15, ex + 1, 17, c.ink);
    }
    rectfill(icon, 5, 20, 7, 21, c.cheek);
    rectfill(icon, 25, 20, 27, 21, c.cheek);
    ellipsefill(icon, 16, 23, 5, 4, c.ink);
    rectfill(icon, 11, 19, 21, 22, c.yellow);
    hline(icon, 11, 23, 21, c.ink);
    ellipsefill(icon, 16, 25, 2, 1, c.tongue);
    return icon;
}

// The picture `factor` times larger, each pixel a square block, as RGBA rows from
// the top; magenta is transparent.
struct Rgba {
    int side;
    std::vector<png_byte> bytes;
};
Rgba scaled(BITMAP* picture, int factor)
{
    const int side = picture->w * factor;
    std::vector<png_byte> rgba(static_cast<size_t>(side) * side * 4);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            int c = getpixel(picture, x / factor, y / factor);
            png_byte* p = &rgba[(static_cast<size_t>(y) * side + x) * 4];
            p[0] = static_cast<png_byte>(getr(c));
            p[1] = static_cast<png_byte>(getg(c));
            p[2] = static_cast<png_byte>(getb(c));
            p[3] = c == transparent() ? 0 : 255;
        }
    return {side, rgba};
}

png_image pngImage(int side)
{
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    image.width = image.height = static_cast<png_uint_32>(side);
    image.format = PNG_FORMAT_RGBA;
    return image;
}

void savePng(const std::string& folder, const Rgba& icon)
{
    const std::string sized = folder + "/" + std::to_string(icon.side) + "x" + std::to_string(icon.side) + "/apps";
    makeFolders(sized);
    const std::string path = sized + "/" + iconName + ".png";
    png_image image = pngImage(icon.side);
    if (!png_image_write_to_file(&image, path.c_str(), 0, icon.bytes.data(), 0, nullptr))
        fail("cannot write " + path);
}

void put16(std::string& out, unsigned value)
{
    out += char(value & 0xff);
    out += char(value >> 8 & 0xff);
}
void put32(std::string& out, unsigned value)
{
    put16(out, value & 0xffff);
    put16(out, value >> 16);
}

// One image of an .ico file: a 256-pixel one as PNG, as Windows keeps its large
// icons; the smaller ones as the 32-bit bitmaps every Windows reads, with the
// 1-bit mask of the transparent pixels after the colours.
std::string icoImage(const Rgba& icon)
{
    std::string out;
    if (icon.side >= 256) {
        png_image image = pngImage(icon.side);
        png_alloc_size_t size = 0;
        if (!png_image_write_to_memory(&image, nullptr, &size, 0, icon.bytes.data(), 0, nullptr))
            fail("cannot make the icon's PNG");
        out.resize(size);
        if (!png_image_write_to_memory(&image, &out[0], &size, 0, icon.bytes.data(), 0, nullptr))
            fail("cannot make the icon's PNG");
        return out;
    }
    const unsigned side = static_cast<unsigned>(icon.side), maskRow = (side + 31) / 32 * 4;
    put32(out, 40);
    put32(out, side);
    put32(out, side * 2);  // colours and mask together
    put16(out, 1);
    put16(out, 32);
    put32(out, 0);
    put32(out, side * side * 4 + maskRow * side);
    for (int unused = 0; unused < 4; ++unused)
        put32(out, 0);
    // Bitmaps are stored from the bottom row up, in blue, green, red, alpha order.
    for (unsigned y = side; y-- > 0;)
        for (unsigned x = 0; x < side; ++x) {
            const png_byte* p = &icon.bytes[(y * side + x) * 4];
            out += {char(p[2]), char(p[1]), char(p[0]), char(p[3])};
        }
    for (unsigned y = side; y-- > 0;) {
        std::string row(maskRow, '\0');
        for (unsigned x = 0; x < side; ++x)
            if (icon.bytes[(y * side + x) * 4 + 3] == 0)
                row[x / 8] = char(row[x / 8] | 0x80 >> x % 8);
        out += row;
    }
    return out;
}

// Every size in one .ico file, smallest first.
void saveIco(const std::string& path, std::vector<Rgba> icons)
{
    std::sort(icons.begin(), icons.end(), [](const Rgba& a, const Rgba& b) { return a.side < b.side; });
    std::string header, images;
    put16(header, 0);
    put16(header, 1);  // an icon, not a cursor
    put16(header, static_cast<unsigned>(icons.size()));
    const size_t first = 6 + 16 * icons.size();
    for (const Rgba& icon : icons) {
        const std::string image = icoImage(icon);
        header += char(icon.side >= 256 ? 0 : icon.side);  // 0 stands for 256
        header += char(icon.side >= 256 ? 0 : icon.side);
        header += {0, 0};  // no palette
        put16(header, 1);
        put16(header, 32);
        put32(header, static_cast<unsigned>(image.size()));
        put32(header, static_cast<unsigned>(first + images.size()));
        images += image;
    }
    FILE* file = std::fopen(path.c_str(), "wb");
    const std::string bytes = header + images;
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || std::fclose(file) != 0)
        fail("cannot write " + path);
}

// The picture beside the setup program's last page, at the size NSIS shows it
// (164 x 314): the large face four times over on a sky that pales downwards.
void saveSetupPicture(const std::string& path, const Rgba& face)
{
    BITMAP* picture = create_bitmap(164, 314);
    if (!picture)
        fail("out of memory");
    for (int y = 0; y < picture->h; ++y)
        hline(picture, 0, y, picture->w - 1, makecol(110 + y / 3, 165 + y / 4, 225 + y / 12));
    const int left = (picture->w - face.side) / 2, top = 60;
    for (int y = 0; y < face.side; ++y)
        for (int x = 0; x < face.side; ++x) {
            const png_byte* p = &face.bytes[(static_cast<size_t>(y) * face.side + x) * 4];
            if (p[3])
                putpixel(picture, left + x, top + y, makecol(p[0], p[1], p[2]));
        }
    if (save_bmp(path.c_str(), picture, nullptr) != 0)
        fail("cannot write " + path);
    destroy_bitmap(picture);
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string folder = argc > 1 ? argv[1] : "data/icons";
    const std::string ico = argc > 2 ? argv[2] : "data/windows/glimora.ico";
    const std::string setupPicture = argc > 3 ? argv[3] : "data/windows/setup.bmp";
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0)
        fail("cannot start Allegro");
    set_color_depth(32);
    const Colours colours;
    BITMAP* small = drawSmallFace(colours);
    BITMAP* large = drawLargeFace(colours);
    std::vector<Rgba> icons{scaled(small, 1), scaled(small, 3)};
    for (int factor : {1, 2, 4, 8})
        icons.push_back(scaled(large, factor));
    for (const Rgba& icon : icons)
        savePng(folder, icon);
    saveIco(ico, icons);
    saveSetupPicture(setupPicture, scaled(large, 4));
    destroy_bitmap(small);
    destroy_bitmap(large);
    return 0;
}
