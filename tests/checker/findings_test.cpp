#include "checker_skins.h"

namespace {

using Problems = std::vector<Problem>;

TEST_F(CheckerTest, AGoodSkinIsListedWithoutWarnings)
{
    writeGoodSkin("good");
    CheckerRun run = runInProcess({"good"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out,
              "Skin: good\n"
              "Picture: main.bmp, 80 x 50\n"
              "Mask: mask.bmp\n"
              "Eye background: eyebg.bmp\n"
              "Eyes: 2\n"
              "  eye 1: marker (20, 25), bounds (10, 17, 30, 33), size 20 x 16, pupil eye1.bmp (7 x 5)\n"
              "  eye 2: marker (60, 25), bounds (50, 17, 70, 33), size 20 x 16, pupil eye.bmp (5 x 5)\n"
              "No warnings.\n");
}

TEST_F(CheckerTest, AMarkerOnTheTopEdgeOfItsEyeMakesTheAreaAboveTransparent)
{
    BITMAP* face = makeBitmap(80, 50, faceColour);
    drawEye(face, 20, 25, 9, 7);
    drawEye(face, 60, 25, 9, 7);
    putpixel(face, 20, 25, white);
    putpixel(face, 20, 18, magenta());  // the frame is above
    putpixel(face, 60, 25, white);
    putpixel(face, 60, 32, magenta());  // bottom edge: the eye is above, which is right
    saveInto("s", "main.bmp", face);
    // The frame is filled and measured instead, so the pupil is also larger than that "eye".
    EXPECT_EQ(check("s"), (Problems{Problem::MarkerFillsAnotherArea, Problem::PupilLargerThanEye}));
    EXPECT_EQ(findings.warnings[0].text.rfind("eye 1: the pixel above its marker at (20, 18) ", 0), 0u);
}

TEST_F(CheckerTest, EyeAreasThatRunOutOfTheirFrameAreReportedButNotFramesOnTheBorder)
{
    BITMAP* face = makeBitmap(80, 50, faceColour);
    drawEye(face, 20, 25, 9, 7);
    vline(face, 20, 0, 17, white);  // a white channel through the frame to the top edge
    saveInto("s", "main.bmp", face);
    EXPECT_EQ(check("s"), Problems{Problem::AreaReachesEdge});

    face = makeBitmap(80, 50, white);  // an open frame in a face of the eye's colour
    drawEye(face, 20, 25, 9, 7);
    putpixel(face, 30, 25, white);
    saveInto("s", "main.bmp", face);
    EXPECT_EQ(check("s"), (Problems{Problem::AreaReachesEdge, Problem::AreaCoversMostOfPicture}));

    face = makeBitmap(19, 12, faceColour);  // bounds reach 0, yet the area stays inside its frame
    drawEye(face, 9, 6, 8, 4);
    saveInto("s", "main.bmp", face);
    EXPECT_EQ(check("s"), Problems{Problem::AreaCoversMostOfPicture});
    EXPECT_EQ(findings.eyes.at(0).bounds.left, 0);
}

TEST_F(CheckerTest, NoMarkersOrMoreThanSixteenAreReported)
{
    BITMAP* face = makeBitmap(200, 20, faceColour);
    saveBmp("main.bmp", face);
    EXPECT_EQ(check("."), Problems{Problem::NoMarkers});
    for (int i = 0; i < 18; ++i)
        drawEye(face, 6 + 11 * i, 10, 3, 3);
    saveInto(".", "main.bmp", face);
    EXPECT_EQ(check("."), Problems{Problem::TooManyMarkers});
    EXPECT_EQ(findings.eyes.size(), 16u);
    EXPECT_EQ(findings.warnings[0].text, "main.bmp has 18 magenta markers; only the first 16 become eyes, the others "
                                         "(the first at (182, 10)) stay opaque");
}

TEST_F(CheckerTest, OptionalFilesThatDoNotFitThePictureAreReported)
{
    writeGoodSkin("pupils");
    saveInto("pupils", "eye2.bmp", makeBitmap(21, 3, 0));
    saveInto("pupils", "eye1.bmp", makeBitmap(20, 16, 0));  // exactly the eye's size is fine
    EXPECT_EQ(check("pupils"), Problems{Problem::PupilLargerThanEye});
    EXPECT_EQ(findings.warnings[0].text,
              "eye 2: its pupil (eye2.bmp, 21 x 3) is larger than the eye (20 x 16), so only part of it shows");

    writeGoodSkin("sizes");
    saveInto("sizes", "mask.bmp", makeBitmap(80, 51, 0x00010101));
    saveInto("sizes", "eyebg.bmp", makeBitmap(80, 49, white));
    EXPECT_EQ(check("sizes"),
              (Problems{Problem::MaskSizeDiffers, Problem::MaskShowsNothing, Problem::BackgroundSmaller}));

    writeGoodSkin("broken");
    writeFile("broken/mask.bmp", "GIF89a");
    writeFile("broken/eyebg.bmp", "");
    writeFile("broken/eye1.bmp", "BM");
    writeFile("broken/eye16.bmp", "\x89PNG\r\n");
    EXPECT_EQ(check("broken"), Problems(4, Problem::UnreadableFile));
    EXPECT_EQ(findings.warnings[2].text, "eye1.bmp is there but cannot be read as a BMP picture; the program ignores it");
    EXPECT_FALSE(findings.maskUsed || findings.backgroundUsed);
    EXPECT_EQ(findings.eyes[0].pupilFile, "eye.bmp");
    std::remove("broken/eye.bmp");
    check("broken");
    EXPECT_EQ(findings.eyes[0].pupilFile, builtInOval);
}

TEST_F(CheckerTest, AMissingOrBrokenMainPictureMeansTheSkinCannotBeLoaded)
{
    makeDirs("empty");
    CheckerRun run = runInProcess({"empty/"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "glimora-check: empty/main.bmp is missing; the program would not load this skin\n");
    writeFile("empty/main.bmp", "BM broken");
    run = runInProcess({"empty"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("empty/main.bmp cannot be read as a BMP picture"), std::string::npos);
    EXPECT_TRUE(headless::messageBoxes().empty()) << "no message box, unlike the program";
}

}  // namespace
