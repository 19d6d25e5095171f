#include "kiv/Platform/X11/X11Connection.h"

#include <cairo.h>

#include "bex/Core/Exception.h"
#include "kiv/Platform/X11/X11ErrorTrap.h"
#include "kiv/Platform/X11/X11Window.h"

#include <algorithm>
#include <cstdlib>

namespace Kiv
{

namespace
{

constexpr Time g_double_click_time = 400;
constexpr int g_double_click_distance = 4;

// Every open connection of the process; the GUI runs on one thread, so no lock.
Bex::Vector<X11Connection*>& connections()
{
    static Bex::Vector<X11Connection*> s_connections;
    return s_connections;
}

} // namespace

X11Connection::X11Connection() : m_display(XOpenDisplay(nullptr))
{
    if (!m_display)
    {
        const char* name = std::getenv("DISPLAY");
        throw Bex::Exception(u"Couldn't open the X display \"" +
                             Bex::String::from_utf8(name ? name : "") + u"\".");
    }
    connections().push_back(this);
}

X11Connection::~X11Connection()
{
    X11ErrorTrap trap;
    if (m_input_context)
        XDestroyIC(m_input_context);
    if (m_input_method)
        XCloseIM(m_input_method);
    if (m_cairo_device)
    {
        cairo_device_finish(m_cairo_device);
        cairo_device_destroy(m_cairo_device);
    }
    XCloseDisplay(m_display);
    std::erase(connections(), this);
}

void X11Connection::keep_cairo_device(cairo_device_t* a_device)
{
    if (!m_cairo_device && a_device)
        m_cairo_device = cairo_device_reference(a_device);
}

X11Connection* X11Connection::find(Display* a_display)
{
    for (X11Connection* connection : connections())
    {
        if (connection->m_display == a_display)
            return connection;
    }
    return nullptr;
}

void X11Connection::add_window(X11Window* a_window)
{
    m_windows.push_back(a_window);
}

void X11Connection::remove_window(X11Window* a_window)
{
    std::erase(m_windows, a_window);
    remove_popup(a_window);
    if (m_press_window == a_window->get_window_id())
        m_press_window = None;
    if (m_click_window == a_window->get_window_id())
        m_click_window = None;
    if (m_input_context && m_input_window == a_window->get_window_id())
    {
        XDestroyIC(m_input_context);
        m_input_context = nullptr;
        m_input_window = None;
    }
}

X11Window* X11Connection::find_window(::Window a_id) const
{
    for (X11Window* window : m_windows)
    {
        if (window->get_window_id() == a_id)
            return window;
    }
    return nullptr;
}

Bex::Vector<::Window> X11Connection::get_window_ids() const
{
    Bex::Vector<::Window> ids;
    for (X11Window* window : m_windows)
        ids.push_back(window->get_window_id());
    return ids;
}

void X11Connection::push_popup(X11Window* a_popup)
{
    m_popups.push_back(a_popup);
    p_grab_pointer(a_popup->get_window_id());
}

void X11Connection::remove_popup(X11Window* a_popup)
{
    const auto found = std::find(m_popups.begin(), m_popups.end(), a_popup);
    if (found == m_popups.end())
        return;
    const bool was_newest = found + 1 == m_popups.end();
    m_popups.erase(found);
    if (!was_newest)
        return;
    if (m_popups.empty())
        XUngrabPointer(m_display, CurrentTime);
    else
        p_grab_pointer(m_popups.back()->get_window_id());
}

void X11Connection::p_grab_pointer(::Window a_window)
{
    // Owner events: our own windows get their events as usual, and only what happens elsewhere
    // is reported to the popup, outside its area. Another client's grab (the host dragging)
    // makes this fail; the popups then stay until closed from inside.
    XGrabPointer(m_display, a_window, True, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                 GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
}

uint32_t X11Connection::count_click(::Window a_window, unsigned int a_button, Time a_time,
                                    int a_root_x, int a_root_y)
{
    const bool again = m_click_count > 0 && a_window == m_click_window &&
                       a_button == m_click_button && a_time - m_click_time <= g_double_click_time &&
                       std::abs(a_root_x - m_click_x) <= g_double_click_distance &&
                       std::abs(a_root_y - m_click_y) <= g_double_click_distance;
    m_click_count = again ? m_click_count + 1 : 1;
    m_click_window = a_window;
    m_click_button = a_button;
    m_click_time = a_time;
    m_click_x = a_root_x;
    m_click_y = a_root_y;
    return m_click_count;
}

XIC X11Connection::get_input_context(::Window a_window)
{
    if (m_input_context && m_input_window == a_window)
        return m_input_context;
    if (m_input_method_failed)
        return nullptr;
    if (!m_input_method)
    {
        // The input method composes accented letters and gives text in UTF-8 whatever the
        // process's locale; without one, key presses still give Latin-1 text.
        m_input_method = XOpenIM(m_display, nullptr, nullptr, nullptr);
        if (!m_input_method)
        {
            m_input_method_failed = true;
            return nullptr;
        }
    }
    if (m_input_context)
        XDestroyIC(m_input_context);
    m_input_context = XCreateIC(m_input_method, XNInputStyle, XIMPreeditNothing | XIMStatusNothing,
                                XNClientWindow, a_window, XNFocusWindow, a_window, nullptr);
    m_input_window = m_input_context ? a_window : None;
    return m_input_context;
}

void X11Connection::p_record_error(const XErrorEvent& a_error)
{
    ++m_error_count;
    m_last_error_code = a_error.error_code;
}

} // namespace Kiv
