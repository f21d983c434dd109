// Skin folders drawn for the checker's tests, and the checker run as a program.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <allegro.h>

#include <cstdlib>

#include "headless/headless.h"
#include "skin/skin_files.h"

const int faceColour = 0x00c8a03c;

// A black-framed white eye, measured 2 rx + 2 by 2 ry + 2, with its marker at (cx, cy).
inline void drawEye(BITMAP* face, int cx, int cy, int rx, int ry)
{
    rectfill(face, cx - rx - 1, cy - ry - 1, cx + rx + 1, cy + ry + 1, 0);
    rectfill(face, cx - rx, cy - ry, cx + rx, cy + ry, white);
    putpixel(face, cx, cy, magenta());
}

// An 80 x 50 face with two 20 x 16 eyes, markers at (20, 25) and (60, 25).
inline BITMAP* twoEyedFace()
{
    BITMAP* face = makeBitmap(80, 50, faceColour);
    drawEye(face, 20, 25, 9, 7);
    drawEye(face, 60, 25, 9, 7);
    return face;
}

// The two-eyed face with a mask and a background of its size, and pupils.
inline void writeGoodSkin(const std::string& folder)
{
    saveInto(folder, "main.bmp", twoEyedFace());
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

// The built checker, its output in out.txt and err.txt; its exit status.
inline int runProgram(const std::string& args)
{
    int status = std::system((GLIMORA_CHECK_BINARY " " + args + " >out.txt 2>err.txt").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class CheckerTest : public testing::Test {
protected:
    void SetUp() override { headless::reset(); }

    TempWorkdir workdir;
};
