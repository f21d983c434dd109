// Skin folders on disk and a fixture that loads them.
#pragma once

#include <gtest/gtest.h>

#include <allegro.h>

#include <cstdio>
#include <memory>
#include <string>

#include "skin/skin.h"
#include "support/fixtures.h"

const int grey = 0x808080, white = 0xffffff;

// Saves and destroys picture.
inline void saveInto(const std::string& folder, const char* file, BITMAP* picture)
{
    makeDirs(folder);
    saveBmp(folder + "/" + file, picture);
    destroy_bitmap(picture);
}

class SkinTest : public testing::Test {
protected:
    void SetUp() override { freshDisplay(); }
    // A fresh skin, loaded with this name stored, or with no settings file at all.
    bool load(const char* storedName = nullptr)
    {
        if (storedName)
            writeFile("eyes.ini", std::string("[global]\nskin=") + storedName + "\n");
        else
            std::remove("eyes.ini");
        skin = std::make_unique<Skin>();
        return skin->load();
    }
    bool loadMain(BITMAP* picture)
    {
        saveInto("skins", "main.bmp", picture);
        return load();
    }

    TempWorkdir workdir;
    std::unique_ptr<Skin> skin;
};
