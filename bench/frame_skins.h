// The faces a frame is timed on, shared by the benchmarks of both platforms;
// frame_skins.cpp also times the plain copies a frame is held against.
#pragma once

class Skin;

// The bundled default face, loaded the way the program loads it at this display
// scale; null on failure.
Skin* loadDefaultSkin(int scale = 1);
// A 1024 x 768 face with 16 eyes and a background, built in memory.
Skin* makeLargeSkin();
// The bundled alpha skin, ghost; null on failure.
Skin* loadGhostSkin();
