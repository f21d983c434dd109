// On Windows Allegro itself draws to device contexts: winalleg.h declares
// set_palette_to_hdc, draw_to_hdc and blit_to_hdc.
#pragma once

#include "platform/win32.h"
