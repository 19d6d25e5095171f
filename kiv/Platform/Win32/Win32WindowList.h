#pragma once

#include "bex/Core/Vector.h"

#include <cstdint>
#include <exception>

namespace Kiv
{

class Win32Window;

// The process's windows of the toolkit and the mouse state they share: one mouse and one
// capture for all of them. The GUI runs on one thread, so no lock.
struct Win32WindowList
{
    Bex::Vector<Win32Window*> windows;
    // In the order they opened; the newest open one holds the capture.
    Bex::Vector<Win32Window*> popups;
    // The window that had the press of the buttons still held: moves and releases go there
    // wherever the pointer is.
    Win32Window* press_window = nullptr;
    uint32_t pressed_buttons = 0;
    // The window the pointer was last seen over, told when the pointer leaves it.
    Win32Window* hover_window = nullptr;
    std::exception_ptr exception;
    // Set while we move the capture ourselves, so that losing it is not taken for the user
    // going elsewhere.
    bool moving_capture = false;
};

Win32WindowList& get_win32_window_list();

} // namespace Kiv
