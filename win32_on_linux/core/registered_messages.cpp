// Registered messages: one number per name in this process, from 0xC000 as in
// Win32; between programs they travel by name, which is all they share.
#include <string>

#include "core.h"

namespace {

constexpr UINT firstRegistered = 0xC000;
std::vector<std::string> names;

}  // namespace

UINT RegisterWindowMessageA(const char* name)
{
    if (!name || !*name)
        return 0;
    auto known = std::find(names.begin(), names.end(), name);
    if (known == names.end())
        known = names.insert(names.end(), name);
    return firstRegistered + UINT(known - names.begin());
}

BOOL core::broadcast(UINT message, WPARAM wParam, LPARAM lParam)
{
    const size_t index = message - firstRegistered;
    if (message < firstRegistered || index >= names.size() || !displayOpen())
        return FALSE;
    backend::broadcast(names[index].c_str(), wParam, lParam);
    return TRUE;
}

void core::broadcastHeard(const char* name, WPARAM wParam, LPARAM lParam)
{
    auto known = std::find(names.begin(), names.end(), name);
    if (known == names.end())
        return;
    for (const auto& window : windows())
        PostMessageA(window->handle, firstRegistered + UINT(known - names.begin()), wParam, lParam);
}
