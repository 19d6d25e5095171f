#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace quorlin
{

// A top-level window on the desktop that a plug-in's editor opens inside, as a DAW's editor
// window is. It does nothing between calls of process_events().
class HostWindow
{
public:
    // Shown at once. Throws Bex::Exception when there is no display.
    static std::unique_ptr<HostWindow> create(const std::string& a_title, int32_t a_width,
                                              int32_t a_height);
    virtual ~HostWindow() = default;

    // What the plug-in's effEditOpen takes: an X window id on Linux, an HWND on Windows.
    virtual void* get_native_handle() const = 0;
    virtual void resize(int32_t a_width, int32_t a_height) = 0;
    // Handles pending events; false once the user has closed the window.
    virtual bool process_events() = 0;
};

} // namespace quorlin
