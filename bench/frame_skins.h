// The faces a frame is timed on, and the plain copy it is held against; shared
// by the benchmarks of both platforms.
#pragma once

#include <benchmark/benchmark.h>

class Skin;

// The bundled default face, loaded the way the program loads it; null on failure.
Skin* loadDefaultSkin();
// A 1024 x 768 face with 16 eyes and a background, built in memory.
Skin* makeLargeSkin();
// Three plain copies of a canvas of this size, the three layers a frame moves.
void copies(benchmark::State& state, int width, int height);
