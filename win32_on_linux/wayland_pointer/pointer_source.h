// Where the desktop backend learns the pointer position. On an X11 session the
// X server knows it everywhere. Under XWayland it knows it only over X11
// windows, so on Wayland sessions a helper inside the compositor reports it
// over D-Bus (GNOME: our Shell extension answers; KDE: our KWin script pushes)
// and a frame takes the last position reported, never waiting for one.
#pragma once

#include <gio/gio.h>

#include <string>

#include "wayland_pointer/pointer_choice.h"
#include <win32_api.h>

namespace pointer_source {

// Chooses the helper for this session and starts watching for it; an X11
// session touches nothing. Needs the GLib main loop the backend runs.
void start();
// The last position a helper reported, in X screen coordinates; false while no
// helper is active, when the X server must be asked.
bool helperPosition(POINT* screenPoint);
// While a helper reports, its reports of a move are told to core::rawMotion
// from now on (or no longer); false when no helper reports.
bool watchMoves(bool on);

// What the helpers call: a position in the compositor's global logical
// coordinates with the size of that space, and a helper appearing or going.
void reported(int x, int y, int logicalWidth, int logicalHeight);
void helperPresent(bool present);

// Each helper watches its compositor on the session bus.
void startGnome(GDBusConnection* bus);
void startKwin(GDBusConnection* bus);
// Says once, on stderr and in a desktop notification, what cannot be seen.
void tellOnce(pointer_choice::Helper helper, GDBusConnection* bus);
// Asks GNOME Shell why our extension does not answer, and gives the notice that
// says so, and whether turning the extension on is what it takes.
void describeGnomeExtension(GDBusConnection* bus, void (*answered)(const std::string& notice, bool off));
// Turns our extension on through GNOME Shell's own call, as its Extensions app does.
void enableGnomeExtension(GDBusConnection* bus);

}  // namespace pointer_source
