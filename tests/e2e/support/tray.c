/* A system tray for the tests: the smallest XEmbed tray host, at the bottom
 * right of the screen, where Debian releases differ in which tray programs they
 * carry. It owns the screen's _NET_SYSTEM_TRAY selection, takes in each icon
 * that asks to dock, left to right at 24 pixels, and grows by one icon each time,
 * so that its width tells how many have docked. Its window is named "tray".
 *
 *     tray        runs until its X server goes
 */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <stdio.h>

enum { iconSize = 24, requestDock = 0, embeddedNotify = 0 };

static void tellEmbedded(Display* display, Window icon, Window tray, Atom xembed)
{
    XEvent message = {0};
    message.xclient.type = ClientMessage;
    message.xclient.window = icon;
    message.xclient.message_type = xembed;
    message.xclient.format = 32;
    message.xclient.data.l[0] = CurrentTime;
    message.xclient.data.l[1] = embeddedNotify;
    message.xclient.data.l[3] = (long)tray;
    message.xclient.data.l[4] = 0; /* the protocol's version */
    XSendEvent(display, icon, False, NoEventMask, &message);
}

/* An icon may go before it is taken in: its errors are no concern of the tray's. */
static int ignoreErrors(Display* display, XErrorEvent* error)
{
    (void)display;
    (void)error;
    return 0;
}

static void announce(Display* display, Window root, Atom selection, Window tray)
{
    XEvent message = {0};
    message.xclient.type = ClientMessage;
    message.xclient.window = root;
    message.xclient.message_type = XInternAtom(display, "MANAGER", False);
    message.xclient.format = 32;
    message.xclient.data.l[0] = CurrentTime;
    message.xclient.data.l[1] = (long)selection;
    message.xclient.data.l[2] = (long)tray;
    XSendEvent(display, root, False, StructureNotifyMask, &message);
}

int main(void)
{
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fputs("tray: no X display\n", stderr);
        return 1;
    }
    XSetErrorHandler(ignoreErrors);
    const int screen = DefaultScreen(display);
    const Window root = RootWindow(display, screen);
    const int right = DisplayWidth(display, screen), bottom = DisplayHeight(display, screen);
    /* Kept out of the window manager's hands, as a panel's tray is. */
    XSetWindowAttributes attributes = {0};
    attributes.override_redirect = True;
    attributes.background_pixel = BlackPixel(display, screen);
    int width = 1;
    Window tray = XCreateWindow(display, root, right - width, bottom - iconSize, width, iconSize, 0, CopyFromParent,
                                InputOutput, CopyFromParent, CWOverrideRedirect | CWBackPixel, &attributes);
    XStoreName(display, tray, "tray");
    XSelectInput(display, tray, SubstructureNotifyMask);
    const long horizontal = 0;
    XChangeProperty(display, tray, XInternAtom(display, "_NET_SYSTEM_TRAY_ORIENTATION", False), XA_CARDINAL, 32,
                    PropModeReplace, (const unsigned char*)&horizontal, 1);
    XMapRaised(display, tray);

    char name[32];
    snprintf(name, sizeof name, "_NET_SYSTEM_TRAY_S%d", screen);
    const Atom selection = XInternAtom(display, name, False);
    XSetSelectionOwner(display, selection, tray, CurrentTime);
    if (XGetSelectionOwner(display, selection) != tray) {
        fputs("tray: another tray runs\n", stderr);
        return 1;
    }
    announce(display, root, selection, tray);
    const Atom opcode = XInternAtom(display, "_NET_SYSTEM_TRAY_OPCODE", False);
    const Atom xembed = XInternAtom(display, "_XEMBED", False);

    int icons = 0;
    for (XEvent event;;) {
        XNextEvent(display, &event);
        if (event.type != ClientMessage || event.xclient.message_type != opcode ||
            event.xclient.data.l[1] != requestDock)
            continue;
        const Window icon = (Window)event.xclient.data.l[2];
        width = ++icons * iconSize;
        XMoveResizeWindow(display, tray, right - width, bottom - iconSize, width, iconSize);
        XReparentWindow(display, icon, tray, (icons - 1) * iconSize, 0);
        XResizeWindow(display, icon, iconSize, iconSize);
        tellEmbedded(display, icon, tray, xembed);
        XMapRaised(display, icon);
        XFlush(display);
    }
}
