// Where no helper reports the pointer, the eyes would stare at an old point in
// silence: the user is told once what the program can see there. That it was
// told is remembered per user, in $XDG_STATE_HOME/glimora/wayland-notice, and
// per kind of desktop: the notice concerns the desktop, not a working folder
// (every instance and every folder of skins would repeat it otherwise), and a
// user who moves to another desktop learns what holds there.
#include <cstdio>
#include <string>

#include "wayland_pointer/notice_texts.h"
#include "wayland_pointer/pointer_source.h"
#include "os/translation.h"

namespace {

using pointer_choice::Helper;

const char* kindName(Helper helper)
{
    return helper == Helper::GnomeExtension ? "gnome" : helper == Helper::KwinScript ? "kde" : "other";
}

std::string memoryFile()
{
    return std::string(g_get_user_state_dir()) + "/glimora/wayland-notice";
}

bool alreadyTold(Helper helper)
{
    gchar* told = nullptr;
    if (!g_file_get_contents(memoryFile().c_str(), &told, nullptr, nullptr))
        return false;
    bool same = g_strcmp0(g_strstrip(told), kindName(helper)) == 0;
    g_free(told);
    return same;
}

void remember(Helper helper)
{
    std::string file = memoryFile();
    gchar* folder = g_path_get_dirname(file.c_str());
    g_mkdir_with_parents(folder, 0700);
    g_free(folder);
    std::string text = std::string(kindName(helper)) + "\n";
    if (!g_file_set_contents(file.c_str(), text.c_str(), gssize(text.size()), nullptr))
        std::fprintf(stderr, "glimora: %s\n",
                     translateWith("cannot write %s, so this may be said again", {file}).c_str());
}

GDBusConnection* noticeBus = nullptr;
std::string noticeText;
guint32 turnOnNotice = 0;  // the notification that offers "Turn on", once the server numbered it

void onAction(GDBusConnection* bus, const gchar*, const gchar*, const gchar*, const gchar*, GVariant* parameters,
              gpointer subscription)
{
    guint32 id = 0;
    const gchar* action = nullptr;
    g_variant_get(parameters, "(u&s)", &id, &action);
    if (id != turnOnNotice || g_strcmp0(action, "turn-on") != 0)
        return;
    pointer_source::enableGnomeExtension(bus);
    g_dbus_connection_signal_unsubscribe(bus, *static_cast<guint*>(subscription));
}

void onNumbered(GObject*, GAsyncResult* result, gpointer)
{
    if (GVariant* reply = g_dbus_connection_call_finish(noticeBus, result, nullptr)) {
        g_variant_get(reply, "(u)", &turnOnNotice);
        g_variant_unref(reply);
    }
}

// No reply is awaited for the text alone: a desktop without a notification service still has stderr.
void notify(bool offerTurnOn)
{
    const gchar* const turnOn[] = {"turn-on", notice_texts::turnOn(), nullptr};
    static const gchar* const none[] = {nullptr};
    static guint subscription = 0;
    if (offerTurnOn && !subscription)
        subscription = g_dbus_connection_signal_subscribe(
            noticeBus, "org.freedesktop.Notifications", "org.freedesktop.Notifications", "ActionInvoked",
            "/org/freedesktop/Notifications", nullptr, G_DBUS_SIGNAL_FLAGS_NONE, onAction, &subscription, nullptr);
    g_dbus_connection_call(noticeBus, "org.freedesktop.Notifications", "/org/freedesktop/Notifications",
                           "org.freedesktop.Notifications", "Notify",
                           g_variant_new("(susss^asa{sv}i)", "Glimora", 0u, "glimora",
                                         notice_texts::title(), noticeText.c_str(),
                                         offerTurnOn ? turnOn : none, nullptr, -1),
                           G_VARIANT_TYPE("(u)"), G_DBUS_CALL_FLAGS_NONE, -1, nullptr,
                           offerTurnOn ? onNumbered : nullptr, nullptr);
}

// Servers without actions show the text alone, which names the command.
void onCapabilities(GObject*, GAsyncResult* result, gpointer)
{
    bool actions = false;
    if (GVariant* reply = g_dbus_connection_call_finish(noticeBus, result, nullptr)) {
        GVariantIter* capabilities = nullptr;
        const gchar* capability = nullptr;
        g_variant_get(reply, "(as)", &capabilities);
        while (g_variant_iter_next(capabilities, "&s", &capability))
            actions = actions || g_strcmp0(capability, "actions") == 0;
        g_variant_iter_free(capabilities);
        g_variant_unref(reply);
    }
    notify(actions);
}

bool extensionOff = false;
guint serverWatch = 0;

// At login the notification service may start after the program: the notice waits for it.
void onServerAppeared(GDBusConnection*, const gchar*, const gchar*, gpointer)
{
    g_bus_unwatch_name(serverWatch);
    if (!extensionOff) {
        notify(false);
        return;
    }
    g_dbus_connection_call(noticeBus, "org.freedesktop.Notifications", "/org/freedesktop/Notifications",
                           "org.freedesktop.Notifications", "GetCapabilities", nullptr, G_VARIANT_TYPE("(as)"),
                           G_DBUS_CALL_FLAGS_NONE, -1, nullptr, onCapabilities, nullptr);
}

void say(const std::string& text, bool off)
{
    std::fprintf(stderr, "glimora: %s\n", text.c_str());
    if (!noticeBus)
        return;
    noticeText = text;
    extensionOff = off;
    serverWatch = g_bus_watch_name_on_connection(noticeBus, "org.freedesktop.Notifications",
                                                 G_BUS_NAME_WATCHER_FLAGS_NONE, onServerAppeared, nullptr,
                                                 nullptr, nullptr);
}

}  // namespace

void pointer_source::tellOnce(Helper helper, GDBusConnection* bus)
{
    if (alreadyTold(helper))
        return;
    remember(helper);
    noticeBus = bus;
    if (helper == Helper::GnomeExtension && bus)
        describeGnomeExtension(bus, say);
    else
        say(notice_texts::forHelper(helper), false);
}
