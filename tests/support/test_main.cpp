#include <gtest/gtest.h>

#include "skin/allegro_setup.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    setUpAllegro();
    return RUN_ALL_TESTS();
}
