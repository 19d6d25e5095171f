#pragma once

#include "bex/Core/Vector.h"

#include <X11/Xlib.h>

typedef struct _cairo_device cairo_device_t;

#include <cstdint>

namespace Kiv
{

class X11Window;

// One connection to the X server, shared by an editor's window and its popups. It knows their
// windows so that events can find their way, holds the pointer grab that popups need, counts
// clicks, and records the X errors its display reports (see X11ErrorTrap).
class X11Connection
{
public:
    // Opens the display named by DISPLAY. Throws Bex::Exception when there is none.
    X11Connection();
    X11Connection(const X11Connection&) = delete;
    X11Connection& operator=(const X11Connection&) = delete;
    ~X11Connection();

    // The connection that opened a_display, or null for a display that is not ours.
    static X11Connection* find(Display* a_display);

    Display* get_display() const { return m_display; }
    // Cairo keeps state per display (caches of its drawing code) that only finishing its device
    // releases; the connection finishes it before closing the display.
    void keep_cairo_device(cairo_device_t* a_device);

    void add_window(X11Window* a_window);
    void remove_window(X11Window* a_window);
    X11Window* find_window(::Window a_id) const;
    // Ids rather than pointers: handling one window may delete others.
    Bex::Vector<::Window> get_window_ids() const;

    // The newest popup holds the pointer grab, so that a press anywhere else reaches us and can
    // close the popups.
    void push_popup(X11Window* a_popup);
    void remove_popup(X11Window* a_popup);

    // The window that had the press of the buttons still held; mouse moves and the release go
    // there wherever the pointer is. None when no button is held.
    ::Window get_press_window() const { return m_press_window; }
    void set_press_window(::Window a_window) { m_press_window = a_window; }

    // X reports single presses only: presses of the same button on the same window, close in
    // time and place, count up.
    uint32_t count_click(::Window a_window, unsigned int a_button, Time a_time, int a_root_x,
                         int a_root_y);

    // Text input for key presses on a_window: null when the input method could not be opened.
    XIC get_input_context(::Window a_window);

    uint32_t get_error_count() const { return m_error_count; }
    int get_last_error_code() const { return m_last_error_code; }

    // Called by the error trap.
    void p_record_error(const XErrorEvent& a_error);

private:
    void p_grab_pointer(::Window a_window);

    Display* m_display = nullptr;
    cairo_device_t* m_cairo_device = nullptr;
    Bex::Vector<X11Window*> m_windows;
    Bex::Vector<X11Window*> m_popups;
    ::Window m_press_window = None;
    ::Window m_click_window = None;
    unsigned int m_click_button = 0;
    Time m_click_time = 0;
    int m_click_x = 0;
    int m_click_y = 0;
    uint32_t m_click_count = 0;
    XIM m_input_method = nullptr;
    XIC m_input_context = nullptr;
    ::Window m_input_window = None;
    bool m_input_method_failed = false;
    uint32_t m_error_count = 0;
    int m_last_error_code = 0;
};

} // namespace Kiv
