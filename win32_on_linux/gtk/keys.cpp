#include "gtk/keys.h"

namespace {

struct KeyName {
    guint keyval;
    UINT virtualKey;
};

constexpr KeyName namedKeys[] = {
    {GDK_KEY_BackSpace, 0x08}, {GDK_KEY_Tab, 0x09},       {GDK_KEY_ISO_Left_Tab, 0x09}, {GDK_KEY_Return, 0x0D},
    {GDK_KEY_KP_Enter, 0x0D},  {GDK_KEY_Shift_L, 0x10},   {GDK_KEY_Shift_R, 0x10},      {GDK_KEY_Control_L, 0x11},
    {GDK_KEY_Control_R, 0x11}, {GDK_KEY_Alt_L, 0x12},     {GDK_KEY_Alt_R, 0x12},        {GDK_KEY_Pause, 0x13},
    {GDK_KEY_Caps_Lock, 0x14}, {GDK_KEY_Escape, VK_ESCAPE}, {GDK_KEY_space, 0x20},      {GDK_KEY_Page_Up, 0x21},
    {GDK_KEY_Page_Down, 0x22}, {GDK_KEY_End, 0x23},       {GDK_KEY_Home, 0x24},         {GDK_KEY_Left, 0x25},
    {GDK_KEY_Up, 0x26},        {GDK_KEY_Right, 0x27},     {GDK_KEY_Down, 0x28},         {GDK_KEY_Print, 0x2C},
    {GDK_KEY_Insert, 0x2D},    {GDK_KEY_Delete, 0x2E},    {GDK_KEY_Super_L, 0x5B},      {GDK_KEY_Super_R, 0x5C},
    {GDK_KEY_Menu, 0x5D},      {GDK_KEY_KP_Multiply, 0x6A}, {GDK_KEY_KP_Add, 0x6B},     {GDK_KEY_KP_Subtract, 0x6D},
    {GDK_KEY_KP_Decimal, 0x6E}, {GDK_KEY_KP_Divide, 0x6F}, {GDK_KEY_Num_Lock, 0x90},    {GDK_KEY_Scroll_Lock, 0x91},
};

}  // namespace

UINT virtualKeyOf(guint keyval)
{
    keyval = gdk_keyval_to_upper(keyval);
    if ((keyval >= GDK_KEY_A && keyval <= GDK_KEY_Z) || (keyval >= GDK_KEY_0 && keyval <= GDK_KEY_9))
        return keyval;  // Win32 uses the ASCII codes for these
    if (keyval >= GDK_KEY_F1 && keyval <= GDK_KEY_F24)
        return 0x70 + (keyval - GDK_KEY_F1);
    if (keyval >= GDK_KEY_KP_0 && keyval <= GDK_KEY_KP_9)
        return 0x60 + (keyval - GDK_KEY_KP_0);
    for (const KeyName& key : namedKeys)
        if (key.keyval == keyval)
            return key.virtualKey;
    return 0;
}

LPARAM keyDownParam(const GdkEventKey& event)
{
    // X keycodes on Linux are the evdev codes plus 8, and evdev numbers the
    // common keys as the PC scan codes Win32 reports.
    unsigned scanCode = event.hardware_keycode >= 8 ? (event.hardware_keycode - 8) & 0xFF : 0;
    return LPARAM(1 | (scanCode << 16));
}
