#include "checker/findings.h"

#include <allegro.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>

#include "os/translation.h"
#include "skin/bmp_reader.h"
#include "skin/picture.h"
#include "skin/skin.h"

namespace {

std::string point(POINT p)
{
    return "(" + std::to_string(p.x) + ", " + std::to_string(p.y) + ")";
}

std::string size(int width, int height)
{
    return std::to_string(width) + " x " + std::to_string(height);
}

uint32_t pixelAt(BITMAP* picture, int x, int y)
{
    return reinterpret_cast<const uint32_t*>(picture->line[y])[x];
}

// The fourth bytes of a 32-bit file that the program will not read as alpha:
// the file's header must declare an alpha mask, and only a main picture with
// alpha makes a skin read any.
void checkFourthBytes(const std::string& name, const FourthBytes& fourth, bool skinHasAlpha,
                      std::vector<Warning>& warnings)
{
    if (fourth.ignored)
        warnings.push_back({Problem::FourthBytesIgnored,
                            // Translators: a file of the skin, such as main.bmp; the name of GIMP's export option, which GIMP
                            // shows untranslated
                            translateWith("%s carries fourth bytes that are ignored, as Windows ignores them: its "
                                          "header declares no alpha mask. For soft edges, save it as a 32-bit BMP "
                                          "with an alpha channel (GIMP: \"%s\"; see the README)",
                                          {name, "A8 R8 G8 B8"})});
    if (!fourth.alpha.empty() && !skinHasAlpha && name != "main.bmp")
        warnings.push_back({Problem::AlphaUnused,
                            // Translators: a file of the skin, such as eyebg.bmp
                            translateWith("%s has an alpha channel, which is ignored because main.bmp has none",
                                          {name})});
}

// A file the program may read: null when it is missing or unreadable, and
// the latter is worth a warning, since the program silently does without it.
Picture readSkinFile(const std::string& folder, const std::string& name, bool skinHasAlpha,
                     std::vector<Warning>& warnings)
{
    const std::string path = (std::filesystem::path(folder) / name).string();
    FourthBytes fourth;
    BmpRefusal refusal;
    Picture picture(loadBitmapFile(path.c_str(), nullptr, &fourth, &refusal));
    if (!picture && refusal.fault != BmpFault::Missing)
        warnings.push_back({Problem::UnreadableFile,
                            // Translators: a file of the skin, such as mask.bmp
                            translateWith("%s is there but cannot be read as a BMP picture; the program ignores it",
                                          {name})
                                + "\n    " + explainRefusal(name, refusal)});
    checkFourthBytes(name, fourth, skinHasAlpha, warnings);
    return picture;
}

struct Markers {
    long count = 0;
    std::vector<POINT> first;  // in scan order, one past the eye limit
};

bool isMarker(BITMAP* picture, int x, int y)
{
    return static_cast<int>(pixelAt(picture, x, y)) == bitmap_mask_color(picture);
}

Markers findMarkers(BITMAP* picture)
{
    Markers markers;
    for (int y = 0; y < picture->h; ++y)
        for (int x = 0; x < picture->w; ++x) {
            if (!isMarker(picture, x, y))
                continue;
            if (markers.first.size() <= MAX_EYES)
                markers.first.push_back({x, y});
            ++markers.count;
        }
    return markers;
}

// The marker takes the colour above it (below it on the top row) and the area
// of that colour is filled. That is the wrong area when most of the marker's
// other neighbours have another colour than that pixel.
bool fillsAnotherArea(BITMAP* picture, POINT marker)
{
    const POINT reference{marker.x, marker.y > 0 ? marker.y - 1 : marker.y + 1};
    const int referenceColour = getpixel(picture, reference.x, reference.y);
    if (referenceColour == bitmap_mask_color(picture))
        return false;  // two markers in a row share one area
    std::map<int, int> neighbours;
    const POINT around[] = {{marker.x - 1, marker.y}, {marker.x + 1, marker.y}, {marker.x, marker.y - 1},
                            {marker.x, marker.y + 1}};
    for (POINT p : around) {
        bool inside = p.x >= 0 && p.y >= 0 && p.x < picture->w && p.y < picture->h;
        if (inside && !isMarker(picture, p.x, p.y) && (p.x != reference.x || p.y != reference.y))
            ++neighbours[getpixel(picture, p.x, p.y)];
    }
    auto same = neighbours.find(referenceColour);
    const int sameCount = same == neighbours.end() ? 0 : same->second;
    for (auto [colour, count] : neighbours)
        if (count > sameCount)
            return true;
    return false;
}

void checkMarkers(BITMAP* original, std::vector<Warning>& warnings)
{
    const Markers markers = findMarkers(original);
    if (markers.count == 0)
        warnings.push_back(
            {Problem::NoMarkers, translate("main.bmp has no magenta marker pixel, so the face has no eyes")});
    if (markers.count > MAX_EYES) {
        // Translators: the number of marker pixels, which picks the form; the most eyes a
        // skin has (16); the first marker left over, as "(x, y)" in pixels.
        const char* text = translatePlural("main.bmp has %s magenta marker; only the first %s become eyes, the "
                                           "others (the first at %s) stay opaque",
                                           "main.bmp has %s magenta markers; only the first %s become eyes, the "
                                           "others (the first at %s) stay opaque",
                                           static_cast<unsigned long>(markers.count));
        warnings.push_back({Problem::TooManyMarkers, fillIn(text, {std::to_string(markers.count),
                                                                   std::to_string(MAX_EYES),
                                                                   point(markers.first[MAX_EYES])})});
    }
    for (size_t i = 0; i < markers.first.size() && i < MAX_EYES; ++i) {
        POINT marker = markers.first[i];
        if (!fillsAnotherArea(original, marker))
            continue;
        // Translators: the eye's number; its marker's position, as "(x, y)" in pixels
        const char* text = marker.y > 0 ? translate("eye %s: the pixel above its marker at %s has another colour "
                                                    "than most pixels around the marker, so the area of that colour "
                                                    "is made transparent instead of the eye")
                                        // Translators: the eye's number; its marker's position, as "(x, y)" in pixels
                                        : translate("eye %s: the pixel below its marker at %s has another colour "
                                                    "than most pixels around the marker, so the area of that colour "
                                                    "is made transparent instead of the eye");
        warnings.push_back({Problem::MarkerFillsAnotherArea, fillIn(text, {std::to_string(i + 1), point(marker)})});
    }
}

// Where eye detection left an eye's transparent area: the mask colour, or in a
// skin with alpha, no colour at all where an eye lies behind the picture.
bool inEyeArea(const Skin& skin, int x, int y)
{
    if (!skin.hasAlpha)
        return isMarker(skin.mainImage.get(), x, y);
    return pixelAt(skin.mainImage.get(), x, y) == 0 && skin.behindPicture[size_t(y) * skin.getWidth() + x];
}

struct Area {
    long pixels = 0;
    bool reachesEdge = false;
};

// The transparent area around each eye's marker once every eye is filled.
// Eyes that ended up in one area share its measure.
std::vector<Area> measureAreas(const Skin& skin)
{
    BITMAP* image = skin.mainImage.get();
    Picture labels(create_bitmap(image->w, image->h));
    if (!labels)
        return std::vector<Area>(skin.eyeCount);
    const int unlabelled = 1;
    for (int y = 0; y < image->h; ++y)
        for (int x = 0; x < image->w; ++x)
            reinterpret_cast<uint32_t*>(labels->line[y])[x] = inEyeArea(skin, x, y) ? unlabelled : 0;
    std::vector<Area> areas;
    for (int i = 0; i < skin.eyeCount; ++i) {
        POINT centre = skin.eyeCentres[i];
        int label = getpixel(labels.get(), centre.x, centre.y);
        if (label > unlabelled) {
            areas.push_back(areas[label - unlabelled - 1]);
            continue;
        }
        label = unlabelled + 1 + i;
        floodfill(labels.get(), centre.x, centre.y, label);
        Area area;
        for (int y = 0; y < image->h; ++y)
            for (int x = 0; x < image->w; ++x)
                if (static_cast<int>(pixelAt(labels.get(), x, y)) == label) {
                    ++area.pixels;
                    area.reachesEdge |= x == 0 || y == 0 || x == image->w - 1 || y == image->h - 1;
                }
        areas.push_back(area);
    }
    return areas;
}

void checkAreas(const Skin& skin, std::vector<Warning>& warnings)
{
    const std::vector<Area> areas = measureAreas(skin);
    const long total = static_cast<long>(skin.getWidth()) * skin.getHeight();
    for (int i = 0; i < skin.eyeCount; ++i) {
        if (areas[i].reachesEdge)
            warnings.push_back({Problem::AreaReachesEdge,
                                // Translators: the eye's number
                                translateWith("eye %s: its transparent area reaches the edge of the picture; is the "
                                              "eye's outline closed?",
                                              {std::to_string(i + 1)})});
        if (areas[i].pixels * 2 > total) {
            // Translators: the eye's number; the pixels of its area; the picture's pixels, which pick the form.
            const char* text = translatePlural("eye %s: its transparent area covers %s of the picture's %s pixel",
                                               "eye %s: its transparent area covers %s of the picture's %s pixels",
                                               static_cast<unsigned long>(total));
            warnings.push_back({Problem::AreaCoversMostOfPicture,
                                fillIn(text, {std::to_string(i + 1), std::to_string(areas[i].pixels),
                                              std::to_string(total)})});
        }
    }
}

void checkMask(BITMAP* mask, const Skin& skin, std::vector<Warning>& warnings)
{
    if (mask->w != skin.getWidth() || mask->h != skin.getHeight())
        warnings.push_back({Problem::MaskSizeDiffers,
                            // Translators: the two pictures' sizes, as "width x height" in pixels
                            translateWith("mask.bmp is %s but main.bmp is %s; the window is shaped by the mask's "
                                          "own size",
                                          {size(mask->w, mask->h), size(skin.getWidth(), skin.getHeight())})});
    for (int y = 0; y < mask->h; ++y)
        for (int x = 0; x < mask->w; ++x)
            if (pixelAt(mask, x, y) == 0)
                return;
    warnings.push_back(
        {Problem::MaskShowsNothing, translate("mask.bmp has no black pixel, so nothing of the window shows")});
}

void checkBackground(BITMAP* background, const Skin& skin, std::vector<Warning>& warnings)
{
    if (background->w < skin.getWidth() || background->h < skin.getHeight())
        warnings.push_back({Problem::BackgroundSmaller,
                            // Translators: the two pictures' sizes, as "width x height" in pixels
                            translateWith("eyebg.bmp is %s, smaller than main.bmp's %s; pupils leave trails in "
                                          "eyes beyond its edge",
                                          {size(background->w, background->h),
                                           size(skin.getWidth(), skin.getHeight())})});
}

EyeFinding describeEye(const Skin& skin, int i, bool numbered, bool shared)
{
    BITMAP* pupil = skin.pupils[i].get();
    std::string file = numbered ? pupilFileName(i) : shared ? "eye.bmp" : translate("built-in oval");
    return {skin.eyeCentres[i], skin.eyeBounds[i], file, pupil ? pupil->w : 0, pupil ? pupil->h : 0};
}

void checkPupil(const EyeFinding& eye, int i, std::vector<Warning>& warnings)
{
    int width = eye.bounds.right - eye.bounds.left;
    int height = eye.bounds.bottom - eye.bounds.top;
    if (eye.pupilWidth > width || eye.pupilHeight > height)
        warnings.push_back({Problem::PupilLargerThanEye,
                            // Translators: the eye's number; the pupil's file, or "built-in oval"; the pupil's and the
                            // eye's sizes, as "width x height" in pixels
                            translateWith("eye %s: its pupil (%s, %s) is larger than the eye (%s), so only part of "
                                          "it shows",
                                          {std::to_string(i + 1), eye.pupilFile,
                                           size(eye.pupilWidth, eye.pupilHeight), size(width, height)})});
}

}  // namespace

Findings findProblems(const std::string& folder, const Skin& skin)
{
    Findings findings;
    findings.width = skin.getWidth();
    findings.height = skin.getHeight();
    std::vector<Warning>& warnings = findings.warnings;
    std::vector<Warning> fileWarnings;
    findings.alpha = skin.hasAlpha;
    Picture mask = readSkinFile(folder, "mask.bmp", skin.hasAlpha, fileWarnings);
    Picture background = readSkinFile(folder, "eyebg.bmp", skin.hasAlpha, fileWarnings);
    const bool shared = readSkinFile(folder, "eye.bmp", skin.hasAlpha, fileWarnings) != nullptr;
    bool numbered[MAX_EYES];
    for (int i = 0; i < MAX_EYES; ++i)
        numbered[i] = readSkinFile(folder, pupilFileName(i), skin.hasAlpha, fileWarnings) != nullptr;

    if (Picture original = readSkinFile(folder, "main.bmp", skin.hasAlpha, fileWarnings))
        checkMarkers(original.get(), warnings);
    checkAreas(skin, warnings);
    for (int i = 0; i < skin.eyeCount; ++i) {
        findings.eyes.push_back(describeEye(skin, i, numbered[i], shared));
        checkPupil(findings.eyes.back(), i, warnings);
    }
    findings.maskUsed = mask != nullptr;
    if (mask)
        checkMask(mask.get(), skin, warnings);
    findings.backgroundUsed = background != nullptr;
    if (background)
        checkBackground(background.get(), skin, warnings);
    warnings.insert(warnings.end(), fileWarnings.begin(), fileWarnings.end());
    return findings;
}
