// The fixture of the end-to-end tests: the program in a fresh working folder on
// its own X server, bare (no window manager) or under openbox.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "e2e/desktop.h"
#include "e2e/process.h"
#include "support/fixtures.h"

class EyesTest : public testing::TestWithParam<bool> {
protected:
    void SetUp() override;

    // Stores the skin name and the window centre in eyes.ini, starts the program
    // and waits for its window.
    void start(const std::string& skin, int centreX, int centreY);
    // The status the program ended with, or -1 if it still runs after the time.
    int exitStatus(int timeoutMs = 5000);
    std::string setting(const std::string& key) const;

    void pointAt(int x, int y) const;
    void xdotool(const std::string& arguments) const;
    // Sends keys to our window the way a user would after activating it.
    void typeKeys(const std::string& keys) const;

    TempWorkdir work;
    Desktop desktop{GetParam()};
    std::unique_ptr<Child> eyes;
    Window window = 0;
    Box box;  // the window's frame once started
};

std::string desktopKind(const testing::TestParamInfo<bool>& info);
