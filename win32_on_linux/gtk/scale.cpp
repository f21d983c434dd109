// The desktop's scale and monitors as GDK tells them, in screen pixels.
#include <algorithm>

#include <gdk/gdkx.h>

#include "core/backend.h"
#include "gtk/gtk_backend.h"

namespace {

int factor = 1;

}  // namespace

void gtk_backend::readScale()
{
    // GDK's integer window scale: GDK_SCALE, else the desktop's setting, rounded as GTK rounds it.
    factor = std::max(1, gdk_window_get_scale_factor(gdk_get_default_root_window()));
}

int backend::scaleFactor()
{
    return factor;
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
        RECT area{r.x * factor, r.y * factor, (r.x + r.width) * factor, (r.y + r.height) * factor};
        areas.insert(monitor == primary ? areas.begin() : areas.end(), area);
    }
    return areas;
}
