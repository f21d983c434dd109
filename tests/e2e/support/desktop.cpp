#include "e2e/support/desktop.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>

std::string unusedDisplayName()
{
    for (int number = 63; number < 1000; ++number) {
        const std::string name = ":" + std::to_string(number);
        const std::string lock = "/tmp/.X" + std::to_string(number) + "-lock";
        if (access(lock.c_str(), F_OK) == 0)
            continue;
        Display* answered = XOpenDisplay(name.c_str());
        if (!answered)
            return name;
        XCloseDisplay(answered);
    }
    return ":1000";
}

Desktop::Desktop(bool withWindowManager, int depth)
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return;
    server = std::make_unique<Child>(
        std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(fds[1]), "-noreset", "-nolisten", "tcp",
                                 "-screen", "0", std::to_string(screenWidth) + "x" + std::to_string(screenHeight) + "x" + std::to_string(depth)},
        "", std::vector<std::string>{}, fds[1], true);
    ::close(fds[1]);
    std::string number;
    for (char c; read(fds[0], &c, 1) == 1 && c != '\n';)
        number += c;
    ::close(fds[0]);
    displayName = ":" + number;
    display = number.empty() ? nullptr : XOpenDisplay(displayName.c_str());
    // Windows of the program under test come and go while this connection looks at them.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    if (display && withWindowManager) {
        windowManager = std::make_unique<Child>(std::vector<std::string>{"openbox", "--sm-disable"}, "",
                                                std::vector<std::string>{"DISPLAY=" + displayName}, -1, true);
        if (!eventually([&] { return run("xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'") == 0; }) ||
            !framesWindows()) {
            XCloseDisplay(display);
            display = nullptr;
        }
    }
}

// Openbox names itself before it handles map requests, and drops those that come
// before: a window of the test's own, mapped until it is framed, shows that it does.
bool Desktop::framesWindows() const
{
    const Window root = DefaultRootWindow(display);
    const Window probe = XCreateSimpleWindow(display, root, 0, 0, 1, 1, 0, 0, 0);
    const bool framed = eventually([&] {
        XMapWindow(display, probe);
        Window rootReturn = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        XQueryTree(display, probe, &rootReturn, &parent, &children, &count);
        if (children)
            XFree(children);
        return parent != root;
    });
    XDestroyWindow(display, probe);
    XSync(display, False);
    return framed;
}

Desktop::Desktop(const ExistingDisplay& existing) : displayName(existing.name)
{
    display = XOpenDisplay(displayName.c_str());
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
}

Desktop::~Desktop()
{
    endClient();
    if (display)
        XCloseDisplay(display);
}

int Desktop::run(const std::string& command) const
{
    return shell("DISPLAY=" + displayName + " " + command);
}

Window Desktop::waitForWindow(const std::string& title, int timeoutMs) const
{
    std::string search = "DISPLAY=" + displayName + " xdotool search --onlyvisible --limit 1 --name '^" + title + "$'";
    unsigned long found = 0;
    eventually([&] {
        FILE* ids = popen(search.c_str(), "r");
        if (ids && std::fscanf(ids, "%lu", &found) != 1)
            found = 0;
        if (ids)
            pclose(ids);
        return found != 0;
    }, timeoutMs);
    return found;
}

int Desktop::shownWindows() const
{
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    int shown = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count; ++i) {
            XWindowAttributes attributes{};
            shown += XGetWindowAttributes(display, children[i], &attributes) && attributes.map_state == IsViewable;
        }
        XFree(children);
    }
    return shown;
}

std::string Desktop::windowNames() const
{
    std::string names;
    if (FILE* tree = popen(("DISPLAY=" + displayName + " xwininfo -root -tree 2>&1").c_str(), "r")) {
        char line[512];
        while (std::fgets(line, sizeof line, tree))
            names += line;
        pclose(tree);
    }
    return names;
}

Box Desktop::frame(Window window) const
{
    XWindowAttributes attributes{};
    Box box;
    Window child;
    if (XGetWindowAttributes(display, window, &attributes) &&
        XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &box.x, &box.y, &child)) {
        box.width = attributes.width;
        box.height = attributes.height;
    }
    return box;
}

bool Desktop::hasState(Window window, const std::string& netWmState) const
{
    return run("xprop -id " + std::to_string(window) + " _NET_WM_STATE | grep -qw " + netWmState) == 0;
}

std::vector<uint32_t> Desktop::pixels(const Box& area, Window from) const
{
    std::vector<uint32_t> out;
    XImage* image = XGetImage(display, from ? from : DefaultRootWindow(display), area.x, area.y, unsigned(area.width),
                              unsigned(area.height), AllPlanes, ZPixmap);
    if (!image)
        return out;
    for (int y = 0; y < area.height; ++y)
        for (int x = 0; x < area.width; ++x)
            out.push_back(uint32_t(XGetPixel(image, x, y)) & 0xFFFFFF);
    XDestroyImage(image);
    return out;
}

Window Desktop::windowAtPointer() const
{
    Window at = DefaultRootWindow(display), root, child = at;
    int rootX, rootY, x, y;
    unsigned state;
    while (child && XQueryPointer(display, at, &root, &child, &rootX, &rootY, &x, &y, &state) && child)
        at = child;
    return at;
}

bool Desktop::pointerOver(Window window) const
{
    Window at = windowAtPointer(), root, parent, *children = nullptr;
    unsigned count = 0;
    while (at != window && at != DefaultRootWindow(display) &&
           XQueryTree(display, at, &root, &parent, &children, &count)) {
        XFree(children);
        at = parent;
    }
    return at == window;
}

void Desktop::watchMoves(Window window) const
{
    XSelectInput(display, window, StructureNotifyMask);
    XSync(display, False);
}

bool Desktop::toldAt(Window window, int x, int y) const
{
    return eventually([&] {
        XEvent event;
        while (XCheckTypedWindowEvent(display, window, ConfigureNotify, &event))
            if (event.xconfigure.x == x && event.xconfigure.y == y)
                return true;
        return false;
    });
}

bool Desktop::keyboardGrabbed() const
{
    int result = XGrabKeyboard(display, DefaultRootWindow(display), False, GrabModeAsync, GrabModeAsync, CurrentTime);
    if (result == GrabSuccess)
        XUngrabKeyboard(display, CurrentTime);
    XSync(display, False);
    return result == AlreadyGrabbed;
}

void Desktop::focus(Window window) const
{
    XSetInputFocus(display, window, RevertToPointerRoot, CurrentTime);
    XSync(display, False);
}

void Desktop::warpPointer(int x, int y) const
{
    XWarpPointer(display, None, DefaultRootWindow(display), 0, 0, 0, 0, x, y);
    XSync(display, False);
}

// Reads one 32-bit item of a window's property; 0 when it has none.
unsigned long Desktop::property(Window window, const char* name, Atom type) const
{
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0, after = 0, value = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 1, False, type, &actualType,
                           &format, &count, &after, &data) == Success &&
        data && count == 1 && format == 32)
        value = *reinterpret_cast<unsigned long*>(data);
    if (data)
        XFree(data);
    return value;
}

unsigned long Desktop::opacity(Window window) const
{
    // Xlib gives 32-bit items as longs, sign-extended.
    return property(window, "_NET_WM_WINDOW_OPACITY", XA_CARDINAL) & 0xFFFFFFFFul;
}

Window Desktop::activeWindow() const
{
    return property(DefaultRootWindow(display), "_NET_ACTIVE_WINDOW", XA_WINDOW);
}

pid_t Desktop::processOf(Window window) const
{
    return pid_t(property(window, "_NET_WM_PID", XA_CARDINAL));
}

bool Desktop::viewable(Window window) const
{
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

Window Desktop::openActiveWindow(const std::string& state) const
{
    return openActiveWindow(state, display);
}

Window Desktop::openClientWithActiveWindow(const std::string& state)
{
    endClient();
    client = XOpenDisplay(displayName.c_str());
    return client ? openActiveWindow(state, client) : 0;
}

void Desktop::endClient()
{
    if (client)
        XCloseDisplay(client);
    client = nullptr;
}

void Desktop::makeFullScreen(Window window) const
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.format = 32;
    event.xclient.message_type = XInternAtom(display, "_NET_WM_STATE", False);
    event.xclient.data.l[0] = 1;  // add
    event.xclient.data.l[1] = long(XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False));
    XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XSync(display, False);
}

Window Desktop::openActiveWindow(const std::string& state, Display* connection) const
{
    const int half = state.empty() ? 2 : 1;
    const Window window = XCreateSimpleWindow(connection, DefaultRootWindow(connection), 0, 0, screenWidth / half,
                                              screenHeight / half, 0, 0, 0x404040);
    // Motif's hints: no decorations, so that a window as large as the screen is only that.
    const long noDecorations[5] = {2, 0, 0, 0, 0};
    const Atom motif = XInternAtom(connection, "_MOTIF_WM_HINTS", False);
    XChangeProperty(connection, window, motif, motif, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(noDecorations), 5);
    std::vector<Atom> states;
    if (state == "fullscreen")
        states = {XInternAtom(connection, "_NET_WM_STATE_FULLSCREEN", False)};
    else if (state == "maximized")
        states = {XInternAtom(connection, "_NET_WM_STATE_MAXIMIZED_VERT", False),
                  XInternAtom(connection, "_NET_WM_STATE_MAXIMIZED_HORZ", False)};
    XChangeProperty(connection, window, XInternAtom(connection, "_NET_WM_STATE", False), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(states.data()), int(states.size()));
    XStoreName(connection, window, "test window");
    XMapWindow(connection, window);
    XSync(connection, False);
    return eventually([&] { return activeWindow() == window; }) ? window : 0;
}

void Desktop::destroyWindow(Window window) const
{
    XDestroyWindow(display, window);
    XSync(display, False);
}

void Desktop::close(Window window) const
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.format = 32;
    if (windowManager) {
        event.xclient.message_type = XInternAtom(display, "_NET_CLOSE_WINDOW", False);
        event.xclient.data.l[1] = 2;  // from a pager or taskbar, as the user asked for it
        XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask,
                   &event);
    } else {
        event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
        event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
        XSendEvent(display, window, False, NoEventMask, &event);
    }
    XSync(display, False);
}

void Desktop::stop()
{
    if (display)
        XCloseDisplay(display);
    display = nullptr;
    windowManager.reset();
    server.reset();
}

bool eventually(const std::function<bool()>& condition, int timeoutMs)
{
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}
