// The layer's tests run with Allegro as a program on it sets it up: no
// system driver, 32-bit pixels laid out 0x00RRGGBB, which the layer sends as they are.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(32);
    _rgb_r_shift_32 = 16;
    _rgb_b_shift_32 = 0;
    return RUN_ALL_TESTS();
}
