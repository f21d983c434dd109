#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "skin/bmp_bytes.h"
#include "headless/headless.h"
#include "core/region.h"
#include "skin/bmp_reader.h"
#include "skin/skin_files.h"

namespace {

std::string failureText(const std::string& folder)
{
    return "Problem loading \"" + std::filesystem::current_path().string() + "/" + folder + "\". Skin not loaded.";
}

TEST_F(SkinTest, TheStoredNameIsCutTo511CharactersAndMayEndWithASlashUnderAWorkingDirectoryOf2KB)
{
    std::string deep;
    for (int i = 0; i < 10; ++i)
        deep += std::string(200, 'd') + "/";
    makeDirs(deep);
    ASSERT_EQ(chdir(deep.c_str()), 0);
    // Folder names are at most 255 bytes, so the 511 kept characters are a path of several.
    std::string kept;
    for (char c = 'a'; c < 'f'; ++c)
        kept += std::string(99, c) + "/";
    kept += std::string(11, 'g');
    saveInto("skins/" + kept, "main.bmp", makeBitmap(8, 6, grey));
    for (const std::string& name : {kept, kept + "/", kept + std::string(100, 'z')})
        EXPECT_TRUE(load(name.c_str()) && skin->getWidth() == 8) << name.size();
    EXPECT_FALSE(load("none/"));
    EXPECT_EQ(headless::messageBoxes().at(0).text, failureText("skins/none/"));
}

TEST_F(SkinTest, AMissingOrBrokenMainPictureIsReportedWithItsFolderAndLeavesNothing)
{
    EXPECT_FALSE(load("blue"));
    makeDirs("skins");
    writeFile("skins/main.bmp", "BM but no picture");
    EXPECT_FALSE(load());  // no settings file: the skins folder itself
    const auto& boxes = headless::messageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, failureText("skins/blue/"));
    EXPECT_EQ(boxes[0].caption, "Problem loading Skin");
    EXPECT_EQ(boxes[1].text, failureText("skins/"));
    EXPECT_TRUE(!skin->mainImage && !skin->canvas && !skin->getRegion() && skin->getWidth() == 0);
}

TEST_F(SkinTest, TheWindowIsExactlyTheBlackPixelsOfTheMaskAtTheMasksOwnSize)
{
    BITMAP* mask = makeBitmap(40, 12, white);
    circlefill(mask, 20, 6, 5, 0);
    rectfill(mask, 0, 0, 3, 11, 0);
    putpixel(mask, 20, 6, 0x010000);  // nearly black is outside
    saveInto("skins", "mask.bmp", mask);
    ASSERT_TRUE(loadMain(makeBitmap(30, 20, grey)));
    mask = loadBitmapFile("skins/mask.bmp", nullptr);
    for (int y = -1; y <= 20; ++y)
        for (int x = -1; x <= 40; ++x)
            ASSERT_EQ(PtInRegion(skin->getRegion(), x, y), getpixel(mask, x, y) == 0) << x << "," << y;
    destroy_bitmap(mask);

    auto shape = [&] {
        EXPECT_TRUE(load() && skin->getRegion());
        return regionRects(skin->getRegion());
    };
    const Rects whole = {{0, 0, 30, 20}};
    saveInto("skins", "mask.bmp", makeBitmap(30, 20, 0));
    EXPECT_EQ(shape(), whole) << "all black";
    saveInto("skins", "mask.bmp", makeBitmap(30, 20, 0x000001));
    EXPECT_EQ(shape(), Rects()) << "no black: nothing shows";
    writeFile("skins/mask.bmp", "broken, so like none");
    EXPECT_EQ(shape(), whole);
    std::remove("skins/mask.bmp");
    EXPECT_EQ(shape(), whole);
}

TEST_F(SkinTest, PupilsComeFromTheNumberedThenTheSharedFileThenTheBuiltInOval)
{
    BITMAP* face = makeBitmap(60, 5, grey);
    for (int x : {10, 30, 50})
        putpixel(face, x, 2, magenta());
    saveInto("skins", "main.bmp", face);
    saveInto("skins", "eye1.bmp", makeBitmap(5, 5, white));
    writeFile("skins/eye2.bmp", "broken, so like missing");
    saveInto("skins", "eye.bmp", makeBitmap(7, 7, white));
    saveInto("skins", "eyebg.bmp", makeBitmap(9, 9, white));
    ASSERT_TRUE(load());
    ASSERT_EQ(skin->eyeCount, 3);
    EXPECT_EQ(skin->pupils[0]->w + skin->pupils[1]->w + skin->pupils[2]->w, 5 + 7 + 7);
    EXPECT_NE(skin->pupils[1].get(), skin->pupils[2].get()) << "each eye owns its copy";
    EXPECT_TRUE(skin->background && skin->background->w == 9);

    writeFile("skins/eye.bmp", "broken too");
    writeFile("skins/eyebg.bmp", "broken, so none");
    ASSERT_TRUE(load());
    EXPECT_EQ(skin->background.get(), nullptr);
    const char* oval[] = {"..#.", ".###", "####", "####", "####", ".###"};
    ASSERT_EQ(skin->pupils[2]->w * skin->pupils[2]->h, 4 * 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(getpixel(skin->pupils[2].get(), x, y), oval[y][x] == '#' ? 0 : magenta()) << x << "," << y;
}

TEST_F(SkinTest, TheSkinFreesItsRegionUnlessItWasTaken)
{
    ASSERT_TRUE(loadMain(makeBitmap(4, 4, grey)));
    HRGN owned = skin->getRegion();
    skin.reset();
    EXPECT_FALSE(DeleteObject(owned)) << "freed with its skin";
    ASSERT_TRUE(load());
    HRGN taken = skin->takeRegion();
    skin.reset();
    EXPECT_TRUE(DeleteObject(taken));
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool addressSanitized = true;
#elif defined(__has_feature)
constexpr bool addressSanitized = __has_feature(address_sanitizer);
#else
constexpr bool addressSanitized = false;
#endif

// Exits 0 when, with room for the main picture but not for a canvas of its
// size as well, the load fails with one message and holds nothing.
void loadWithoutRoomForTheCanvas()
{
    rlim_t pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    const rlim_t room = pages * getpagesize() + (220 << 20);
    const rlimit limit{room, room};
    setrlimit(RLIMIT_AS, &limit);
    BITMAP* alone = loadBitmapFile("skins/main.bmp", nullptr);
    if (!alone)
        _exit(2);  // no room even for the picture: the test would prove nothing
    destroy_bitmap(alone);
    Skin skin;
    _exit(!skin.load() && !skin.mainImage && !skin.canvas && headless::messageBoxes().size() == 1 ? 0 : 1);
}

TEST_F(SkinTest, AMainPictureWithoutRoomForItsCanvasIsAFailedLoad)
{
    if (addressSanitized)
        GTEST_SKIP() << "the sanitizer reserves more address space than the limit allows";
    // 5792 x 5792 at 1 bit per pixel: a 4 MB file that becomes 128 MB of pixels.
    const int side = 5792;
    makeDirs("skins");
    writeFile("skins/main.bmp", bmpBytes({side, side, 1, 0, 0, {0, 0xffffff}, std::string(side / 8 * side, '\x55')}));
    EXPECT_EXIT(loadWithoutRoomForTheCanvas(), testing::ExitedWithCode(0), "");
}

}  // namespace
