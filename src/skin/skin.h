// One loaded skin folder: its pictures, the eyes found in the main picture,
// the canvas each frame is composed on, and the window shape.
#pragma once

#include <allegro.h>

#include <cstdint>
#include <string>
#include <vector>

#include "skin/bmp_refusal.h"
#include "skin/eye_detection.h"
#include "skin/picture.h"
#include "system/win32.h"

// The pupil file of one eye, numbered from 1: eye1.bmp for eye 0.
std::string pupilFileName(int eye);

class Skin {
public:
    Skin();
    ~Skin();
    Skin(const Skin&) = delete;
    Skin& operator=(const Skin&) = delete;

    // Loads the skin named in the settings file, at the scale set before;
    // false after telling the user.
    bool load();
    // Loads the skin in this folder into a fresh skin, without the settings
    // file; false, and nothing said, when its main picture cannot be loaded.
    bool loadFolder(const std::string& folder);

    // The face's size in its own pixels, and the window's at the scale.
    int getWidth() const;
    int getHeight() const;
    int windowWidth() const { return getWidth() * scale; }
    int windowHeight() const { return getHeight() * scale; }
    HRGN getRegion() const;
    // Hands the region to the window that installs it; the skin no longer frees it.
    HRGN takeRegion();

    // The whole number of screen pixels to a side that each pixel of the face
    // takes on the display: the window, its shape and the frames it shows.
    int scale = 1;

    Picture mainImage;
    Picture canvas;
    // The canvas at the scale, which the window shows; null at scale 1, where the canvas is shown.
    Picture enlarged;
    Picture pupils[MAX_EYES];
    Picture background;
    int eyeCount = 0;
    PALETTE palette = {};
    POINT eyeCentres[MAX_EYES] = {};
    HRGN region = nullptr;
    int eyeColour = 0;
    RECT eyeBounds[MAX_EYES] = {};

    // The main picture has an alpha channel. Then the picture, the eye background
    // and the pupils hold premultiplied 0xAARRGGBB pixels, the frames too, and the
    // window takes its shape from their alpha instead of the region.
    bool hasAlpha = false;
    // With alpha: one byte a pixel, not zero where the eyes' layers (background
    // and pupils) lie behind the picture.
    std::vector<uint8_t> behindPicture;

    // Why main.bmp was not read, after a load that failed for that.
    BmpRefusal mainRefusal;

private:
    bool loadMainImage(const std::string& folder);
    HRGN makeWindowRegion(const std::string& folder);
    void takeEyes(const FoundEyes& eyes);
    void loadPupil(const std::string& folder, int i);

    std::vector<uint8_t> pictureAlpha;  // the main picture's, until its layers are made

    bool ownsRegion = true;
};
