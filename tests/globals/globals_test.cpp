// The state the shell, the painter and the settings share, as a fresh process
// has it: the first build relies on it and finds nothing left to tear down.
#include <gtest/gtest.h>

#include "globals/globals.h"

namespace {

TEST(Globals, AFreshProcessHasNoWindowSkinMenuOrRebuildPending)
{
    EXPECT_EQ(g_hwnd, nullptr);
    EXPECT_EQ(g_skin, nullptr);
    EXPECT_EQ(g_menu, nullptr);
    EXPECT_FALSE(g_reloadSkin);
    EXPECT_EQ(g_skinNames, nullptr);
}

}  // namespace
