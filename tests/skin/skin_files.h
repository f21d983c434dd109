// Skin folders on disk for the loading tests, and a fixture that loads them.
#pragma once

#include <gtest/gtest.h>

#include <allegro.h>

#include <memory>
#include <string>

#include "platform/headless/headless.h"
#include "skin/skin.h"
#include "support/fixtures.h"

const int grey = 0x808080;
const int white = 0xffffff;

inline void storeSkinName(const std::string& name)
{
    writeFile("eyes.ini", "[global]\nskin=" + name + "\n");
}

// Saves picture as folder/file, making the folder; the picture is destroyed.
inline void saveInto(const std::string& folder, const char* file, BITMAP* picture)
{
    makeDirs(folder);
    saveBmp(folder + "/" + file, picture);
    destroy_bitmap(picture);
}

class SkinTest : public testing::Test {
protected:
    void SetUp() override { headless::reset(); }

    // Loads a fresh skin (dropping any earlier one) and answers whether it loaded.
    bool load()
    {
        skin = std::make_unique<Skin>();
        return skin->load();
    }
    // Saves picture as skins/main.bmp and loads it.
    bool loadMain(BITMAP* picture)
    {
        saveInto("skins", "main.bmp", picture);
        return load();
    }

    TempWorkdir workdir;
    std::unique_ptr<Skin> skin;
};
