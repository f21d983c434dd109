#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/region.h"
#include "skin/bmp_reader.h"
#include "skin/rect_print.h"
#include "skin/skin_files.h"

namespace {

namespace fs = std::filesystem;
using Rects = std::vector<RECT>;

// A grey face count * 20 wide and 10 high; eye i is a white 3 x 3 square around (20i + 6, 4).
BITMAP* faceWithEyes(int count)
{
    BITMAP* face = makeBitmap(20 * count, 10, grey);
    for (int i = 0; i < count; ++i) {
        rectfill(face, 20 * i + 5, 3, 20 * i + 7, 5, white);
        putpixel(face, 20 * i + 6, 4, magenta());
    }
    return face;
}

std::string expectedMessage(const std::string& folder)
{
    return "Problem loading \"" + fs::current_path().string() + "/" + folder + "\". Skin not loaded.";
}

TEST_F(SkinTest, MissingOrBrokenMainPictureIsReportedWithTheFolderPathAndLeavesNothing)
{
    Skin fresh;
    EXPECT_EQ(fresh.getWidth(), 0);
    EXPECT_EQ(fresh.getHeight(), 0);
    EXPECT_EQ(fresh.getRegion(), nullptr);

    storeSkinName("blue");
    saveInto("skins/blue", "eye.bmp", makeBitmap(3, 3, 0));
    EXPECT_FALSE(load());
    makeDirs("skins/broken");
    writeFile("skins/broken/main.bmp", "BM but not really a picture");
    storeSkinName("broken/");
    EXPECT_FALSE(load());

    const auto& boxes = headless::messageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, expectedMessage("skins/blue/"));
    EXPECT_EQ(boxes[1].text, expectedMessage("skins/broken/"));
    EXPECT_EQ(boxes[0].caption, "Problem loading Skin");
    EXPECT_EQ(skin->mainImage, nullptr);
    EXPECT_EQ(skin->canvas, nullptr);
    EXPECT_EQ(skin->background, nullptr);
    EXPECT_EQ(skin->eyeCount, 0);
    EXPECT_EQ(skin->getRegion(), nullptr);
    EXPECT_EQ(skin->getWidth(), 0);
}

TEST_F(SkinTest, WithoutAStoredNameTheSkinsFolderItselfIsLoaded)
{
    saveInto("skins", "eyebg.bmp", makeBitmap(5, 5, white));
    ASSERT_TRUE(loadMain(makeBitmap(30, 20, grey)));

    EXPECT_EQ(skin->getWidth(), 30);
    EXPECT_EQ(skin->getHeight(), 20);
    EXPECT_EQ(regionRects(skin->getRegion()), (Rects{{0, 0, 30, 20}})) << "no mask: the whole picture";
    ASSERT_NE(skin->canvas, nullptr);
    EXPECT_EQ(skin->canvas->w, 30);
    EXPECT_EQ(skin->canvas->h, 20);
    EXPECT_EQ(getpixel(skin->canvas, 29, 19), 0);
    EXPECT_EQ(skin->eyeCount, 0);
    EXPECT_EQ(skin->pupils[0], nullptr);
    ASSERT_NE(skin->background, nullptr) << "read even without eyes";
    EXPECT_EQ(getpixel(skin->background, 0, 0), white);
    EXPECT_EQ(getpixel(skin->mainImage, 0, 0), grey);
    EXPECT_TRUE(headless::messageBoxes().empty());
}

TEST_F(SkinTest, AStoredNameNamesOneFolderWithOrWithoutItsTrailingSlash)
{
    saveInto("skins/green", "main.bmp", makeBitmap(8, 6, grey));
    for (const char* name : {"green", "green/"}) {
        storeSkinName(name);
        ASSERT_TRUE(load()) << name;
        EXPECT_EQ(skin->getWidth(), 8) << name;
    }
    storeSkinName("none/");
    EXPECT_FALSE(load());
    EXPECT_EQ(headless::messageBoxes().back().text, expectedMessage("skins/none/"));
}

TEST_F(SkinTest, AStoredNameLongerThan511CharactersIsCut)
{
    // Folder names are at most 255 bytes, so the 511 kept characters are a path of several.
    std::string kept;
    for (int i = 0; i < 5; ++i)
        kept += std::string(99, 'a' + i) + "/";
    kept += std::string(11, 'y');
    ASSERT_EQ(kept.size(), 511u);
    saveInto("skins/" + kept, "main.bmp", makeBitmap(7, 3, grey));
    storeSkinName(kept + std::string(100, 'z'));

    ASSERT_TRUE(load());
    EXPECT_EQ(skin->getWidth(), 7);
}

TEST_F(SkinTest, AWorkingDirectoryOfTwoKilobytesWorks)
{
    std::string deep;
    for (int i = 0; i < 10; ++i)
        deep += std::string(200, 'd') + "/";
    makeDirs(deep);
    ASSERT_EQ(chdir(deep.c_str()), 0);
    ASSERT_GT(fs::current_path().string().size(), 2000u);

    ASSERT_TRUE(loadMain(makeBitmap(9, 4, grey)));
    EXPECT_EQ(skin->getWidth(), 9);
    storeSkinName("gone");
    EXPECT_FALSE(load());
    EXPECT_EQ(headless::messageBoxes().back().text, expectedMessage("skins/gone/")) << "the message is not cut";
}

TEST_F(SkinTest, TheWindowShapeIsExactlyTheBlackPixelsOfTheMask)
{
    BITMAP* mask = makeBitmap(40, 12, white);  // other size than the main picture: the mask's counts
    circlefill(mask, 20, 6, 5, 0);
    rectfill(mask, 0, 0, 3, 11, 0);
    rectfill(mask, 30, 0, 39, 0, 0);
    putpixel(mask, 20, 6, 0x010000);  // nearly black is outside
    putpixel(mask, 39, 11, 0);
    BITMAP* copy = create_bitmap(40, 12);
    blit(mask, copy, 0, 0, 0, 0, 40, 12);
    saveInto("skins", "mask.bmp", mask);
    ASSERT_TRUE(loadMain(makeBitmap(30, 20, grey)));

    HRGN shape = skin->getRegion();
    for (int y = -1; y <= 20; ++y)
        for (int x = -1; x <= 40; ++x)
            ASSERT_EQ(PtInRegion(shape, x, y), getpixel(copy, x, y) == 0) << x << "," << y;
    destroy_bitmap(copy);
}

TEST_F(SkinTest, MasksAllBlackWithoutBlackOrBrokenShapeTheWholeOrNothing)
{
    saveInto("skins", "mask.bmp", makeBitmap(30, 20, 0));
    ASSERT_TRUE(loadMain(makeBitmap(30, 20, grey)));
    EXPECT_EQ(regionRects(skin->getRegion()), (Rects{{0, 0, 30, 20}}));

    saveInto("skins", "mask.bmp", makeBitmap(30, 20, 0x000001));
    ASSERT_TRUE(load());
    EXPECT_NE(skin->getRegion(), nullptr);
    EXPECT_TRUE(regionRects(skin->getRegion()).empty()) << "nothing of the window is shown";

    writeFile("skins/mask.bmp", "not a picture");
    ASSERT_TRUE(load());
    EXPECT_EQ(regionRects(skin->getRegion()), (Rects{{0, 0, 30, 20}})) << "a broken mask counts as none";
}

TEST_F(SkinTest, PupilsComeFromTheNumberedFileThenTheSharedFileThenTheBuiltInOval)
{
    saveInto("skins", "eye1.bmp", makeBitmap(5, 5, white));
    writeFile("skins/eye2.bmp", "broken, so like missing");
    saveInto("skins", "eye.bmp", makeBitmap(7, 7, white));
    ASSERT_TRUE(loadMain(faceWithEyes(3)));

    ASSERT_EQ(skin->eyeCount, 3);
    EXPECT_EQ(skin->pupils[0]->w, 5);
    EXPECT_EQ(skin->pupils[1]->w, 7);
    EXPECT_EQ(skin->pupils[2]->w, 7);
    EXPECT_NE(skin->pupils[1], skin->pupils[2]) << "each eye owns its copy";

    writeFile("skins/eye.bmp", "broken too");
    ASSERT_TRUE(load());
    BITMAP* oval = skin->pupils[2];
    ASSERT_EQ(oval->w, 4);
    ASSERT_EQ(oval->h, 6);
    const char* rows[] = {"..#.", ".###", "####", "####", "####", ".###"};
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(getpixel(oval, x, y), rows[y][x] == '#' ? 0 : magenta()) << x << "," << y;
}

TEST_F(SkinTest, ABrokenEyeBackgroundIsLikeNone)
{
    writeFile("skins/eyebg.bmp", "broken");
    ASSERT_TRUE(loadMain(faceWithEyes(1)));
    EXPECT_EQ(skin->background, nullptr);
}

TEST_F(SkinTest, TheSkinFreesItsRegionUnlessItWasTaken)
{
    ASSERT_TRUE(loadMain(makeBitmap(4, 4, grey)));
    HRGN kept = skin->getRegion();
    skin.reset();
    EXPECT_FALSE(DeleteObject(kept)) << "already freed with the skin";

    ASSERT_TRUE(load());
    HRGN taken = skin->takeRegion();
    EXPECT_EQ(taken, skin->getRegion());
    skin.reset();
    EXPECT_TRUE(PtInRegion(taken, 3, 3));
    EXPECT_TRUE(DeleteObject(taken));
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool addressSanitized = true;
#elif defined(__has_feature)
constexpr bool addressSanitized = __has_feature(address_sanitizer);
#else
constexpr bool addressSanitized = false;
#endif

// Room for the main picture but not for a canvas of its size as well.
void loadWithoutRoomForTheCanvas()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    long sizeKb = 0;
    while (std::getline(status, line))
        if (line.rfind("VmSize:", 0) == 0)
            sizeKb = std::stol(line.substr(7));
    rlimit limit{};
    limit.rlim_cur = limit.rlim_max = (sizeKb << 10) + (220l << 20);
    setrlimit(RLIMIT_AS, &limit);
    BITMAP* alone = loadBitmapFile("skins/main.bmp", nullptr);
    if (!alone)
        _exit(2);  // the limit leaves no room even for the picture
    destroy_bitmap(alone);
    Skin skin;
    bool loaded = skin.load();
    bool toldOnce = headless::messageBoxes().size() == 1;
    _exit(!loaded && toldOnce && !skin.mainImage && !skin.canvas ? 0 : 1);
}

TEST_F(SkinTest, AMainPictureWithoutRoomForItsCanvasIsAFailedLoad)
{
    if (addressSanitized)
        GTEST_SKIP() << "the sanitizer reserves more address space than the limit allows";
    // 5792 x 5792 at 1 bit per pixel: a 4 MB file that becomes 128 MB of pixels.
    const int side = 5792, rowBytes = side / 8;
    const uint32_t header[] = {62 + rowBytes * side, 0, 62,  // file size, reserved, pixel offset
                               40, side, side, 1 | 1 << 16, 0, rowBytes * side, 0, 0, 2, 0,
                               0x000000, 0xffffff};  // the two palette entries
    std::string bmp = "BM" + std::string(reinterpret_cast<const char*>(header), sizeof header);
    bmp += std::string(size_t(rowBytes) * side, '\x55');
    makeDirs("skins");
    writeFile("skins/main.bmp", bmp);

    EXPECT_EXIT(loadWithoutRoomForTheCanvas(), testing::ExitedWithCode(0), "");
}

}  // namespace
