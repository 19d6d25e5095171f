#include "kiv/Platform/Win32/Win32DisplayScale.h"

#include <algorithm>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace Kiv
{

namespace
{

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

// Looked up rather than linked: the plug-in must still load where the function is missing.
GetDpiForWindowFunction find_get_dpi_for_window()
{
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (!user32)
        return nullptr;
    return reinterpret_cast<GetDpiForWindowFunction>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForWindow")));
}

} // namespace

float read_display_scale(void* a_hwnd)
{
    auto hwnd = static_cast<HWND>(a_hwnd);
    if (hwnd && !IsWindow(hwnd))
        hwnd = nullptr;
    UINT dpi = 0;
    static const GetDpiForWindowFunction s_get_dpi_for_window = find_get_dpi_for_window();
    if (s_get_dpi_for_window && hwnd)
        dpi = s_get_dpi_for_window(hwnd);
    if (dpi == 0)
    {
        // Without a window, the screen's.
        if (HDC device = GetDC(hwnd))
        {
            dpi = UINT(std::max(0, GetDeviceCaps(device, LOGPIXELSX)));
            ReleaseDC(hwnd, device);
        }
    }
    return dpi > 0 ? float(dpi) / 96.0f : 1.0f;
}

} // namespace Kiv
