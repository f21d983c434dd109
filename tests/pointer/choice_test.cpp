// Which helper the desktop backend asks for the pointer, from the session's variables.
#include <gtest/gtest.h>

#include "platform/gtk/pointer_choice.h"

namespace {

using pointer_choice::forSession;
using pointer_choice::Helper;

TEST(PointerChoice, X11SessionsKeepTheXServerWhateverElseIsSet)
{
    EXPECT_EQ(forSession("x11", nullptr, "GNOME"), Helper::NotNeeded);
    EXPECT_EQ(forSession("x11", "wayland-0", "KDE"), Helper::NotNeeded);  // a nested compositor's socket
    EXPECT_EQ(forSession(nullptr, nullptr, "KDE"), Helper::NotNeeded);
    EXPECT_EQ(forSession("tty", "", "GNOME"), Helper::NotNeeded);
}

TEST(PointerChoice, WaylandSessionsPickTheHelperOfTheirDesktopFromTheList)
{
    EXPECT_EQ(forSession("wayland", "wayland-0", "GNOME"), Helper::GnomeExtension);
    EXPECT_EQ(forSession("wayland", "wayland-0", "ubuntu:GNOME"), Helper::GnomeExtension);
    EXPECT_EQ(forSession("Wayland", nullptr, "gnome"), Helper::GnomeExtension);
    EXPECT_EQ(forSession(nullptr, "wayland-0", "KDE"), Helper::KwinScript);
    EXPECT_EQ(forSession("tty", "wayland-1", "KDE"), Helper::KwinScript);  // started from a console
}

TEST(PointerChoice, OtherWaylandDesktopsHaveNoHelper)
{
    EXPECT_EQ(forSession("wayland", "wayland-1", "sway"), Helper::Impossible);
    EXPECT_EQ(forSession("wayland", "wayland-1", nullptr), Helper::Impossible);
    EXPECT_EQ(forSession("wayland", "wayland-1", "GNOMEish:KDEvelop"), Helper::Impossible);
}

}  // namespace
