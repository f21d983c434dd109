// GNOME: our Shell extension owns org.glimora.Pointer and answers where the
// pointer is. It only answers, so the program asks on a timer of its own,
// often while the pointer moves and seldom while it rests; each answer costs
// the shell about half a millisecond.
#include "core/backend.h"
#include "wayland_pointer/pointer_source.h"

namespace {

constexpr const char* extensionName = "org.glimora.Pointer";
constexpr const char* extensionPath = "/org/glimora/Pointer";
// The eyes are painted ten times a second: asking more often would show nothing new.
constexpr guint movingIntervalMs = 100;
constexpr guint restingIntervalMs = 400;
constexpr uint64_t restAfterMs = 2000;
constexpr int answerTimeoutMs = 1000;

GDBusConnection* bus = nullptr;
GCancellable* cancellable = nullptr;  // ends the asking when the extension goes
POINT lastAnswer{-1, -1};
uint64_t lastMove = 0;
guint nextQuestion = 0;

void ask();

gboolean askNow(gpointer)
{
    nextQuestion = 0;
    ask();
    return G_SOURCE_REMOVE;
}

void askIn(guint milliseconds)
{
    nextQuestion = g_timeout_add(milliseconds, askNow, nullptr);
}

void onAnswer(GObject*, GAsyncResult* result, gpointer)
{
    GError* error = nullptr;
    GVariant* answer = g_dbus_connection_call_finish(bus, result, &error);
    if (!answer) {
        bool stopped = g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED);
        g_error_free(error);
        // While it is still there, a failed question is asked again, calmly.
        if (!stopped)
            askIn(restingIntervalMs);
        return;
    }
    int x = 0, y = 0, width = 0, height = 0;
    g_variant_get(answer, "(iiii)", &x, &y, &width, &height);
    g_variant_unref(answer);
    uint64_t now = backend::now();
    if (x != lastAnswer.x || y != lastAnswer.y)
        lastMove = now;
    lastAnswer = POINT{x, y};
    pointer_source::reported(x, y, width, height);
    askIn(now - lastMove < restAfterMs ? movingIntervalMs : restingIntervalMs);
}

void ask()
{
    if (!cancellable || g_cancellable_is_cancelled(cancellable))
        return;
    g_dbus_connection_call(bus, extensionName, extensionPath, extensionName, "GetPosition", nullptr,
                           G_VARIANT_TYPE("(iiii)"), G_DBUS_CALL_FLAGS_NO_AUTO_START, answerTimeoutMs, cancellable,
                           onAnswer, nullptr);
}

void onAppeared(GDBusConnection*, const gchar*, const gchar*, gpointer)
{
    pointer_source::helperPresent(true);
    if (!cancellable) {
        cancellable = g_cancellable_new();
        lastMove = backend::now();
        ask();
    }
}

void onVanished(GDBusConnection*, const gchar*, gpointer)
{
    if (cancellable) {
        g_cancellable_cancel(cancellable);
        g_object_unref(cancellable);
        cancellable = nullptr;
    }
    if (nextQuestion) {
        g_source_remove(nextQuestion);
        nextQuestion = 0;
    }
    pointer_source::helperPresent(false);
}

}  // namespace

void pointer_source::startGnome(GDBusConnection* connection)
{
    bus = connection;
    g_bus_watch_name_on_connection(bus, extensionName, G_BUS_NAME_WATCHER_FLAGS_NONE, onAppeared, onVanished,
                                   nullptr, nullptr);
}
