#include "checker/findings.h"
#include "checker_skins.h"
#include "skin/skin.h"

namespace {

using P = Problem;

// The problems found in the skin in folder, its first warning starting with
// firstWarning and, where one is named, the pupil of its first eye.
testing::AssertionResult finds(const std::string& folder, const std::vector<Problem>& expected,
                               const std::string& firstWarning = "", const std::string& firstPupil = "")
{
    Skin skin;
    if (!skin.loadFolder(folder))
        return testing::AssertionFailure() << "not loaded";
    Findings findings = findProblems(folder, skin);
    std::vector<Problem> problems;
    for (const Warning& warning : findings.warnings)
        problems.push_back(warning.problem);
    std::string first = problems.empty() ? "" : findings.warnings[0].text;
    std::string pupil = findings.eyes.empty() ? "" : findings.eyes[0].pupilFile;
    if (problems == expected && first.rfind(firstWarning, 0) == 0 && (firstPupil.empty() || pupil == firstPupil))
        return testing::AssertionSuccess();
    testing::AssertionResult failure = testing::AssertionFailure() << "pupil " << pupil << "; " << first << "; problems";
    for (Problem problem : problems)
        failure << " " << int(problem);
    return failure;
}

TEST_F(CheckerTest, EachProblemIsFoundOnASkinBuiltToHaveIt)
{
    BITMAP* face = twoEyedFace();
    putpixel(face, 20, 25, white);
    putpixel(face, 20, 18, magenta());  // on the top edge: the frame above is filled and measured instead
    putpixel(face, 60, 25, white);
    putpixel(face, 60, 32, magenta());  // on the bottom edge: the eye above is filled, which is right
    saveInto("edges", "main.bmp", face);
    EXPECT_TRUE(finds("edges", {P::MarkerFillsAnotherArea, P::PupilLargerThanEye},
                      "eye 1: the pixel above its marker at (20, 18) ", "built-in oval"));

    face = twoEyedFace();
    vline(face, 20, 0, 17, white);  // a white channel through the frame to the top edge
    saveInto("channel", "main.bmp", face);
    EXPECT_TRUE(finds("channel", {P::AreaReachesEdge}));
    face = makeBitmap(80, 50, white);
    drawEye(face, 20, 25, 9, 7);
    putpixel(face, 30, 25, white);  // an open frame in a face of the eye's colour
    saveInto("open", "main.bmp", face);
    EXPECT_TRUE(finds("open", {P::AreaReachesEdge, P::AreaCoversMostOfPicture}));
    face = makeBitmap(19, 12, faceColour);
    drawEye(face, 9, 6, 8, 4);  // a closed frame on the picture's edges
    saveInto("border", "main.bmp", face);
    EXPECT_TRUE(finds("border", {P::AreaCoversMostOfPicture}));

    saveInto("none", "main.bmp", makeBitmap(200, 20, faceColour));
    EXPECT_TRUE(finds("none", {P::NoMarkers}));
    face = makeBitmap(200, 20, faceColour);
    for (int i = 0; i < 18; ++i)
        drawEye(face, 6 + 11 * i, 10, 3, 3);
    saveInto("many", "main.bmp", face);
    EXPECT_TRUE(finds("many", {P::TooManyMarkers}, "main.bmp has 18 magenta markers; only the first 16 become eyes, "
                                                    "the others (the first at (182, 10)) stay opaque"));

    writeGoodSkin("pupils");
    saveInto("pupils", "eye2.bmp", makeBitmap(21, 3, 0));
    saveInto("pupils", "eye1.bmp", makeBitmap(20, 16, 0));  // just the eye's size
    EXPECT_TRUE(finds("pupils", {P::PupilLargerThanEye},
                      "eye 2: its pupil (eye2.bmp, 21 x 3) is larger than the eye (20 x 16), so only part of it shows",
                      "eye1.bmp"));

    writeGoodSkin("sizes");
    saveInto("sizes", "mask.bmp", makeBitmap(80, 51, 0x00010101));
    saveInto("sizes", "eyebg.bmp", makeBitmap(80, 49, white));
    EXPECT_TRUE(finds("sizes", {P::MaskSizeDiffers, P::MaskShowsNothing, P::BackgroundSmaller}));

    writeGoodSkin("unreadable");
    writeFile("unreadable/mask.bmp", "GIF89a");
    writeFile("unreadable/eyebg.bmp", "");
    writeFile("unreadable/eye1.bmp", "BM");
    writeFile("unreadable/eye16.bmp", "\x89PNG\r\n");
    EXPECT_TRUE(finds("unreadable", std::vector<Problem>(4, P::UnreadableFile),
                      "mask.bmp is there but cannot be read as a BMP picture; the program ignores it\n"
                      "    mask.bmp is not a BMP file",
                      "eye.bmp"));
}

}  // namespace
