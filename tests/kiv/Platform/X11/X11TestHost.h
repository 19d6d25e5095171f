#pragma once

#include "kiv/Desktop/Desktop.h"
#include "kiv/Platform/X11/X11Window.h"

#include <X11/Xlib.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace KivTest
{

// What a plug-in host does around an editor: a connection of its own and a plain top-level
// window, shown, for the editor to open in.
class X11Host
{
public:
    X11Host();
    X11Host(const X11Host&) = delete;
    X11Host& operator=(const X11Host&) = delete;
    ~X11Host();

    Display* get_display() const { return m_display; }
    Window get_window() const { return m_window; }
    // Where a window's top-left pixel lies on the screen.
    Kiv::Point get_screen_position(Window a_window) const;
    // The pixel's colour as 0xRRGGBB.
    uint32_t read_pixel(Window a_window, int a_x, int a_y) const;
    // The windows of the screen, top-level ones only.
    std::vector<Window> list_top_level_windows() const;
    bool exists(Window a_window) const;
    void destroy_window();

private:
    Display* m_display = nullptr;
    Window m_window = None;
};

// Runs xdotool with a_arguments and waits for it; throws when it cannot run or fails.
void xdotool(std::initializer_list<std::string> a_arguments);

// Drives the editor as the host's idle calls do until a_done answers true; false after a few
// seconds without.
bool pump(Kiv::X11Window& a_window, const std::function<bool()>& a_done);

} // namespace KivTest
