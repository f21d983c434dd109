#include "skin/allegro_setup.h"

#include <allegro.h>

#include <cerrno>
#include <cstdlib>

void setUpAllegro()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_conversion(COLORCONV_TOTAL);
    set_color_depth(32);
    // Must precede the first bitmap; magenta and black read the same either way.
    _rgb_r_shift_32 = 16;
    _rgb_g_shift_32 = 8;
    _rgb_b_shift_32 = 0;
}
