#include <X11/extensions/XInput2.h>
#include <X11/extensions/shape.h>
#include <gdk/gdkx.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "core/backend.h"
#include "gtk/gtk_backend.h"
#include "gtk/keys.h"
#include "gtk/layered_picture.h"
#include "gtk/shared_frames.h"

struct backend::Native {
    HWND hwnd = nullptr;
    GtkWidget* widget = nullptr;
    Window xid = 0;
    GC gc = nullptr;
    XImage frame{};  // describes the pixels sent, never owns them
    Visual* xVisual = nullptr;
    SharedFrames shared;  // on a local display
    std::unique_ptr<LayeredPicture> layered;  // for a WS_EX_LAYERED window
    bool passesClicks = false;
};

namespace {

// The last button press on one of our windows, kept for a move or a menu it starts.
struct Press {
    backend::Native* window = nullptr;
    GdkEvent* event = nullptr;
    bool held = false;
};
Press press;

void forgetPress()
{
    if (press.event)
        gdk_event_free(press.event);
    press = Press{};
}

// X coordinates and sizes are 16-bit.
int clampCoordinate(LONG value)
{
    return std::clamp<LONG>(value, -32768, 32767);
}

int clampSize(LONG value)
{
    return std::clamp<LONG>(value, 1, 32767);
}

// A visual whose pixels are 0x00RRGGBB words, so frames go out unconverted.
GdkVisual* directVisual(GdkScreen* screen)
{
    auto direct = [](GdkVisual* v) {
        guint32 r, g, b;
        gdk_visual_get_red_pixel_details(v, &r, nullptr, nullptr);
        gdk_visual_get_green_pixel_details(v, &g, nullptr, nullptr);
        gdk_visual_get_blue_pixel_details(v, &b, nullptr, nullptr);
        return gdk_visual_get_visual_type(v) == GDK_VISUAL_TRUE_COLOR && gdk_visual_get_depth(v) == 24 &&
               r == 0xFF0000 && g == 0x00FF00 && b == 0x0000FF;
    };
    if (direct(gdk_screen_get_system_visual(screen)))
        return gdk_screen_get_system_visual(screen);
    GList* visuals = gdk_screen_list_visuals(screen);
    GdkVisual* found = nullptr;
    for (GList* v = visuals; v && !found; v = v->next)
        if (direct(GDK_VISUAL(v->data)))
            found = GDK_VISUAL(v->data);
    g_list_free(visuals);
    return found;
}

// A layered window's: 0xAARRGGBB words with alpha, where the display has them.
GdkVisual* alphaVisual(GdkScreen* screen)
{
    GdkVisual* visual = gdk_screen_get_rgba_visual(screen);
    guint32 r = 0, g = 0, b = 0;
    if (visual) {
        gdk_visual_get_red_pixel_details(visual, &r, nullptr, nullptr);
        gdk_visual_get_green_pixel_details(visual, &g, nullptr, nullptr);
        gdk_visual_get_blue_pixel_details(visual, &b, nullptr, nullptr);
    }
    return visual && r == 0xFF0000 && g == 0x00FF00 && b == 0x0000FF ? visual : nullptr;
}

// An expose: as Win32 does for a window it uncovers, ask for an erase too.
gboolean onDraw(GtkWidget*, cairo_t*, gpointer window)
{
    InvalidateRect(static_cast<backend::Native*>(window)->hwnd, nullptr, TRUE);
    return TRUE;
}

// A size or place in GTK's pixels, the screen's divided by the desktop's scale.
int inGtkPixels(LONG screenPixels)
{
    const LONG factor = backend::scaleFactor();
    return int(screenPixels >= 0 ? screenPixels / factor : -((-screenPixels + factor - 1) / factor));
}

// The corner in screen pixels, from X; GDK's own figure is in its pixels.
void noteMove(backend::Native* window)
{
    if (!window->xid)
        return;
    Display* display = gtk_backend::xDisplay();
    Window child;
    int x = 0, y = 0;
    XTranslateCoordinates(display, window->xid, DefaultRootWindow(display), 0, 0, &x, &y, &child);
    core::windowMoved(window->hwnd, x, y);
}

gboolean onConfigure(GtkWidget*, GdkEventConfigure*, gpointer window)
{
    noteMove(static_cast<backend::Native*>(window));
    return FALSE;
}

gboolean onButtonPress(GtkWidget*, GdkEventButton* event, gpointer data)
{
    auto* window = static_cast<backend::Native*>(data);
    // Double and triple clicks also arrive as single presses; ignore the extra events.
    if (event->type != GDK_BUTTON_PRESS || (event->button != 1 && event->button != 3))
        return TRUE;
    forgetPress();
    press = {window, gdk_event_copy(reinterpret_cast<GdkEvent*>(event)), true};
    const int factor = backend::scaleFactor();
    LPARAM point = MAKELPARAM(int(event->x * factor), int(event->y * factor));
    if (event->button == 1)
        PostMessageA(window->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, point);
    else
        PostMessageA(window->hwnd, WM_RBUTTONDOWN, MK_RBUTTON, point);
    return TRUE;
}

// A notch of the wheel, as Windows tells it: WHEEL_DELTA away from the user, the
// pointer's screen position, and whether Ctrl was held.
gboolean onScroll(GtkWidget*, GdkEventScroll* event, gpointer data)
{
    auto* window = static_cast<backend::Native*>(data);
    if (event->direction != GDK_SCROLL_UP && event->direction != GDK_SCROLL_DOWN)
        return TRUE;
    const int delta = event->direction == GDK_SCROLL_UP ? WHEEL_DELTA : -WHEEL_DELTA;
    const int keys = (event->state & GDK_CONTROL_MASK) ? MK_CONTROL : 0;
    const int factor = backend::scaleFactor();
    PostMessageA(window->hwnd, WM_MOUSEWHEEL, MAKEWPARAM(keys, delta),
                 MAKELPARAM(int(event->x_root * factor), int(event->y_root * factor)));
    return TRUE;
}

gboolean onButtonRelease(GtkWidget*, GdkEventButton* event, gpointer)
{
    if (press.event && event->button == press.event->button.button)
        press.held = false;
    return TRUE;
}

gboolean onKeyPress(GtkWidget*, GdkEventKey* event, gpointer window)
{
    if (UINT key = virtualKeyOf(event->keyval))
        PostMessageA(static_cast<backend::Native*>(window)->hwnd, WM_KEYDOWN, key, keyDownParam(*event));
    return TRUE;
}

gboolean onDelete(GtkWidget*, GdkEvent*, gpointer window)
{
    // The application decides whether a close from outside ends it.
    PostMessageA(static_cast<backend::Native*>(window)->hwnd, WM_CLOSE, 0, 0);
    return TRUE;
}

// Another client destroyed the X window: stop drawing on it and treat it as a close.
gboolean onDestroyed(GtkWidget*, GdkEvent*, gpointer data)
{
    auto* window = static_cast<backend::Native*>(data);
    window->xid = 0;
    PostMessageA(window->hwnd, WM_CLOSE, 0, 0);
    return TRUE;  // the widget stays until the core destroys the window
}

// An empty input shape passes the clicks; none at all is the bounding one again.
// A window manager's frame around the window would still take the clicks, so
// it gets the same, again at each map, as the frame may be new.
void shapeInput(backend::Native* window)
{
    Display* display = gtk_backend::xDisplay();
    GdkDisplay* gdkDisplay = gdk_x11_lookup_xdisplay(display);
    gdk_x11_display_error_trap_push(gdkDisplay);
    for (Window shaped = window->xid; shaped && shaped != DefaultRootWindow(display);) {
        if (window->passesClicks)
            XShapeCombineRectangles(display, shaped, ShapeInput, 0, 0, nullptr, 0, ShapeSet, Unsorted);
        else
            XShapeCombineMask(display, shaped, ShapeInput, 0, 0, None, ShapeSet);
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display, shaped, &root, &parent, &children, &count))
            parent = 0;
        if (children)
            XFree(children);
        shaped = parent;
    }
    gdk_x11_display_error_trap_pop_ignored(gdkDisplay);
    XFlush(display);
}

gboolean onMap(GtkWidget*, GdkEvent*, gpointer data)
{
    auto* window = static_cast<backend::Native*>(data);
    if (window->passesClicks && window->xid)
        shapeInput(window);
    return FALSE;
}

void connect(backend::Native* window)
{
    GtkWidget* w = window->widget;
    g_object_set_data(G_OBJECT(w), "native", window);
    gtk_widget_add_events(w, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK | GDK_SCROLL_MASK | GDK_KEY_PRESS_MASK |
                                 GDK_STRUCTURE_MASK);
    g_signal_connect(w, "draw", G_CALLBACK(onDraw), window);
    g_signal_connect(w, "configure-event", G_CALLBACK(onConfigure), window);
    g_signal_connect(w, "button-press-event", G_CALLBACK(onButtonPress), window);
    g_signal_connect(w, "button-release-event", G_CALLBACK(onButtonRelease), window);
    g_signal_connect(w, "scroll-event", G_CALLBACK(onScroll), window);
    g_signal_connect(w, "key-press-event", G_CALLBACK(onKeyPress), window);
    g_signal_connect(w, "delete-event", G_CALLBACK(onDelete), window);
    g_signal_connect(w, "destroy-event", G_CALLBACK(onDestroyed), window);
    g_signal_connect(w, "map-event", G_CALLBACK(onMap), window);
}

void setSize(GtkWidget* widget, const RECT& frame)
{
    gtk_widget_set_size_request(widget, inGtkPixels(clampSize(frame.right - frame.left)),
                                inGtkPixels(clampSize(frame.bottom - frame.top)));
}

void place(GtkWidget* widget, const RECT& frame)
{
    gtk_window_move(GTK_WINDOW(widget), inGtkPixels(clampCoordinate(frame.left)),
                    inGtkPixels(clampCoordinate(frame.top)));
}

// GDK selects every pointer move over a toplevel, from which it would emulate
// child windows, and removing the moves from its event mask does not stop it.
// Nothing here reads them (the eyes look on their timer, and a drag is the window
// manager's or GDK's own grab's), while each would wake the program: they are
// taken out of what GDK selected on the X window, with XInput 2 and without.
void ignorePointerMoves(Display* display, Window xid)
{
    GdkDisplay* gdkDisplay = gdk_x11_lookup_xdisplay(display);
    gdk_x11_display_error_trap_push(gdkDisplay);
    int opcode = 0, event = 0, error = 0, count = 0;
    XIEventMask* masks = XQueryExtension(display, "XInputExtension", &opcode, &event, &error)
                             ? XIGetSelectedEvents(display, xid, &count)
                             : nullptr;
    if (masks) {
        for (int i = 0; i < count; ++i) {
            if (masks[i].mask_len > XI_Motion / 8)
                XIClearMask(masks[i].mask, XI_Motion);
        }
        XISelectEvents(display, xid, masks, count);
        XFree(masks);
    }
    gdk_x11_display_error_trap_pop_ignored(gdkDisplay);
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, xid, &attributes);
    XSelectInput(display, xid, attributes.your_event_mask & ~(PointerMotionMask | ButtonMotionMask));
}

bool buttonDown(guint button)
{
    Display* display = gtk_backend::xDisplay();
    Window root, child;
    int rootX, rootY, windowX, windowY;
    unsigned state = 0;
    XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &windowX, &windowY, &state);
    return state & (Button1Mask << (button - 1));
}

}  // namespace

uint64_t backend::windowId(Native* window)
{
    return window->xid;
}

void gtk_backend::movedTo(Window xid, POINT screenPixels)
{
    GdkWindow* gdkWindow = gdk_x11_window_lookup_for_display(gdk_display_get_default(), xid);
    gpointer widget = nullptr;
    if (gdkWindow)
        gdk_window_get_user_data(gdkWindow, &widget);
    if (auto* window = widget ? static_cast<backend::Native*>(g_object_get_data(G_OBJECT(widget), "native")) : nullptr)
        core::windowMoved(window->hwnd, screenPixels.x, screenPixels.y);
}

GdkEvent* gtk_backend::lastPress()
{
    return press.event;
}

backend::Native* backend::createWindow(HWND hwnd, const char* title, const RECT& frame, bool layered)
{
    if (!gtk_backend::xDisplay())
        return nullptr;
    GtkWidget* widget = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    GdkScreen* screen = gtk_widget_get_screen(widget);
    GdkVisual* visual = layered && alphaVisual(screen) ? alphaVisual(screen) : directVisual(screen);
    if (!visual) {
        gtk_widget_destroy(widget);
        gtk_backend::reportNoVisual();
        return nullptr;
    }
    gtk_widget_set_visual(widget, visual);
    auto* window = new Native{hwnd, widget};
    window->xVisual = gdk_x11_visual_get_xvisual(visual);
    GtkWindow* w = GTK_WINDOW(widget);
    gtk_window_set_title(w, title);
    gtk_window_set_decorated(w, FALSE);
    gtk_window_set_resizable(w, FALSE);
    gtk_window_set_type_hint(w, GDK_WINDOW_TYPE_HINT_UTILITY);
    gtk_window_set_skip_taskbar_hint(w, TRUE);
    gtk_window_set_skip_pager_hint(w, TRUE);
    // A tool window belongs to no virtual desktop on Windows: here it is on every workspace.
    gtk_window_stick(w);
    // Frames are drawn straight to the window, so GTK must neither clear nor buffer it.
    gtk_widget_set_app_paintable(widget, TRUE);
    gtk_widget_set_double_buffered(widget, FALSE);
    setSize(widget, frame);
    place(widget, frame);
    connect(window);
    gtk_widget_realize(widget);
    Display* display = gtk_backend::xDisplay();
    window->xid = GDK_WINDOW_XID(gtk_widget_get_window(widget));
    window->gc = XCreateGC(display, window->xid, 0, nullptr);
    ignorePointerMoves(display, window->xid);
    if (layered)
        window->layered = std::make_unique<LayeredPicture>(screen, window->xid, window->gc, gdk_visual_get_depth(visual));
    gtk_backend::wake();
    return window;
}

void backend::destroyWindow(Native* window)
{
    if (!window)
        return;
    if (press.window == window)
        forgetPress();
    window->shared.release();
    window->layered.reset();
    XFreeGC(gtk_backend::xDisplay(), window->gc);
    gtk_widget_destroy(window->widget);
    delete window;
    gtk_backend::wake();
}

void backend::show(Native* window, bool visible)
{
    if (!window)
        return;
    if (visible) {
        // GTK takes the state a hide left as the next show's, and a window
        // manager may not tell it the window was on every workspace: asked again.
        gtk_window_stick(GTK_WINDOW(window->widget));
        gtk_widget_show(window->widget);
    } else
        gtk_widget_hide(window->widget);
    gtk_backend::wake();
}

void backend::move(Native* window, const RECT& frame)
{
    if (!window)
        return;
    setSize(window->widget, frame);
    gtk_window_resize(GTK_WINDOW(window->widget), inGtkPixels(clampSize(frame.right - frame.left)),
                      inGtkPixels(clampSize(frame.bottom - frame.top)));
    place(window->widget, frame);
    gtk_backend::wake();
}

void backend::keepAbove(Native* window, bool above)
{
    if (!window)
        return;
    gtk_window_set_keep_above(GTK_WINDOW(window->widget), above);
    gtk_backend::wake();
}

void backend::setOpacity(Native* window, BYTE opacity)
{
    if (!window)
        return;
    // GDK writes _NET_WM_WINDOW_OPACITY, and removes it for an opaque window.
    gdk_window_set_opacity(gtk_widget_get_window(window->widget), opacity / 255.0);
    gtk_backend::wake();
}

void backend::passClicks(Native* window, bool pass)
{
    if (!window || !window->xid)
        return;
    window->passesClicks = pass;
    shapeInput(window);
}

bool backend::controlHeld()
{
    Display* display = gtk_backend::xDisplay();
    Window root, child;
    int rootX, rootY, windowX, windowY;
    unsigned state = 0;
    return display && XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &windowX,
                                    &windowY, &state) &&
           (state & ControlMask);
}

void backend::shape(Native* window, const RECT* rects, size_t count)
{
    if (!window || !window->xid)
        return;
    std::vector<XRectangle> shape;
    shape.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const RECT& r = rects[i];
        if (r.right > r.left && r.bottom > r.top)
            shape.push_back(XRectangle{short(clampCoordinate(r.left)), short(clampCoordinate(r.top)),
                                       (unsigned short)std::min<LONG>(r.right - r.left, 65535),
                                       (unsigned short)std::min<LONG>(r.bottom - r.top, 65535)});
    }
    // Straight on the X window: GTK ignores shape changes once a window is shown.
    XShapeCombineRectangles(gtk_backend::xDisplay(), window->xid, ShapeBounding, 0, 0, shape.data(),
                            int(shape.size()), ShapeSet, Unsorted);
    XFlush(gtk_backend::xDisplay());
}

namespace {

// The frame's area, in the frame and in X's 16-bit range; empty when nothing is left.
RECT sentArea(const RECT& area, int width, int height)
{
    return {std::max<LONG>(area.left, 0), std::max<LONG>(area.top, 0), std::min<LONG>(area.right, width),
            std::min<LONG>(area.bottom, height)};
}

// Describes the pixels as the X server takes them, without copying them.
void describe(XImage& frame, const uint32_t* pixels, int width, int height, int stridePixels)
{
    if (frame.data == reinterpret_cast<const char*>(pixels) && frame.width == width && frame.height == height &&
        frame.bytes_per_line == stridePixels * 4)
        return;
    describePixels(frame, pixels, width, height, stridePixels, 24);
}

}  // namespace

void backend::present(Native* window, const uint32_t* pixels, int width, int height, int stridePixels,
                      const RECT& area)
{
    if (!window || !window->xid || !pixels || width <= 0 || height <= 0 || stridePixels < width)
        return;
    Display* display = gtk_backend::xDisplay();
    width = std::min(width, 32767);
    height = std::min(height, 32767);
    const RECT sent = sentArea(area, width, height);
    if (sent.left >= sent.right || sent.top >= sent.bottom)
        return;
    XImage& frame = window->frame;
    describe(frame, pixels, width, height, stridePixels);
    if (!window->shared.put(display, window->xid, window->xVisual, window->gc, frame, sent))
        XPutImage(display, window->xid, window->gc, &frame, sent.left, sent.top, sent.left, sent.top,
                  unsigned(sent.right - sent.left), unsigned(sent.bottom - sent.top));
    gtk_backend::holdRequests();
}

void backend::presentLayered(Native* window, const uint32_t* pixels, int width, int height, int stridePixels,
                             const RECT& area)
{
    if (window && window->xid && window->layered && pixels && width > 0 && height > 0 && stridePixels >= width)
        window->layered->update(pixels, std::min(width, 32767), std::min(height, 32767), stridePixels, area);
}

void backend::beginMove(Native* window)
{
    if (!window || press.window != window || !press.held)
        return;
    const GdkEventButton& start = press.event->button;
    guint button = start.button;
    gtk_window_begin_move_drag(GTK_WINDOW(window->widget), int(button), int(start.x_root), int(start.y_root),
                               start.time);
    // A window manager, or GDK where there is none, now moves the window; both
    // may swallow the release, so the pointer's own state ends the wait.
    while (press.held && buttonDown(button) && !core::quitPending()) {
        gtk_backend::iterate();
        core::serviceModalLoop();
        gtk_backend::waitForInput(10);
    }
    press.held = false;
    gtk_backend::wake();
    gtk_backend::drain();
    noteMove(window);
}
