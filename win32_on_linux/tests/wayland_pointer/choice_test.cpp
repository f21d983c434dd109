// Which helper the desktop backend asks for the pointer, from the session's variables.
#include <gtest/gtest.h>

#include "wayland_pointer/notice_texts.h"
#include "wayland_pointer/pointer_choice.h"

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

namespace {

using notice_texts::ExtensionReport;
using notice_texts::forGnome;

// The states the end-to-end GNOME tests do not make; off and out of date are shown there.
TEST(NoticeTexts, GnomeNoticeNamesTheExtensionsStateAndTheStepThatFixesIt)
{
    auto says = [](const ExtensionReport& report, const char* text) {
        return forGnome(report).find(text) != std::string::npos;
    };
    EXPECT_TRUE(says({6, "", 43, 44}, "is off"));
    EXPECT_TRUE(says({3, "SyntaxError: import declarations", 48, 44}, "failed to start (SyntaxError: import"));
    EXPECT_TRUE(says({3, "", 48, 44}, "built for GNOME 48"));

    const ExtensionReport otherForm{4, "", 48, 44};  // the 43-44 entry on a newer shell: the setting would not help
    EXPECT_TRUE(says(otherForm, "does not list GNOME 48"));
    EXPECT_FALSE(says(otherForm, "gsettings"));

    // Unknown to the shell (installed after it started) or no answer: today's advice.
    EXPECT_EQ(forGnome({}), notice_texts::forHelper(Helper::GnomeExtension));
}

}  // namespace
