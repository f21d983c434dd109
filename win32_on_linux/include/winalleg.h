// What Allegro's winalleg.h brings a Windows program, served by this layer on
// Linux: the Win32 declarations and Allegro's output to device contexts.
#pragma once

#include "win32/hdc.h"
#include "win32/win32.h"
