// KDE: the program loads its own KWin script over D-Bus whenever KWin is on
// the bus (at start, and again after KWin restarts), and unloads it at exit.
// The script pushes the pointer to this connection; a push only stores it.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "wayland_pointer/pointer_source.h"
#include "os/translation.h"

// The script's text, built in from data/kwin/glimora-pointer/contents/code/main.js.
extern const char* const kwinPointerScript;

namespace {

constexpr const char* kwinName = "org.kde.KWin";
constexpr const char* scriptingPath = "/Scripting";
constexpr const char* scriptingInterface = "org.kde.kwin.Scripting";
constexpr const char* pushPath = "/org/glimora/Glimora";
constexpr const char* pushName = "org.glimora.Glimora";
constexpr const char* pushInterfaceXml =
    "<node><interface name='org.glimora.Glimora'><method name='PointerMoved'>"
    "<arg type='i' name='x' direction='in'/><arg type='i' name='y' direction='in'/>"
    "<arg type='i' name='width' direction='in'/><arg type='i' name='height' direction='in'/>"
    "</method></interface></node>";
constexpr int callTimeoutMs = 2000;

GDBusConnection* bus = nullptr;
std::string kwinOwner;   // pushes from anyone else are not believed
std::string pluginName;  // one script per running program
std::string scriptFile;
bool loaded = false;

void onPush(GDBusConnection*, const gchar* sender, const gchar*, const gchar*, const gchar*, GVariant* parameters,
            GDBusMethodInvocation* invocation, gpointer)
{
    if (kwinOwner == sender) {
        int x = 0, y = 0, width = 0, height = 0;
        g_variant_get(parameters, "(iiii)", &x, &y, &width, &height);
        pointer_source::reported(x, y, width, height);
    }
    g_dbus_method_invocation_return_value(invocation, nullptr);
}

// KWin reads the script from a file: our copy, addressed to this connection.
bool writeScript()
{
    std::string text = kwinPointerScript;
    const std::string target = std::string("\"") + pushName + "\"";
    size_t at = text.find(target);
    if (at == std::string::npos)
        return false;
    text.replace(at, target.size(), std::string("\"") + g_dbus_connection_get_unique_name(bus) + "\"");
    scriptFile = std::string(g_get_user_runtime_dir()) + "/" + pluginName + ".js";
    GError* error = nullptr;
    if (!g_file_set_contents(scriptFile.c_str(), text.c_str(), gssize(text.size()), &error)) {
        std::fprintf(stderr, "glimora: %s\n",
                     translateWith("cannot write the KWin script %s: %s", {scriptFile, error->message}).c_str());
        g_error_free(error);
        return false;
    }
    return true;
}

void onStarted(GObject*, GAsyncResult* result, gpointer)
{
    GError* error = nullptr;
    GVariant* reply = g_dbus_connection_call_finish(bus, result, &error);
    if (!reply) {
        std::fprintf(stderr, "glimora: %s\n",
                     translateWith("KWin did not start the pointer script: %s", {error->message}).c_str());
        g_error_free(error);
        return;
    }
    g_variant_unref(reply);
    pointer_source::helperPresent(true);
}

void onLoaded(GObject*, GAsyncResult* result, gpointer)
{
    GError* error = nullptr;
    GVariant* reply = g_dbus_connection_call_finish(bus, result, &error);
    int id = -1;
    if (reply) {
        g_variant_get(reply, "(i)", &id);
        g_variant_unref(reply);
    }
    if (id < 0) {
        const std::string reason = error ? error->message : translate("it refused it");
        std::fprintf(stderr, "glimora: %s\n",
                     translateWith("KWin did not load the pointer script: %s", {reason}).c_str());
        if (error)
            g_error_free(error);
        return;
    }
    loaded = true;
    g_dbus_connection_call(bus, kwinName, scriptingPath, scriptingInterface, "start", nullptr, nullptr,
                           G_DBUS_CALL_FLAGS_NO_AUTO_START, callTimeoutMs, nullptr, onStarted, nullptr);
}

void onKwinAppeared(GDBusConnection*, const gchar*, const gchar* owner, gpointer)
{
    kwinOwner = owner;
    if (scriptFile.empty() && !writeScript())
        return;
    g_dbus_connection_call(bus, kwinName, scriptingPath, scriptingInterface, "loadScript",
                           g_variant_new("(ss)", scriptFile.c_str(), pluginName.c_str()), G_VARIANT_TYPE("(i)"),
                           G_DBUS_CALL_FLAGS_NO_AUTO_START, callTimeoutMs, nullptr, onLoaded, nullptr);
}

void onKwinVanished(GDBusConnection*, const gchar*, gpointer)
{
    kwinOwner.clear();
    loaded = false;
    pointer_source::helperPresent(false);
}

// Left loaded, the script would go on pushing to a name nobody owns.
void unloadAtExit()
{
    if (loaded) {
        GVariant* reply = g_dbus_connection_call_sync(bus, kwinName, scriptingPath, scriptingInterface,
                                                      "unloadScript", g_variant_new("(s)", pluginName.c_str()),
                                                      nullptr, G_DBUS_CALL_FLAGS_NO_AUTO_START, callTimeoutMs,
                                                      nullptr, nullptr);
        if (reply)
            g_variant_unref(reply);
    }
    if (!scriptFile.empty())
        unlink(scriptFile.c_str());
}

}  // namespace

void pointer_source::startKwin(GDBusConnection* connection)
{
    bus = connection;
    pluginName = "glimora-pointer-" + std::to_string(getpid());
    GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(pushInterfaceXml, nullptr);
    static const GDBusInterfaceVTable vtable{onPush, nullptr, nullptr, {}};
    g_dbus_connection_register_object(bus, pushPath, node->interfaces[0], &vtable, nullptr, nullptr, nullptr);
    g_dbus_node_info_unref(node);
    // The script package, when enabled by hand, reaches whichever program owns the name first.
    g_bus_own_name_on_connection(bus, pushName, G_BUS_NAME_OWNER_FLAGS_DO_NOT_QUEUE, nullptr, nullptr, nullptr,
                                 nullptr);
    g_bus_watch_name_on_connection(bus, kwinName, G_BUS_NAME_WATCHER_FLAGS_NONE, onKwinAppeared, onKwinVanished,
                                   nullptr, nullptr);
    std::atexit(unloadAtExit);
}
