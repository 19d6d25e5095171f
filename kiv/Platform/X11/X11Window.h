#pragma once

#include "kiv/Desktop/NativeWindow.h"
#include "kiv/Graphics/InvalidRegion.h"
#include "kiv/Platform/Cairo/CairoTextMeasurer.h"

#include <memory>

typedef union _XEvent XEvent;

namespace Kiv
{

class X11Connection;

// A native window on an X server, for an editor that lives inside a window of its host. The
// editor's window has an X connection of its own, which its popups share, and it does nothing
// between calls of process_events(): the host's GUI thread drives everything, no thread of ours.
//
// The desktop owns its native window, so the order of teardown follows from ownership:
//
//     std::unique_ptr<X11Window> window = X11Window::create_child(parent, {640, 400});
//     X11Window* native = window.get();
//     auto desktop = std::make_unique<Desktop>(application, std::move(window));
//     ... on every idle call of the host: native->process_events();
//     ... on closing: desktop.reset();
//
// Deleting the desktop closes its popups and their windows, then the editor's window and last
// the connection; the host may do it at any time between two calls of process_events(), with or
// without popups open. X errors (a host that destroyed its window first, say) never end the
// process: they are recorded on the connection.
class X11Window : public NativeWindow
{
public:
    // Opens the display named by DISPLAY and makes a window of a_size inside a_parent_window,
    // shown at once. Throws Bex::Exception when there is no display or no such parent.
    static std::unique_ptr<X11Window> create_child(unsigned long a_parent_window, Size a_size);
    ~X11Window() override;
    X11Window(const X11Window&) = delete;
    X11Window& operator=(const X11Window&) = delete;

    // Handles every pending event of this connection's windows, runs the updates the desktops
    // asked for and repaints what became invalid, each window in one copy from a back buffer.
    // What a widget's handler throws comes through here; the host must not see it, so the
    // plug-in's idle call catches it.
    void process_events();

    unsigned long get_window_id() const;
    // Resizes the window, as an editor does when the host grants a new size.
    void set_size(Size a_size);
    Size get_minimum_size() const { return m_minimum_size; }
    Size get_maximum_size() const { return m_maximum_size; }
    bool is_popup() const { return m_popup; }
    bool is_mouse_captured() const { return m_mouse_captured; }
    // The pointer's position in this window; false when the server cannot tell (the pointer on
    // another screen, say).
    bool query_pointer(Point& a_position) const;
    // The size of the window this one lies in; false for a popup or a parent that is gone.
    bool query_parent_size(Size& a_size) const;
    // How many X errors the connection has recorded, for logs.
    uint32_t get_error_count() const;

    void set_desktop(Desktop* a_desktop) override;
    Size get_size() const override { return m_size; }
    void invalidate(const Rect& a_area) override;
    void request_update() override { m_update_requested = true; }
    // Nothing to do on X: a press starts an implicit grab that sends the moves and the release
    // to the pressed window wherever the pointer goes, and process_events() routes them to that
    // window's desktop even when a popup's grab reports them elsewhere.
    void set_mouse_capture(bool a_captured) override { m_mouse_captured = a_captured; }
    void set_size_limits(Size a_minimum, Size a_maximum) override;
    TextMeasurer& get_text_measurer() override { return m_text_measurer; }
    std::unique_ptr<NativeWindow> create_popup(const Rect& a_area) override;

    // Called by the event loop.
    void p_handle_event(XEvent& a_event);
    void p_update();
    void p_paint();

private:
    struct Resources;

    X11Window(std::shared_ptr<X11Connection> a_connection, Size a_size, bool a_popup);
    void p_handle_button_press(XEvent& a_event);
    void p_handle_button_release(XEvent& a_event);
    void p_handle_motion(XEvent& a_event);
    void p_handle_key(XEvent& a_event);
    // The window that a pointer position here should reach (the pressed one while a button is
    // held), and the position in it.
    X11Window* p_route_pointer(int a_x, int a_y, Point& a_position);
    void p_resized(Size a_size);
    void p_drop_back_buffer();

    std::shared_ptr<X11Connection> m_connection;
    std::unique_ptr<Resources> m_resources;
    Desktop* m_desktop = nullptr;
    CairoTextMeasurer m_text_measurer;
    Size m_size;
    Size m_minimum_size;
    Size m_maximum_size;
    InvalidRegion m_invalid_region;
    unsigned long m_parent = 0;
    bool m_popup;
    bool m_update_requested = false;
    bool m_mouse_captured = false;
};

} // namespace Kiv
