// Handles the program asks for and hands back to Win32 but never looks into:
// each is the address of a stand-in of its own.
#include "core.h"

namespace {

struct Placeholder {
    char unused;
};
Placeholder instance, arrowCursor, stockObject;

}  // namespace

HINSTANCE GetModuleHandleA(const char*)
{
    return reinterpret_cast<HINSTANCE>(&instance);
}

HCURSOR LoadCursorA(HINSTANCE, const char*)
{
    return reinterpret_cast<HCURSOR>(&arrowCursor);
}

HGDIOBJ GetStockObject(int)
{
    return &stockObject;
}
