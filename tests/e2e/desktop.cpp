#include "e2e/desktop.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <unistd.h>

#include <thread>

namespace {

// The display number Xvfb picked, read from the descriptor it reports it on.
std::string readDisplayNumber(int fd)
{
    std::string number;
    char c;
    while (read(fd, &c, 1) == 1 && c != '\n')
        number += c;
    return number;
}

bool viewable(Display* display, Window window)
{
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

std::string windowName(Display* display, Window window)
{
    XTextProperty property{};
    std::string name;
    if (XGetWMName(display, window, &property) && property.value)
        name = reinterpret_cast<const char*>(property.value);
    if (property.value)
        XFree(property.value);
    return name;
}

// Top-level windows and, under a window manager, the clients inside its frames.
Window findNamed(Display* display, Window parent, const std::string& title, int depth)
{
    Window root, parentOut, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, parent, &root, &parentOut, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned i = count; i-- > 0 && !found;) {
        if (windowName(display, children[i]) == title && viewable(display, children[i]))
            found = children[i];
        else if (depth > 0)
            found = findNamed(display, children[i], title, depth - 1);
    }
    if (children)
        XFree(children);
    return found;
}

int ignoreErrors(Display*, XErrorEvent*)
{
    return 0;
}

}  // namespace

Desktop::Desktop(bool withWindowManager)
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return;
    server = std::make_unique<Child>(
        std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(fds[1]), "-noreset", "-nolisten", "tcp",
                                 "-screen", "0", std::to_string(screenWidth) + "x" + std::to_string(screenHeight) + "x24"},
        "", std::vector<std::string>{}, fds[1], true);
    ::close(fds[1]);
    std::string number = readDisplayNumber(fds[0]);
    ::close(fds[0]);
    if (number.empty())
        return;
    displayName = ":" + number;
    display = XOpenDisplay(displayName.c_str());
    if (!display)
        return;
    // Windows of the program under test come and go while this connection looks at them.
    XSetErrorHandler(ignoreErrors);
    if (withWindowManager) {
        windowManager = std::make_unique<Child>(std::vector<std::string>{"openbox", "--sm-disable"}, "",
                                                std::vector<std::string>{"DISPLAY=" + displayName}, -1, true);
        Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
        bool managed = eventually([&] {
            Atom type;
            int format;
            unsigned long items, left;
            unsigned char* data = nullptr;
            XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW, &type, &format,
                               &items, &left, &data);
            if (data)
                XFree(data);
            return items == 1;
        });
        if (!managed) {
            XCloseDisplay(display);
            display = nullptr;
        }
    }
}

Desktop::~Desktop()
{
    if (display)
        XCloseDisplay(display);
    windowManager.reset();
    server.reset();
}

int Desktop::run(const std::string& command) const
{
    return shell("DISPLAY=" + displayName + " " + command);
}

std::string Desktop::output(const std::string& command) const
{
    return shellOutput("DISPLAY=" + displayName + " " + command);
}

Window Desktop::waitForWindow(const std::string& title, int timeoutMs) const
{
    Window found = 0;
    eventually([&] { return (found = findNamed(display, DefaultRootWindow(display), title, 2)) != 0; }, timeoutMs);
    return found;
}

bool Desktop::exists(Window window) const
{
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) != 0;
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

std::string Desktop::title(Window window) const
{
    return windowName(display, window);
}

std::string Desktop::netWmState(Window window) const
{
    return output("xprop -id " + std::to_string(window) + " _NET_WM_STATE");
}

std::vector<uint32_t> Desktop::pixels(const Box& area) const
{
    std::vector<uint32_t> out;
    XImage* image = XGetImage(display, DefaultRootWindow(display), area.x, area.y, unsigned(area.width),
                              unsigned(area.height), AllPlanes, ZPixmap);
    if (!image)
        return out;
    out.reserve(size_t(area.width) * size_t(area.height));
    for (int y = 0; y < area.height; ++y)
        for (int x = 0; x < area.width; ++x)
            out.push_back(uint32_t(XGetPixel(image, x, y)) & 0xFFFFFF);
    XDestroyImage(image);
    return out;
}

void Desktop::focus(Window window) const
{
    XSetInputFocus(display, window, RevertToPointerRoot, CurrentTime);
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
        event.xclient.data.l[0] = CurrentTime;
        event.xclient.data.l[1] = 2;  // from a pager or taskbar, as the user asked for it
        XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask,
                   &event);
    } else {
        event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
        event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, window, False, NoEventMask, &event);
    }
    XSync(display, False);
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
