// Where no helper reports the pointer, the eyes would stare at an old point in
// silence: the user is told once what the program can see there. That it was
// told is remembered per user, in $XDG_STATE_HOME/glimora/wayland-notice, and
// per kind of desktop: the notice concerns the desktop, not a working folder
// (every instance and every folder of skins would repeat it otherwise), and a
// user who moves to another desktop learns what holds there.
#include <cstdio>
#include <string>

#include "gtk/notice_texts.h"
#include "gtk/pointer_source.h"

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
        std::fprintf(stderr, "glimora: cannot write %s, so this may be said again\n", file.c_str());
}

void notify(GDBusConnection* bus, const char* text)
{
    // No reply is awaited: a desktop without a notification service still has stderr.
    g_dbus_connection_call(bus, "org.freedesktop.Notifications", "/org/freedesktop/Notifications",
                           "org.freedesktop.Notifications", "Notify",
                           g_variant_new("(susssasa{sv}i)", "Glimora", 0u, "glimora",
                                         "Glimora's eyes cannot follow the pointer everywhere", text, nullptr,
                                         nullptr, -1),
                           nullptr, G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr, nullptr);
}

GDBusConnection* noticeBus = nullptr;

void say(const std::string& text)
{
    std::fprintf(stderr, "glimora: %s\n", text.c_str());
    if (noticeBus)
        notify(noticeBus, text.c_str());
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
        say(notice_texts::forHelper(helper));
}
