#include <algorithm>
#include <vector>

#include "core.h"

namespace {

constexpr size_t queueLimit = 10000;  // Win32's default quota of posted messages

// Posted messages from head on. The storage is kept, so a steady flow of
// messages allocates nothing once it has grown.
struct PostedMessages {
    std::vector<MSG> messages;
    size_t head = 0;

    size_t size() const { return messages.size() - head; }
    void push(const MSG& msg)
    {
        if (head > 0 && head >= messages.size() / 2) {
            messages.erase(messages.begin(), messages.begin() + head);
            head = 0;
        }
        messages.push_back(msg);
    }
    void remove(std::vector<MSG>::iterator it)
    {
        if (it == messages.begin() + head)
            ++head;
        else
            messages.erase(it);
        if (head == messages.size())
            clear();
    }
    void clear()
    {
        messages.clear();
        head = 0;
    }
};

PostedMessages posted;
bool quitPosted = false;
int quitCode = 0;

bool takePosted(const core::MessageFilter& filter, bool remove, MSG* msg)
{
    auto& all = posted.messages;
    auto it = std::find_if(all.begin() + posted.head, all.end(),
                           [&](const MSG& m) { return filter.accepts(m.hwnd, m.message); });
    if (it == all.end())
        return false;
    *msg = *it;
    if (remove)
        posted.remove(it);
    return true;
}

// WM_QUIT comes once the posted messages are taken, before painting and timers.
bool takeQuit(const core::MessageFilter& filter, bool remove, MSG* msg)
{
    if (!quitPosted || filter.hwnd)
        return false;
    *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(quitCode), 0, 0, {}};
    core::stamp(msg);
    quitPosted = !remove;
    return true;
}

// Whether an unfiltered PeekMessageA would find a message now.
bool messageWaiting()
{
    if (posted.size() > 0 || quitPosted)
        return true;
    const auto& all = core::windows();
    return std::any_of(all.begin(), all.end(), [](const auto& w) { return core::needsPaint(*w); }) || core::untilNextTimer(1) == 0;
}

}  // namespace

// Only the time: nothing reads a message's pointer position, and reading it costs
// the desktop a round trip to the display for every message.
void core::stamp(MSG* msg)
{
    msg->time = GetTickCount();
}

BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (hwnd == HWND_BROADCAST)
        return core::broadcast(message, wParam, lParam);
    if (hwnd && !core::findWindow(hwnd))
        return FALSE;
    if (posted.size() >= queueLimit)
        return FALSE;
    MSG msg{hwnd, message, wParam, lParam, 0, {}};
    core::stamp(&msg);
    posted.push(msg);
    return TRUE;
}

void PostQuitMessage(int exitCode)
{
    quitPosted = true;
    quitCode = exitCode;
}

bool core::quitPending()
{
    return quitPosted;
}

BOOL PeekMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags)
{
    if (!msg)
        return FALSE;
    if (core::displayOpen())
        backend::poll();
    const core::MessageFilter filter{hwnd, filterMin, filterMax};
    const bool remove = removeFlags & PM_REMOVE;
    return takePosted(filter, remove, msg) || takeQuit(filter, remove, msg) || core::takePaint(filter, msg) ||
           core::takeTimer(filter, remove, msg);
}

// Sleeps until input comes or a timer is due; input that brings no message
// (a native event for the toolkit alone) sends it back to sleep.
BOOL WaitMessage()
{
    constexpr uint64_t longestPause = 60000;  // only a bound: input or a timer ends the pause
    if (core::displayOpen())
        backend::poll();
    while (!messageWaiting()) {
        backend::sleep(static_cast<unsigned>(core::untilNextTimer(longestPause)));
        if (core::displayOpen())
            backend::poll();
    }
    return TRUE;
}

BOOL TranslateMessage(const MSG*)
{
    return TRUE;
}

LRESULT DispatchMessageA(const MSG* msg)
{
    return msg ? SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam) : 0;
}

LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    core::Window* window = core::findWindow(hwnd);
    return window ? window->proc(hwnd, message, wParam, lParam) : 0;
}

void core::serviceModalLoop()
{
    const MessageFilter all{nullptr, 0, 0};
    MSG msg;
    while (takePaint(all, &msg) || takeTimer(all, true, &msg))
        DispatchMessageA(&msg);
}

void core::removeWindowMessages(HWND hwnd)
{
    auto& all = posted.messages;
    all.erase(std::remove_if(all.begin() + posted.head, all.end(), [&](const MSG& m) { return m.hwnd == hwnd; }),
              all.end());
    if (posted.head == all.size())
        posted.clear();
}

void core::clearQueue()
{
    posted.clear();
    quitPosted = false;
    quitCode = 0;
}
