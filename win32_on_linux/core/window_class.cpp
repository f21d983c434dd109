#include <strings.h>

#include <string>
#include <vector>

#include "core.h"

namespace {

struct WindowClass {
    std::string name;
    WNDPROC proc;
};

constexpr uintptr_t firstAtom = 0xC000;
constexpr uintptr_t atomLimit = 0x10000;  // a "name" below this is an atom (MAKEINTATOM)

std::vector<WindowClass>& classes()
{
    static std::vector<WindowClass> registered;
    return registered;
}

const WindowClass* findClass(const char* name)
{
    auto atom = reinterpret_cast<uintptr_t>(name);
    if (atom < atomLimit) {
        size_t index = atom - firstAtom;
        return atom >= firstAtom && index < classes().size() ? &classes()[index] : nullptr;
    }
    for (const WindowClass& known : classes())
        if (strcasecmp(known.name.c_str(), name) == 0)  // class names ignore case
            return &known;
    return nullptr;
}

}  // namespace

unsigned short RegisterClassA(const WNDCLASSA* windowClass)
{
    if (!windowClass || !windowClass->lpfnWndProc || !windowClass->lpszClassName)
        return 0;
    const char* name = windowClass->lpszClassName;
    if (reinterpret_cast<uintptr_t>(name) < atomLimit || !*name || findClass(name))
        return 0;
    if (classes().size() >= atomLimit - firstAtom)
        return 0;
    classes().push_back({name, windowClass->lpfnWndProc});
    return static_cast<unsigned short>(firstAtom + classes().size() - 1);
}

WNDPROC core::classProcedure(const char* className)
{
    const WindowClass* found = findClass(className);
    return found ? found->proc : nullptr;
}
