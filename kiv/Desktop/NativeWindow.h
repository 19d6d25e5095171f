#pragma once

#include "kiv/Graphics/Geometry.h"

#include <memory>

namespace Kiv
{

class Desktop;
class NativeDialogs;
class TextMeasurer;

// What a desktop needs from the platform's window, kept as small as a backend can implement
// anywhere. The backend calls the desktop back: its handle_* functions for input and resizing,
// update() when asked to and whenever it is idle, and paint() with a painter for the area it
// repaints.
class NativeWindow
{
public:
    virtual ~NativeWindow() = default;

    // The desktop that this window shows; the desktop sets itself when it is made and clears it
    // when it goes, and the backend sends its input there.
    virtual void set_desktop(Desktop* a_desktop) = 0;

    virtual Size get_size() const = 0;
    // Repaint this area (desktop coordinates) soon.
    virtual void invalidate(const Rect& a_area) = 0;
    // Call Desktop::update() soon, from the event loop rather than from inside this call.
    virtual void request_update() = 0;
    // Keep sending mouse events while a button is held, even outside the window.
    virtual void set_mouse_capture(bool a_captured) = 0;
    // The sizes the contents can take; hosts that resize the window keep to them.
    virtual void set_size_limits(Size a_minimum, Size a_maximum) = 0;
    // Measures text as this window's painter draws it.
    virtual TextMeasurer& get_text_measurer() = 0;
    // A borderless window above everything else, for menus: a_area is in this window's
    // coordinates and may reach past its edges. It shows until it is destroyed.
    virtual std::unique_ptr<NativeWindow> create_popup(const Rect& a_area) = 0;
    // The platform's menus and dialog boxes, where the toolkit should use them instead of its
    // own; null by default.
    virtual NativeDialogs* get_native_dialogs() { return nullptr; }
};

} // namespace Kiv
