// A private X server for one test, optionally with a window manager, and what
// a test reads from it: windows, their places and states, screen pixels.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "e2e/support/process.h"

constexpr int screenWidth = 1280;
constexpr int screenHeight = 1024;

struct Box {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const Box& o) const { return x == o.x && y == o.y && width == o.width && height == o.height; }
};
inline std::ostream& operator<<(std::ostream& out, const Box& b)
{
    return out << b.width << "x" << b.height << "+" << b.x << "+" << b.y;
}

// An X server a test did not start (a compositor's XWayland), named as in DISPLAY.
struct ExistingDisplay {
    std::string name;
};

class Desktop {
public:
    explicit Desktop(bool windowManager, int depth = 24);
    explicit Desktop(const ExistingDisplay& existing);
    ~Desktop();

    bool ready() const { return display != nullptr; }
    bool hasWindowManager() const { return windowManager != nullptr; }
    const std::string& name() const { return displayName; }
    // Runs a shell command (xdotool, xprop...) on this display; its exit status.
    int run(const std::string& command) const;

    // A viewable window with this title, as soon as one appears; 0 on timeout.
    Window waitForWindow(const std::string& title, int timeoutMs = 10000) const;
    Box frame(Window window) const;  // screen position and size of the window itself
    // How many windows are on the screen (menus and submenus are windows of their own).
    int shownWindows() const;
    // Every window's name and state, to say what was there instead.
    std::string windowNames() const;
    bool hasState(Window window, const std::string& netWmState) const;
    bool viewable(Window window) const;
    // The opacity it asks of a compositor (_NET_WM_WINDOW_OPACITY); 0 where it asks none.
    unsigned long opacity(Window window) const;
    // The process that made the window, as it tells (_NET_WM_PID); 0 when it does not.
    pid_t processOf(Window window) const;
    // From now on the test hears what the window is told of its place.
    void watchMoves(Window window) const;
    // Whether the window was told it is at (x, y) on screen: at once where no
    // window manager runs, by the window manager only when a move it made ends.
    bool toldAt(Window window, int x, int y) const;
    // 0x00RRGGBB pixels of the screen, row by row; of a window's own contents
    // when one is given (the only way under a compositor, which draws the screen itself).
    std::vector<uint32_t> pixels(const Box& area, Window from = 0) const;
    // Whether a client holds the keyboard, as an open menu does.
    bool keyboardGrabbed() const;
    // Keys go to this window, as after a click on it.
    void focus(Window window) const;
    // A close as the window manager sends it (or as one would, where none runs).
    void close(Window window) const;
    // The innermost window that holds the pointer, input shapes counted: the one a
    // click there goes to; the root window where no other does.
    Window windowAtPointer() const;
    // Whether a click at the pointer goes to this window or to one inside it (Wine's hold one).
    bool pointerOver(Window window) const;
    // Moves the pointer as a program does: no device moved, so no raw motion.
    void warpPointer(int x, int y) const;
    // A borderless window of the test's own as large as the screen, "fullscreen" or
    // "maximized" (or "" for a quarter of it), made the active window; 0 when the
    // window manager did not.
    Window openActiveWindow(const std::string& state) const;
    // The same from a client of its own, which endClient ends with its window; a
    // new client may then get the very ids the last one had.
    Window openClientWithActiveWindow(const std::string& state);
    void endClient();
    // Asks the window manager for the window's full screen, as a video player does.
    void makeFullScreen(Window window) const;
    void destroyWindow(Window window) const;
    // The window manager's active window, 0 for none.
    Window activeWindow() const;
    // Ends the X server (and the window manager) under the programs still using it.
    void stop();

private:
    Window openActiveWindow(const std::string& state, Display* connection) const;
    bool framesWindows() const;
    unsigned long property(Window window, const char* name, Atom type) const;

    std::unique_ptr<Child> server;  // declared first, so that it stops last
    std::unique_ptr<Child> windowManager;
    std::string displayName;
    Display* display = nullptr;
    Display* client = nullptr;
};

// A display name no X server answers on now, as DISPLAY names it (":63"):
// checked, never assumed, since xvfb-run and many CI set-ups hold :99.
std::string unusedDisplayName();

// Polls until the condition holds; false if it never did within the time.
bool eventually(const std::function<bool()>& condition, int timeoutMs = 5000);
