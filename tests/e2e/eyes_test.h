// The fixture of the end-to-end tests: the program in a fresh working folder on
// its own X server, bare (no window manager) or under openbox, with a test face.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "e2e/desktop.h"
#include "e2e/face.h"
#include "support/fixtures.h"

class EyesTest : public testing::TestWithParam<bool> {
protected:
    void SetUp() override;

    // Stores the skin name and the window centre in eyes.ini, starts the program
    // and waits for its window.
    void start(const std::string& skin, int centreX, int centreY);
    // Starts the program on what eyes.ini holds; its first window with this title.
    Window launch(const std::string& title = "eyes");
    // A new window shows where it is made and moves to its saved place a moment
    // later: its frame once it is at the expected one, or the last seen.
    Box frameOnceAt(Window shown, const Box& expected) const;
    // The status the program ended with, or -1 if it still runs after the time.
    int exitStatus(int timeoutMs = 5000) { return eyes->wait(timeoutMs); }
    std::string setting(const std::string& key) const;
    // Waits until the screen shows the face with its pupil's corner at (x, y).
    testing::AssertionResult showsPupilAt(int x, int y, int scale = 1) const;

    void xdotool(const std::string& arguments) const
    {
        ASSERT_EQ(desktop.run("xdotool " + arguments), 0) << arguments;
    }
    void pointAt(int x, int y) const { xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y)); }
    // Keys to our window the way a user would send them after activating it.
    void typeKeys(const std::string& keys) const
    {
        desktop.focus(window);
        xdotool("key " + keys);
    }
    // Drags the window with the left button from (x, y); true once it followed.
    bool dragBy(int x, int y, int dx, int dy);

    TempWorkdir work;
    Desktop desktop{GetParam()};
    std::unique_ptr<Child> eyes;
    Window window = 0;
    Box box;  // the window's frame once started
    std::vector<std::string> environment;  // NAME=value for the program, besides the display
};

std::string desktopKind(const testing::TestParamInfo<bool>& info);
