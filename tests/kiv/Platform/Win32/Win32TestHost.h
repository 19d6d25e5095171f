#pragma once

#include "kiv/Graphics/Geometry.h"
#include "kiv/Platform/Win32/Win32Window.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <functional>

namespace KivTest
{

// What a plug-in host does around an editor: a plain top-level window, shown, for the editor to
// open in.
class Win32Host
{
public:
    Win32Host();
    Win32Host(const Win32Host&) = delete;
    Win32Host& operator=(const Win32Host&) = delete;
    ~Win32Host();

    HWND get_window() const { return m_window; }
    void destroy_window();

    static constexpr const wchar_t* s_class_name = L"KivTestHost";

private:
    HWND m_window = nullptr;
};

// Where a window's client area starts on the screen.
Kiv::Point get_screen_position(HWND a_window);
// The colour shown at a pixel of a window, as 0xRRGGBB; 0xFFFFFFFF when it cannot be read.
uint32_t read_pixel(HWND a_window, int a_x, int a_y);

// Runs the thread's messages as a host's loop does, with an idle call of the editor between
// rounds, until a_done answers true; false after a few seconds without.
bool pump(Kiv::Win32Window& a_window, const std::function<bool()>& a_done);
// The thread's messages only, for a while.
void pump_messages(DWORD a_milliseconds);

LPARAM to_lparam(int a_x, int a_y);

} // namespace KivTest
