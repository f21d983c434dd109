// The desktop's scale and monitors as GDK tells them. GTK places and sizes our
// windows in window pixels itself; what reaches X directly (frames, shapes, the
// pointer, a window's corner) is converted here.
#include <gdk/gdkx.h>

#include "platform/backend.h"
#include "platform/gtk/gtk_backend.h"

namespace {

Scale scale;

}  // namespace

void gtk_backend::readScale()
{
    // GDK's integer window scale: GDK_SCALE, else the desktop's setting, rounded as GTK rounds it.
    scale.factor = std::max(1, gdk_window_get_scale_factor(gdk_get_default_root_window()));
}

const Scale& gtk_backend::screenScale()
{
    return scale;
}

POINT gtk_backend::windowOrigin(Window xid)
{
    Window child;
    int x = 0, y = 0;
    XTranslateCoordinates(xDisplay(), xid, DefaultRootWindow(xDisplay()), 0, 0, &x, &y, &child);
    return cornerAt({x, y});
}

POINT gtk_backend::cornerAt(POINT screenPixels)
{
    scale.origin = screenPixels;
    return scale.toWindowPixels(scale.origin);
}

void gtk_backend::placedAt(POINT windowPixels)
{
    scale.origin = {windowPixels.x * scale.factor, windowPixels.y * scale.factor};
}

std::vector<RECT> backend::monitors()
{
    std::vector<RECT> areas;
    GdkDisplay* display = gdk_display_get_default();
    if (!gtk_backend::xDisplay() || !display)
        return areas;
    GdkMonitor* primary = gdk_display_get_primary_monitor(display);
    for (int i = 0, count = gdk_display_get_n_monitors(display); i < count; ++i) {
        GdkMonitor* monitor = gdk_display_get_monitor(display, i);
        GdkRectangle r{};
        gdk_monitor_get_geometry(monitor, &r);
        RECT area{r.x, r.y, r.x + r.width, r.y + r.height};
        areas.insert(monitor == primary ? areas.begin() : areas.end(), area);
    }
    return areas;
}

POINT backend::toScreenPixels(POINT point)
{
    return scale.toScreen(point);
}

POINT backend::fromScreenPixels(POINT point)
{
    return scale.toWindowPixels(point);
}
