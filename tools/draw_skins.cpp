// Draws the bundled skins with Allegro primitives and saves them as 24-bit BMP
// files: a default face in the output folder, and one folder per feature skin.
// The ghost is drawn with an alpha channel and saved as a 32-bit BMP with an
// alpha mask. Every main picture is checked the way eye detection reads it.
#include <allegro.h>

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

[[noreturn]] void fail(const std::string& what)
{
    std::fprintf(stderr, "draw_skins: %s\n", what.c_str());
    std::exit(1);
}

int magenta() { return makecol(255, 0, 255); }

void makeFolder(const std::string& path)
{
    if (mkdir(path.c_str(), 0755) != 0 && errno != EEXIST)
        fail("cannot create " + path);
}

BITMAP* newPicture(int width, int height, int colour)
{
    BITMAP* picture = create_bitmap(width, height);
    if (!picture)
        fail("out of memory");
    clear_to_color(picture, colour);
    return picture;
}

void save(const std::string& folder, const char* name, BITMAP* picture)
{
    std::string path = folder + "/" + name;
    if (save_bmp(path.c_str(), picture, nullptr) != 0)
        fail("cannot write " + path);
    destroy_bitmap(picture);
}

bool touchesShape(BITMAP* picture, int x, int y, int outside)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            int nx = x + dx, ny = y + dy;
            bool inPicture = nx >= 0 && ny >= 0 && nx < picture->w && ny < picture->h;
            if (inPicture && getpixel(picture, nx, ny) != outside)
                return true;
        }
    return false;
}

// Rings everything drawn on `outside` with `width` pixels of `ink`.
void outlineShapes(BITMAP* picture, int outside, int ink, int width)
{
    BITMAP* before = newPicture(picture->w, picture->h, outside);
    for (int pass = 0; pass < width; ++pass) {
        blit(picture, before, 0, 0, 0, 0, picture->w, picture->h);
        for (int y = 0; y < picture->h; ++y)
            for (int x = 0; x < picture->w; ++x)
                if (getpixel(before, x, y) == outside && touchesShape(before, x, y, outside))
                    putpixel(picture, x, y, ink);
    }
    destroy_bitmap(before);
}

// The window shape: black wherever something is drawn, white elsewhere.
BITMAP* maskOf(BITMAP* picture, int outside)
{
    BITMAP* mask = newPicture(picture->w, picture->h, makecol(255, 255, 255));
    for (int y = 0; y < picture->h; ++y)
        for (int x = 0; x < picture->w; ++x)
            if (getpixel(picture, x, y) != outside)
                putpixel(mask, x, y, makecol(0, 0, 0));
    return mask;
}

void thickLine(BITMAP* picture, int x1, int y1, int x2, int y2, int radius, int colour)
{
    int steps = std::max({std::abs(x2 - x1), std::abs(y2 - y1), 1});
    for (int i = 0; i <= steps; ++i)
        circlefill(picture, x1 + (x2 - x1) * i / steps, y1 + (y2 - y1) * i / steps, radius, colour);
}

void roundRect(BITMAP* picture, int x1, int y1, int x2, int y2, int radius, int colour)
{
    rectfill(picture, x1 + radius, y1, x2 - radius, y2, colour);
    rectfill(picture, x1, y1 + radius, x2, y2 - radius, colour);
    circlefill(picture, x1 + radius, y1 + radius, radius, colour);
    circlefill(picture, x2 - radius, y1 + radius, radius, colour);
    circlefill(picture, x1 + radius, y2 - radius, radius, colour);
    circlefill(picture, x2 - radius, y2 - radius, radius, colour);
}

// An oval eye of one colour ringed by `ink`, marked at its centre.
void drawEye(BITMAP* picture, int x, int y, int rx, int ry, int ink, int white)
{
    ellipsefill(picture, x, y, rx + 2, ry + 2, ink);
    ellipsefill(picture, x, y, rx, ry, white);
    putpixel(picture, x, y, magenta());
}

// An open grin: the lower half of an oval, ringed by `ink`, with a tongue.
void drawGrin(BITMAP* picture, int x, int y, int rx, int ry, int ink, int skin)
{
    ellipsefill(picture, x, y, rx, ry, ink);
    ellipsefill(picture, x, y, rx - 2, ry - 2, makecol(150, 30, 40));
    ellipsefill(picture, x, y + ry / 2, rx / 2, ry / 4, makecol(240, 110, 120));
    rectfill(picture, x - rx, y - ry, x + rx, y - 1, skin);
    rectfill(picture, x - rx, y, x + rx, y + 1, ink);
}

void drawDefaultFace(const std::string& folder)
{
    const int outside = makecol(200, 200, 200), ink = makecol(80, 50, 30);
    const int face = makecol(255, 208, 80), leaf = makecol(100, 190, 70);
    BITMAP* picture = newPicture(200, 210, outside);
    circlefill(picture, 100, 117, 88, face);
    thickLine(picture, 100, 32, 100, 16, 2, leaf);
    ellipsefill(picture, 86, 13, 12, 6, leaf);
    ellipsefill(picture, 115, 11, 12, 6, leaf);
    outlineShapes(picture, outside, ink, 2);
    save(folder, "mask.bmp", maskOf(picture, outside));

    line(picture, 78, 13, 96, 14, makecol(60, 140, 50));
    line(picture, 105, 12, 124, 10, makecol(60, 140, 50));
    ellipsefill(picture, 58, 62, 14, 7, makecol(255, 236, 170));
    ellipsefill(picture, 46, 140, 15, 9, makecol(255, 160, 130));
    ellipsefill(picture, 154, 140, 15, 9, makecol(255, 160, 130));
    drawEye(picture, 68, 102, 15, 20, ink, makecol(255, 255, 255));
    drawEye(picture, 132, 102, 15, 20, ink, makecol(255, 255, 255));
    drawGrin(picture, 100, 150, 26, 20, ink, face);
    save(folder, "main.bmp", picture);
}

// A round owl cut out by its mask, with its own pupils under a fixed glint.
void drawOwl(const std::string& folder)
{
    const int outside = makecol(200, 200, 200), ink = makecol(70, 42, 25);
    const int feather = makecol(160, 105, 60), wing = makecol(125, 80, 45);
    const int pale = makecol(245, 225, 190), beak = makecol(250, 160, 40);
    BITMAP* picture = newPicture(200, 226, outside);
    ellipsefill(picture, 36, 150, 20, 46, wing);
    ellipsefill(picture, 164, 150, 20, 46, wing);
    ellipsefill(picture, 100, 146, 70, 70, feather);
    ellipsefill(picture, 100, 90, 72, 52, feather);
    triangle(picture, 32, 72, 42, 14, 80, 46, feather);
    triangle(picture, 168, 72, 158, 14, 120, 46, feather);
    ellipsefill(picture, 80, 216, 12, 6, beak);
    ellipsefill(picture, 120, 216, 12, 6, beak);
    outlineShapes(picture, outside, ink, 2);
    save(folder, "mask.bmp", maskOf(picture, outside));

    ellipsefill(picture, 100, 162, 44, 46, pale);
    for (int row = 0; row < 4; ++row)
        for (int x = 78 + (row % 2) * 11; x <= 122; x += 22) {
            int y = 136 + row * 16;
            line(picture, x - 5, y, x, y + 4, wing);
            line(picture, x, y + 4, x + 5, y, wing);
        }
    for (int side = -1; side <= 1; side += 2) {
        for (int y = 126; y <= 170; y += 14)
            line(picture, 100 + side * 66, y, 100 + side * 56, y + 10, ink);
        circlefill(picture, 100 + side * 31, 94, 32, ink);
    }
    circlefill(picture, 69, 94, 30, pale);
    circlefill(picture, 131, 94, 30, pale);
    const int iris = makecol(255, 205, 50), glint = makecol(255, 255, 255);
    drawEye(picture, 69, 94, 17, 17, ink, iris);
    drawEye(picture, 131, 94, 17, 17, ink, iris);
    circlefill(picture, 76, 86, 3, glint);
    circlefill(picture, 138, 86, 3, glint);
    triangle(picture, 88, 110, 112, 110, 100, 136, ink);
    triangle(picture, 92, 112, 108, 112, 100, 131, beak);
    save(folder, "main.bmp", picture);

    BITMAP* pupil = newPicture(13, 13, magenta());
    circlefill(pupil, 6, 6, 6, makecol(20, 15, 10));
    save(folder, "eye.bmp", pupil);
}

// A square robot seen whole: screen eyes with a glowing backdrop, and one
// eye that shows a heart instead of the shared pupil.
void drawRobot(const std::string& folder)
{
    const int w = 220, h = 170, eyeY = 70, eyeX[] = {62, 158};
    const int ink = makecol(40, 44, 56), steel = makecol(165, 175, 190);
    BITMAP* picture = newPicture(w, h, ink);
    roundRect(picture, 3, 3, w - 4, h - 4, 10, steel);
    rectfill(picture, 70, 10, 150, 24, makecol(120, 130, 148));
    circlefill(picture, 92, 17, 4, makecol(240, 70, 60));
    circlefill(picture, 110, 17, 4, makecol(250, 200, 50));
    circlefill(picture, 128, 17, 4, makecol(90, 210, 90));
    for (int x : {16, w - 17})
        for (int y : {16, h - 17}) {
            circlefill(picture, x, y, 5, makecol(110, 118, 132));
            circlefill(picture, x - 1, y - 1, 2, makecol(225, 230, 238));
        }
    for (int x : eyeX) {
        roundRect(picture, x - 34, eyeY - 28, x + 34, eyeY + 28, 10, ink);
        roundRect(picture, x - 30, eyeY - 24, x + 30, eyeY + 24, 7, makecol(200, 225, 235));
        putpixel(picture, x, eyeY, magenta());
    }
    roundRect(picture, 64, 118, 156, 150, 8, ink);
    for (int x = 72; x <= 148; x += 10)
        rectfill(picture, x, 124, x + 4, 144, makecol(95, 105, 120));
    circlefill(picture, 30, 134, 8, makecol(250, 150, 160));
    circlefill(picture, w - 31, 134, 8, makecol(250, 150, 160));
    save(folder, "main.bmp", picture);

    BITMAP* screen = newPicture(w, h, makecol(8, 28, 34));
    for (int x : eyeX)
        for (int r = 34; r > 0; r -= 4)
            circlefill(screen, x, eyeY, r, makecol(8, 28 + (34 - r) * 2, 34 + (34 - r) * 2));
    for (int y = 0; y < h; y += 2)
        hline(screen, 0, y, w - 1, makecol(4, 16, 20));
    save(folder, "eyebg.bmp", screen);

    BITMAP* pupil = newPicture(15, 15, magenta());
    circlefill(pupil, 7, 7, 7, makecol(0, 190, 215));
    circlefill(pupil, 7, 7, 4, makecol(120, 240, 255));
    circlefill(pupil, 7, 7, 1, makecol(235, 255, 255));
    save(folder, "eye.bmp", pupil);

    BITMAP* heart = newPicture(15, 14, magenta());
    const int pink = makecol(255, 90, 140);
    circlefill(heart, 4, 4, 4, pink);
    circlefill(heart, 10, 4, 4, pink);
    triangle(heart, 0, 5, 14, 5, 7, 13, pink);
    circlefill(heart, 3, 3, 1, makecol(255, 210, 225));
    save(folder, "eye2.bmp", heart);
}

// A five-eyed blob, two of the eyes on stalks.
void drawMonster(const std::string& folder)
{
    const int outside = makecol(200, 200, 200), ink = makecol(35, 70, 30);
    const int body = makecol(130, 200, 80), belly = makecol(175, 225, 125);
    BITMAP* picture = newPicture(230, 212, outside);
    thickLine(picture, 82, 84, 58, 36, 4, body);
    thickLine(picture, 148, 84, 172, 32, 4, body);
    circlefill(picture, 58, 32, 15, body);
    circlefill(picture, 172, 28, 15, body);
    ellipsefill(picture, 75, 194, 20, 10, body);
    ellipsefill(picture, 155, 194, 20, 10, body);
    ellipsefill(picture, 115, 132, 92, 64, body);
    outlineShapes(picture, outside, ink, 2);
    save(folder, "mask.bmp", maskOf(picture, outside));

    ellipsefill(picture, 115, 156, 62, 36, belly);
    const int spot = makecol(100, 170, 60);
    circlefill(picture, 40, 132, 7, spot);
    circlefill(picture, 52, 158, 4, spot);
    circlefill(picture, 192, 126, 8, spot);
    circlefill(picture, 178, 104, 4, spot);
    const int white = makecol(255, 255, 255);
    drawEye(picture, 58, 32, 10, 10, ink, white);
    drawEye(picture, 172, 28, 10, 10, ink, white);
    drawEye(picture, 115, 104, 19, 19, ink, white);
    drawEye(picture, 66, 118, 12, 12, ink, white);
    drawEye(picture, 164, 118, 12, 12, ink, white);
    drawGrin(picture, 115, 154, 36, 20, ink, belly);
    for (int x : {100, 130})
        triangle(picture, x - 5, 156, x + 5, 156, x, 164, makecol(250, 250, 235));
    save(folder, "main.bmp", picture);
}

struct Marker {
    int x, y;
};

std::vector<Marker> findMarkers(BITMAP* picture)
{
    std::vector<Marker> markers;
    for (int y = 0; y < picture->h; ++y)
        for (int x = 0; x < picture->w; ++x)
            if (getpixel(picture, x, y) == magenta())
                markers.push_back({x, y});
    return markers;
}

bool areaTouchesEdge(BITMAP* picture, int colour)
{
    for (int x = 0; x < picture->w; ++x)
        if (getpixel(picture, x, 0) == colour || getpixel(picture, x, picture->h - 1) == colour)
            return true;
    for (int y = 0; y < picture->h; ++y)
        if (getpixel(picture, 0, y) == colour || getpixel(picture, picture->w - 1, y) == colour)
            return true;
    return false;
}

// Reads a saved main picture back and checks what eye detection relies on:
// the intended number of markers, each under a pixel of the one eye colour,
// each in an area of its own that stays clear of the picture's edge.
void checkPictureEyes(BITMAP* picture, const std::string& path, int expected)
{
    std::vector<Marker> markers = findMarkers(picture);
    if (static_cast<int>(markers.size()) != expected)
        fail(path + ": " + std::to_string(markers.size()) + " markers, expected " + std::to_string(expected));
    int white = markers.empty() ? 0 : getpixel(picture, markers[0].x, markers[0].y - 1);
    for (const Marker& m : markers) {
        if (getpixel(picture, m.x, m.y - 1) != white)
            fail(path + ": the pixel above a marker is not the eye colour");
        putpixel(picture, m.x, m.y, white);
    }
    for (const Marker& m : markers) {
        if (getpixel(picture, m.x, m.y) != white)
            fail(path + ": two markers share one eye");
        floodfill(picture, m.x, m.y, magenta());
    }
    if (areaTouchesEdge(picture, magenta()))
        fail(path + ": an eye reaches the edge");
    std::printf("%s: %d eyes\n", path.c_str(), expected);
}

void checkEyes(const std::string& folder, int expected)
{
    std::string path = folder + "/main.bmp";
    BITMAP* picture = load_bitmap(path.c_str(), nullptr);
    if (!picture)
        fail("cannot read " + path);
    checkPictureEyes(picture, path, expected);
    destroy_bitmap(picture);
}


// A picture with straight (not premultiplied) alpha, one byte a pixel.
struct AlphaPicture {
    BITMAP* colour;
    std::vector<uint8_t> alpha;
    uint8_t& at(int x, int y) { return alpha[size_t(y) * colour->w + x]; }
};

// Each pixel of `big` (factor times the size) averaged: the colour of what was
// drawn over `outside`, and how much of the pixel it covers as its alpha.
AlphaPicture downsample(BITMAP* big, int factor, int outside)
{
    AlphaPicture out{newPicture(big->w / factor, big->h / factor, 0), {}};
    out.alpha.assign(size_t(out.colour->w) * out.colour->h, 0);
    for (int y = 0; y < out.colour->h; ++y)
        for (int x = 0; x < out.colour->w; ++x) {
            int r = 0, g = 0, b = 0, covered = 0;
            for (int sy = 0; sy < factor; ++sy)
                for (int sx = 0; sx < factor; ++sx) {
                    int c = getpixel(big, x * factor + sx, y * factor + sy);
                    if (c == outside)
                        continue;
                    r += getr(c), g += getg(c), b += getb(c), ++covered;
                }
            if (covered)
                putpixel(out.colour, x, y, makecol(r / covered, g / covered, b / covered));
            out.at(x, y) = uint8_t(covered * 255 / (factor * factor));
        }
    return out;
}

// Three passes of a box blur approach a Gaussian.
std::vector<float> blurred(const std::vector<uint8_t>& alpha, int w, int h, int radius)
{
    std::vector<float> now(alpha.begin(), alpha.end()), next(now.size());
    for (int pass = 0; pass < 3; ++pass)
        for (bool across : {true, false}) {
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    float sum = 0;
                    for (int d = -radius; d <= radius; ++d) {
                        int nx = across ? x + d : x, ny = across ? y : y + d;
                        if (nx >= 0 && ny >= 0 && nx < w && ny < h)
                            sum += now[size_t(ny) * w + nx];
                    }
                    next[size_t(y) * w + x] = sum / float(2 * radius + 1);
                }
            now.swap(next);
        }
    return now;
}

// A soft shadow of the whole picture, down and to the right, under it.
void addShadow(AlphaPicture& picture, int dx, int dy, float strength)
{
    const int w = picture.colour->w, h = picture.colour->h;
    std::vector<float> shadow = blurred(picture.alpha, w, h, 3);
    for (int y = h - 1; y >= 0; --y)
        for (int x = w - 1; x >= 0; --x) {
            int sx = x - dx, sy = y - dy;
            float under = sx >= 0 && sy >= 0 ? shadow[size_t(sy) * w + sx] * strength / 255 : 0;
            float top = picture.at(x, y) / 255.0f;
            float both = top + under * (1 - top);
            if (both <= 0)
                continue;
            int c = getpixel(picture.colour, x, y);
            auto mix = [&](int channel) { return int(std::lround(channel * top / both)); };  // the shadow is black
            putpixel(picture.colour, x, y, makecol(mix(getr(c)), mix(getg(c)), mix(getb(c))));
            picture.at(x, y) = uint8_t(std::lround(both * 255));
        }
}

// An eye whose outline fades into the eyeball: a ring of ink that grows
// transparent towards the eye, so the eye's background shows through it.
void drawSoftEye(AlphaPicture& picture, int cx, int cy, int rx, int ry, int ink, int white)
{
    const float ring = 3.5f;
    for (int y = cy - ry - 6; y <= cy + ry + 6; ++y)
        for (int x = cx - rx - 6; x <= cx + rx + 6; ++x) {
            float e = std::hypot(float(x - cx) / rx, float(y - cy) / ry);
            float outside = (e - 1) * std::min(rx, ry);  // pixels beyond the eyeball
            if (outside <= 0) {
                putpixel(picture.colour, x, y, white);
                picture.at(x, y) = 255;
            } else if (outside < ring) {
                putpixel(picture.colour, x, y, ink);
                picture.at(x, y) = uint8_t(std::lround(255 * (0.25f + 0.75f * outside / ring)));
            }
        }
    putpixel(picture.colour, cx, cy, magenta());
}

void writeU16(std::FILE* file, uint32_t value)
{
    std::fputc(int(value & 0xff), file);
    std::fputc(int(value >> 8 & 0xff), file);
}

void writeU32(std::FILE* file, uint32_t value)
{
    writeU16(file, value & 0xffff);
    writeU16(file, value >> 16);
}

// A 32-bit BMP with a 124-byte header declaring an alpha mask, bottom-up, as
// GIMP writes one with "A8 R8 G8 B8".
void saveWithAlpha(const std::string& folder, const char* name, AlphaPicture& picture)
{
    std::string path = folder + "/" + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        fail("cannot write " + path);
    const uint32_t w = picture.colour->w, h = picture.colour->h, pixels = w * h * 4, headerEnd = 14 + 124;
    std::fputs("BM", file);
    writeU32(file, headerEnd + pixels);
    writeU32(file, 0);
    writeU32(file, headerEnd);
    const uint32_t header[] = {124, w, h, 1 | 32u << 16, 3 /* BI_BITFIELDS */, pixels, 2835, 2835, 0, 0,
                               0x00ff0000, 0x0000ff00, 0x000000ff, 0xff000000, 0x73524742 /* sRGB */};
    for (uint32_t value : header)
        writeU32(file, value);
    for (int i = 0; i < 12; ++i)  // colour end points and gammas, unused with sRGB
        writeU32(file, 0);
    const uint32_t rest[] = {4 /* LCS_GM_IMAGES */, 0, 0, 0};
    for (uint32_t value : rest)
        writeU32(file, value);
    for (int y = int(h) - 1; y >= 0; --y)
        for (int x = 0; x < int(w); ++x) {
            int c = getpixel(picture.colour, x, y);
            writeU32(file, uint32_t(picture.at(x, y)) << 24 | getr(c) << 16 | getg(c) << 8 | getb(c));
        }
    if (std::fclose(file) != 0)
        fail("cannot write " + path);
}

// A ghost with smooth edges and a soft shadow: an alpha skin. One eye has an
// anti-aliased outline, the other one that fades into the eyeball.
void drawGhost(const std::string& folder)
{
    const int factor = 4, w = 180, h = 200, outside = makecol(1, 2, 3);
    const int ink = makecol(60, 70, 110), body = makecol(236, 240, 255), white = makecol(255, 255, 255);
    BITMAP* big = newPicture(w * factor, h * factor, outside);
    auto drawBody = [&](int grow, int colour) {
        const int f = factor;
        circlefill(big, 84 * f, 80 * f, 66 * f + grow, colour);
        rectfill(big, 18 * f - grow, 80 * f, 150 * f + grow, 160 * f, colour);
        for (int i = 0; i < 4; ++i)
            circlefill(big, (34 + i * 33) * f, 160 * f, 16 * f + grow, colour);
    };
    drawBody(2 * factor, ink);
    drawBody(0, body);
    ellipsefill(big, 62 * factor, 70 * factor, 18 * factor, 22 * factor, ink);
    ellipsefill(big, 62 * factor, 70 * factor, 15 * factor, 19 * factor, white);
    ellipsefill(big, 84 * factor, 128 * factor, 12 * factor, 8 * factor, ink);
    AlphaPicture picture = downsample(big, factor, outside);
    destroy_bitmap(big);
    putpixel(picture.colour, 62, 70, magenta());
    drawSoftEye(picture, 108, 70, 15, 19, ink, white);
    addShadow(picture, 8, 10, 0.5f);
    BITMAP* copy = newPicture(w, h, 0);
    blit(picture.colour, copy, 0, 0, 0, 0, w, h);
    checkPictureEyes(copy, folder + "/main.bmp", 2);
    destroy_bitmap(copy);
    saveWithAlpha(folder, "main.bmp", picture);
    destroy_bitmap(picture.colour);
}

} // namespace

int main(int argc, char** argv)
{
    const std::string root = argc > 1 ? argv[1] : "skins";
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_conversion(COLORCONV_TOTAL);
    set_color_depth(32);

    makeFolder(root);
    drawDefaultFace(root);
    checkEyes(root, 2);
    const struct {
        const char* name;
        void (*draw)(const std::string&);
        int eyes;
    } skins[] = {{"owl", drawOwl, 2}, {"robot", drawRobot, 2}, {"monster", drawMonster, 5}};
    for (const auto& skin : skins) {
        std::string folder = root + "/" + skin.name;
        makeFolder(folder);
        skin.draw(folder);
        checkEyes(folder, skin.eyes);
    }
    makeFolder(root + "/ghost");
    drawGhost(root + "/ghost");
    return 0;
}
