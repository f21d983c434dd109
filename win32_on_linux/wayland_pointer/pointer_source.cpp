#include "wayland_pointer/pointer_source.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "core/backend.h"
#include "gtk/gtk_backend.h"
#include "os/translation.h"

namespace pointer_source {

namespace {

using pointer_choice::Helper;

Helper helper = Helper::NotNeeded;
GDBusConnection* bus = nullptr;
bool present = false;
bool known = false;
bool watchingMoves = false;
POINT last{};
guint checkTimer = 0;

// A helper may appear a moment after the program starts (both at log-in), or
// come back at once (KWin restarting): only a lasting absence is worth a word.
constexpr guint absenceWorthTellingMs = 3000;

gboolean checkPresence(gpointer)
{
    checkTimer = 0;
    if (!present)
        tellOnce(helper, bus);
    return G_SOURCE_REMOVE;
}

void checkPresenceSoon()
{
    if (!checkTimer)
        checkTimer = g_timeout_add(absenceWorthTellingMs, checkPresence, nullptr);
}

}  // namespace

void start()
{
    helper = pointer_choice::forSession(std::getenv("XDG_SESSION_TYPE"), std::getenv("WAYLAND_DISPLAY"),
                                        std::getenv("XDG_CURRENT_DESKTOP"));
    if (helper == Helper::NotNeeded)
        return;
    GError* error = nullptr;
    bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error);
    if (!bus) {
        std::fprintf(stderr, "glimora: %s\n",
                     translateWith("no session bus (%s), so no compositor helper can report the pointer",
                                   {error->message})
                         .c_str());
        g_error_free(error);
    } else if (helper == Helper::GnomeExtension) {
        startGnome(bus);
    } else if (helper == Helper::KwinScript) {
        startKwin(bus);
    }
    checkPresenceSoon();
}

bool helperPosition(POINT* screenPoint)
{
    if (!present || !known)
        return false;
    *screenPoint = last;
    return true;
}

bool watchMoves(bool on)
{
    watchingMoves = on && present;
    return watchingMoves;
}

void reported(int x, int y, int logicalWidth, int logicalHeight)
{
    // XWayland puts the X screen's origin on the compositor's global one and,
    // as a rule, gives X the logical size: the two spaces are one. Where the
    // compositor lets X clients scale themselves (KWin's option, GNOME's
    // native XWayland scaling) the X screen is that many times larger.
    // In screen pixels: the backend makes them window pixels, as for the X server's own answer.
    Display* display = gtk_backend::xDisplay();
    const int screenWidth = DisplayWidth(display, DefaultScreen(display));
    const int screenHeight = DisplayHeight(display, DefaultScreen(display));
    const POINT now{logicalWidth > 0 ? LONG(int64_t(x) * screenWidth / logicalWidth) : x,
                    logicalHeight > 0 ? LONG(int64_t(y) * screenHeight / logicalHeight) : y};
    if (watchingMoves && known && (now.x != last.x || now.y != last.y))
        core::rawMotion();
    last = now;
    known = true;
}

void helperPresent(bool nowPresent)
{
    present = nowPresent;
    known = false;
    if (present)
        return;
    checkPresenceSoon();
    // Whoever listens must look again: the moves now come from elsewhere.
    if (watchingMoves) {
        watchingMoves = false;
        core::rawMotion();
    }
}

}  // namespace pointer_source
