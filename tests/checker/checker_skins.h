// Skin folders drawn for the checker's tests, and the checker run in-process.
#pragma once

#include <gtest/gtest.h>

#include <allegro.h>

#include <sstream>

#include "checker/checker.h"
#include "checker/findings.h"
#include "skin/skin_files.h"

const int faceColour = 0x00c8a03c;

inline void PrintTo(Problem problem, std::ostream* out)
{
    *out << "Problem " << static_cast<int>(problem);
}

// A black-framed white eye, measured 2 rx + 2 by 2 ry + 2, with its marker at (cx, cy).
inline void drawEye(BITMAP* face, int cx, int cy, int rx, int ry)
{
    rectfill(face, cx - rx - 1, cy - ry - 1, cx + rx + 1, cy + ry + 1, 0);
    rectfill(face, cx - rx, cy - ry, cx + rx, cy + ry, white);
    putpixel(face, cx, cy, magenta());
}

// An 80 x 50 face with two 20 x 16 eyes, a mask and a background of its size, and pupils.
inline void writeGoodSkin(const std::string& folder)
{
    BITMAP* face = makeBitmap(80, 50, faceColour);
    drawEye(face, 20, 25, 9, 7);
    drawEye(face, 60, 25, 9, 7);
    saveInto(folder, "main.bmp", face);
    BITMAP* mask = makeBitmap(80, 50, white);
    ellipsefill(mask, 40, 25, 39, 24, 0);
    saveInto(folder, "mask.bmp", mask);
    BITMAP* background = makeBitmap(80, 50, 0);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 80; ++x)
            putpixel(background, x, y, makecol(x * 3, y * 5, 128));
    saveInto(folder, "eyebg.bmp", background);
    saveInto(folder, "eye.bmp", makeBitmap(5, 5, 0x00203040));
    BITMAP* pupil = makeBitmap(7, 5, magenta());
    circlefill(pupil, 3, 2, 2, 0x00aa2200);
    saveInto(folder, "eye1.bmp", pupil);
}

struct CheckerRun {
    int status;
    std::string out, err;
};

inline CheckerRun runInProcess(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    int status = runChecker(args, out, err);
    return {status, out.str(), err.str()};
}

class CheckerTest : public testing::Test {
protected:
    void SetUp() override { headless::reset(); }

    // The warnings for the skin in folder, as problem kinds.
    std::vector<Problem> check(const std::string& folder)
    {
        skin = std::make_unique<Skin>();
        EXPECT_TRUE(skin->loadFolder(folder)) << folder;
        findings = findProblems(folder, *skin);
        std::vector<Problem> problems;
        for (const Warning& warning : findings.warnings)
            problems.push_back(warning.problem);
        return problems;
    }

    TempWorkdir workdir;
    std::unique_ptr<Skin> skin;
    Findings findings;
};
