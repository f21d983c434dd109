// What GNOME Shell's own extensions service says of our extension, for the
// notice: whether it is off, out of date or failed, and for which versions it
// was made. The shell sends no lists over the bus, so those come from the
// metadata.json in the folder it names.
#include <json-glib/json-glib.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "wayland_pointer/notice_texts.h"
#include "wayland_pointer/pointer_source.h"

namespace {

using notice_texts::ExtensionReport;

struct Question {
    GDBusConnection* bus;
    void (*answered)(const std::string& notice, bool off);
    ExtensionReport report;
};

// The largest number among the strings of "shell-version": [...]; 0 when there is none.
int newestListed(JsonNode* metadata)
{
    JsonObject* fields = JSON_NODE_HOLDS_OBJECT(metadata) ? json_node_get_object(metadata) : nullptr;
    JsonNode* list = fields ? json_object_get_member(fields, "shell-version") : nullptr;
    if (!list || !JSON_NODE_HOLDS_ARRAY(list))
        return 0;
    int newest = 0;
    JsonArray* versions = json_node_get_array(list);
    for (guint i = 0; i < json_array_get_length(versions); ++i) {
        JsonNode* version = json_array_get_element(versions, i);
        if (JSON_NODE_HOLDS_VALUE(version) && json_node_get_value_type(version) == G_TYPE_STRING)
            newest = std::max(newest, std::atoi(json_node_get_string(version)));
    }
    return newest;
}

void readListedVersions(ExtensionReport* report, const char* folder)
{
    gchar* file = g_build_filename(folder, "metadata.json", nullptr);
    JsonParser* parser = json_parser_new();
    if (json_parser_load_from_file(parser, file, nullptr))
        report->newestListed = newestListed(json_parser_get_root(parser));
    g_object_unref(parser);
    g_free(file);
}

void onShellVersion(GObject*, GAsyncResult* result, gpointer data)
{
    auto* question = static_cast<Question*>(data);
    if (GVariant* answer = g_dbus_connection_call_finish(question->bus, result, nullptr)) {
        GVariant* version = nullptr;
        g_variant_get(answer, "(v)", &version);
        if (g_variant_is_of_type(version, G_VARIANT_TYPE_STRING))
            question->report.shellMajor = std::atoi(g_variant_get_string(version, nullptr));
        g_variant_unref(version);
        g_variant_unref(answer);
    }
    question->answered(notice_texts::forGnome(question->report), notice_texts::isOff(question->report));
    delete question;
}

void onExtensionInfo(GObject*, GAsyncResult* result, gpointer data)
{
    auto* question = static_cast<Question*>(data);
    if (GVariant* answer = g_dbus_connection_call_finish(question->bus, result, nullptr)) {
        GVariant* info = g_variant_get_child_value(answer, 0);
        double state = 0;
        const char* text = nullptr;
        if (g_variant_lookup(info, "state", "d", &state))
            question->report.state = int(state);
        if (g_variant_lookup(info, "error", "&s", &text))
            question->report.error = text;
        if (g_variant_lookup(info, "path", "&s", &text))
            readListedVersions(&question->report, text);
        g_variant_unref(info);
        g_variant_unref(answer);
    }
    g_dbus_connection_call(question->bus, "org.gnome.Shell", "/org/gnome/Shell", "org.freedesktop.DBus.Properties",
                           "Get", g_variant_new("(ss)", "org.gnome.Shell", "ShellVersion"), G_VARIANT_TYPE("(v)"),
                           G_DBUS_CALL_FLAGS_NONE, 1000, nullptr, onShellVersion, question);
}

}  // namespace

void pointer_source::describeGnomeExtension(GDBusConnection* bus, void (*answered)(const std::string& notice, bool off))
{
    g_dbus_connection_call(bus, "org.gnome.Shell", "/org/gnome/Shell", "org.gnome.Shell.Extensions",
                           "GetExtensionInfo", g_variant_new("(s)", "pointer@glimora.org"),
                           G_VARIANT_TYPE("(a{sv})"), G_DBUS_CALL_FLAGS_NONE, 1000, nullptr, onExtensionInfo,
                           new Question{bus, answered, {}});
}

void pointer_source::enableGnomeExtension(GDBusConnection* bus)
{
    g_dbus_connection_call(bus, "org.gnome.Shell", "/org/gnome/Shell", "org.gnome.Shell.Extensions",
                           "EnableExtension", g_variant_new("(s)", "pointer@glimora.org"), nullptr,
                           G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr, nullptr);
}
