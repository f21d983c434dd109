// Memory device contexts, 32-bit DIB sections and layered windows: what a
// program needs to hand a layered window its premultiplied pixels.
#include <algorithm>
#include <memory>
#include <vector>

#include "core.h"
#include "core/handles.h"

struct HBITMAP__ {
    std::vector<uint32_t> pixels;
    int width = 0;
    int height = 0;
    bool topDown = false;
};

namespace {

struct MemoryDc {
    HGDIOBJ selected = nullptr;
};

core::Handles<MemoryDc>& memoryDcs()
{
    static core::Handles<MemoryDc> all;
    return all;
}

core::Handles<HBITMAP__>& bitmaps()
{
    static core::Handles<HBITMAP__> all;
    return all;
}

// The one blend a layered window is given here: per-pixel premultiplied alpha.
bool isPerPixelAlpha(const UPDATELAYEREDWINDOWINFO& info)
{
    const BLENDFUNCTION* blend = info.pblend;
    return info.dwFlags == ULW_ALPHA && blend && blend->BlendOp == AC_SRC_OVER && blend->AlphaFormat == AC_SRC_ALPHA;
}

}  // namespace

HDC CreateCompatibleDC(HDC)
{
    return memoryDcs().add<HDC>(std::make_unique<MemoryDc>());
}

BOOL DeleteDC(HDC dc)
{
    return memoryDcs().remove(dc) != nullptr;
}

// Only bitmaps are selected here; the previous one comes back, as in Win32.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object)
{
    MemoryDc* memory = memoryDcs().find(dc);
    if (!memory || (object && !bitmaps().find(object)))
        return nullptr;
    HGDIOBJ previous = memory->selected;
    memory->selected = object;
    return previous;
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD)
{
    if (bits)
        *bits = nullptr;
    if (!info || !bits || section || usage != DIB_RGB_COLORS)
        return nullptr;
    const BITMAPINFOHEADER& header = info->bmiHeader;
    const int64_t height = header.biHeight < 0 ? -int64_t{header.biHeight} : header.biHeight;
    if (header.biBitCount != 32 || header.biCompression != BI_RGB || header.biWidth <= 0 || height <= 0 ||
        header.biWidth > 32767 || height > 32767)
        return nullptr;
    auto made = std::make_unique<HBITMAP__>();
    made->width = header.biWidth;
    made->height = int(height);
    made->topDown = header.biHeight < 0;
    made->pixels.assign(size_t(made->width) * made->height, 0);
    *bits = made->pixels.data();
    return bitmaps().add<HBITMAP>(std::move(made));
}

bool core::deleteBitmap(HGDIOBJ object)
{
    if (!bitmaps().remove(object))
        return false;
    memoryDcs().forEach([&](MemoryDc& dc) {
        if (dc.selected == object)
            dc.selected = nullptr;
    });
    return true;
}

BOOL UpdateLayeredWindowIndirect(HWND hwnd, const UPDATELAYEREDWINDOWINFO* info)
{
    core::Window* window = core::findWindow(hwnd);
    if (!window || !window->layered || !info || info->cbSize != sizeof *info || !isPerPixelAlpha(*info))
        return FALSE;
    MemoryDc* source = memoryDcs().find(info->hdcSrc);
    HBITMAP__* picture = source ? bitmaps().find(source->selected) : nullptr;
    const POINT origin = info->pptSrc ? *info->pptSrc : POINT{0, 0};
    const int width = core::width(window->frame), height = core::height(window->frame);
    if (info->psize && (info->psize->cx != width || info->psize->cy != height))
        return FALSE;  // the program never resizes through here
    if (!picture || !picture->topDown || origin.x < 0 || origin.y < 0 || origin.x + width > picture->width ||
        origin.y + height > picture->height)
        return FALSE;
    if (info->pptDst)
        SetWindowPos(hwnd, nullptr, info->pptDst->x, info->pptDst->y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    core::setOpacity(*window, info->pblend->SourceConstantAlpha);
    const RECT area = info->prcDirty ? *info->prcDirty : RECT{0, 0, width, height};
    const uint32_t* corner = picture->pixels.data() + size_t(origin.y) * picture->width + origin.x;
    backend::presentLayered(window->native, corner, width, height, picture->width, area);
    return TRUE;
}

void core::setOpacity(Window& window, BYTE opacity)
{
    if (opacity != window.opacity)
        backend::setOpacity(window.native, opacity);
    window.opacity = opacity;
}

LONG GetWindowLongA(HWND hwnd, int index)
{
    const core::Window* window = core::findWindow(hwnd);
    return window && index == GWL_EXSTYLE ? LONG(window->exStyle) : 0;
}

LONG SetWindowLongA(HWND hwnd, int index, LONG value)
{
    core::Window* window = core::findWindow(hwnd);
    if (!window || index != GWL_EXSTYLE)
        return 0;
    const LONG previous = LONG(window->exStyle);
    // How the window was made to show its pixels stays; only what the style adds on top changes.
    window->exStyle = (DWORD(value) & ~WS_EX_LAYERED) | (window->layered ? WS_EX_LAYERED : DWORD(value) & WS_EX_LAYERED);
    if (!(window->exStyle & WS_EX_LAYERED))
        core::setOpacity(*window, 255);
    const bool passing = (window->exStyle & (WS_EX_LAYERED | WS_EX_TRANSPARENT)) == (WS_EX_LAYERED | WS_EX_TRANSPARENT);
    if (passing != ((DWORD(previous) & (WS_EX_LAYERED | WS_EX_TRANSPARENT)) == (WS_EX_LAYERED | WS_EX_TRANSPARENT)))
        backend::passClicks(window->native, passing);
    return previous;
}

BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF, BYTE alpha, DWORD flags)
{
    core::Window* window = core::findWindow(hwnd);
    if (!window || window->layered || !(window->exStyle & WS_EX_LAYERED) || flags != LWA_ALPHA)
        return FALSE;
    core::setOpacity(*window, alpha);
    return TRUE;
}
