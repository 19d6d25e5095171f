#include "kiv/Platform/X11/X11Window.h"

#include "bex/Core/Exception.h"
#include "kiv/Desktop/Desktop.h"
#include "kiv/Platform/X11/X11Connection.h"
#include "kiv/Platform/X11/X11ErrorTrap.h"
#include "kiv/Platform/X11/X11Keys.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cairo-xlib.h>
#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace Kiv
{

struct X11Window::Resources
{
    ::Window window = None;
    Visual* visual = nullptr;
    int depth = 0;
    GC gc = nullptr;
    // The back buffer: an image in our memory that Cairo paints exactly as it paints snapshots,
    // put to the window with XPutImage; on visuals whose pixels are not 32-bit xRGB, a server
    // pixmap that Cairo paints through Xlib.
    XImage* image = nullptr;
    Pixmap back_buffer = None;
    cairo_surface_t* surface = nullptr;
    Size back_buffer_size;
    // The server destroyed the window with its parent: nothing more may be asked of it.
    bool destroyed = false;
};

namespace
{

constexpr long g_event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask |
                              PointerMotionMask | LeaveWindowMask | KeyPressMask | KeyReleaseMask |
                              StructureNotifyMask;
constexpr unsigned int g_button_masks = Button1Mask | Button2Mask | Button3Mask;

// Whether the visual's pixels are 32-bit xRGB words, as Cairo's RGB24 images hold them.
bool is_xrgb32(const Visual* a_visual, int a_depth)
{
    return a_visual && (a_depth == 24 || a_depth == 32) && a_visual->red_mask == 0xFF0000 &&
           a_visual->green_mask == 0xFF00 && a_visual->blue_mask == 0xFF;
}

Size at_least_one_pixel(Size a_size)
{
    // X refuses windows and pixmaps without pixels.
    return {std::max(1, a_size.width), std::max(1, a_size.height)};
}

Bex::String describe_window(unsigned long a_window)
{
    char text[32];
    std::snprintf(text, sizeof text, "0x%lx", a_window);
    return Bex::String::from_ascii(text);
}

bool to_mouse_button(unsigned int a_button, MouseButton& a_result)
{
    switch (a_button)
    {
    case Button1:
        a_result = MouseButton_LEFT;
        return true;
    case Button2:
        a_result = MouseButton_MIDDLE;
        return true;
    case Button3:
        a_result = MouseButton_RIGHT;
        return true;
    default:
        return false;
    }
}

std::string latin1_to_utf8(const char* a_text, int a_length)
{
    std::string result;
    for (int index = 0; index < a_length; ++index)
    {
        const auto byte = static_cast<unsigned char>(a_text[index]);
        if (byte < 0x80)
        {
            result += char(byte);
            continue;
        }
        result += char(0xC0 | (byte >> 6));
        result += char(0x80 | (byte & 0x3F));
    }
    return result;
}

// Auto-repeat comes as a release and a press of the same key at the same time; the desktop
// expects repeated presses alone, as Windows sends them.
bool is_auto_repeat_release(Display* a_display, const XKeyEvent& a_release)
{
    if (XEventsQueued(a_display, QueuedAfterReading) == 0)
        return false;
    XEvent next;
    XPeekEvent(a_display, &next);
    return next.type == KeyPress && next.xkey.keycode == a_release.keycode &&
           next.xkey.time == a_release.time && next.xkey.window == a_release.window;
}

struct ContextDeleter
{
    void operator()(cairo_t* a_context) const { cairo_destroy(a_context); }
};

void run_event_loop(const std::shared_ptr<X11Connection>& a_connection)
{
    X11ErrorTrap trap;
    Display* display = a_connection->get_display();
    while (XPending(display) > 0)
    {
        XEvent event;
        XNextEvent(display, &event);
        if (XFilterEvent(&event, None))
            continue;
        // A new keyboard layout, or a tool that types by remapping keys: Xlib looks keys up in
        // its own copy of the map until told.
        if (event.type == MappingNotify)
        {
            XRefreshKeyboardMapping(&event.xmapping);
            continue;
        }
        // Events of windows already gone (a closed popup) find no one.
        if (X11Window* window = a_connection->find_window(event.xany.window))
            window->p_handle_event(event);
    }
    // An update may delete popups, so each window is looked up again.
    for (::Window id : a_connection->get_window_ids())
    {
        if (X11Window* window = a_connection->find_window(id))
            window->p_update();
    }
    for (::Window id : a_connection->get_window_ids())
    {
        if (X11Window* window = a_connection->find_window(id))
            window->p_paint();
    }
    XFlush(display);
}

} // namespace

X11Window::X11Window(std::shared_ptr<X11Connection> a_connection, Size a_size, bool a_popup)
    : m_connection(std::move(a_connection)), m_resources(std::make_unique<Resources>()),
      m_size(at_least_one_pixel(a_size)), m_popup(a_popup)
{
}

std::unique_ptr<X11Window> X11Window::create_child(unsigned long a_parent_window, Size a_size)
{
    auto connection = std::make_shared<X11Connection>();
    X11ErrorTrap trap;
    Display* display = connection->get_display();
    XWindowAttributes parent{};
    if (a_parent_window == None || !XGetWindowAttributes(display, a_parent_window, &parent))
    {
        throw Bex::Exception(u"There is no X window " + describe_window(a_parent_window) +
                             u" to open the editor in.");
    }
    if (parent.c_class == InputOnly)
    {
        throw Bex::Exception(u"The X window " + describe_window(a_parent_window) +
                             u" cannot show an editor: it takes input only.");
    }

    std::unique_ptr<X11Window> window(new X11Window(connection, a_size, false));
    Resources& resources = *window->m_resources;
    XSetWindowAttributes attributes{};
    // No background: the server leaves exposed areas alone until the back buffer covers them,
    // so nothing flickers.
    attributes.background_pixmap = None;
    attributes.border_pixel = 0;
    attributes.event_mask = g_event_mask;
    const uint32_t errors = connection->get_error_count();
    resources.visual = parent.visual;
    resources.depth = parent.depth;
    resources.window =
        XCreateWindow(display, a_parent_window, 0, 0, uint32_t(window->m_size.width),
                      uint32_t(window->m_size.height), 0, parent.depth, InputOutput, parent.visual,
                      CWBackPixmap | CWBorderPixel | CWEventMask, &attributes);
    window->m_parent = a_parent_window;
    connection->add_window(window.get());
    XMapWindow(display, resources.window);
    XSync(display, False);
    if (connection->get_error_count() != errors)
    {
        throw Bex::Exception(u"Couldn't make the editor's window inside X window " +
                             describe_window(a_parent_window) + u".");
    }
    return window;
}

X11Window::~X11Window()
{
    X11ErrorTrap trap;
    Display* display = m_connection->get_display();
    p_drop_back_buffer();
    if (m_resources->gc)
        XFreeGC(display, m_resources->gc);
    if (m_resources->window != None)
    {
        m_connection->remove_window(this);
        if (!m_resources->destroyed)
            XDestroyWindow(display, m_resources->window);
        // A popup must vanish now, not at the host's next idle call.
        XFlush(display);
    }
}

unsigned long X11Window::get_window_id() const
{
    return m_resources->window;
}

bool X11Window::query_pointer(Point& a_position) const
{
    if (m_resources->destroyed || m_resources->window == None)
        return false;
    X11ErrorTrap trap;
    ::Window root = None;
    ::Window child = None;
    int root_x = 0;
    int root_y = 0;
    int x = 0;
    int y = 0;
    unsigned int mask = 0;
    if (!XQueryPointer(m_connection->get_display(), m_resources->window, &root, &child, &root_x,
                       &root_y, &x, &y, &mask))
        return false;
    a_position = {x, y};
    return true;
}

bool X11Window::query_parent_size(Size& a_size) const
{
    if (m_popup || m_parent == None || m_resources->destroyed)
        return false;
    X11ErrorTrap trap;
    const uint32_t errors = m_connection->get_error_count();
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(m_connection->get_display(), m_parent, &attributes) ||
        m_connection->get_error_count() != errors)
        return false;
    a_size = {attributes.width, attributes.height};
    return true;
}

uint32_t X11Window::get_error_count() const
{
    return m_connection->get_error_count();
}

void X11Window::process_events()
{
    // The loop holds the connection: it may outlive this window, a popup closed meanwhile.
    run_event_loop(std::shared_ptr<X11Connection>(m_connection));
}

void X11Window::set_size(Size a_size)
{
    const Size size = at_least_one_pixel(a_size);
    if (size == m_size)
        return;
    if (!m_resources->destroyed)
    {
        X11ErrorTrap trap;
        XResizeWindow(m_connection->get_display(), m_resources->window, uint32_t(size.width),
                      uint32_t(size.height));
    }
    p_resized(size);
}

void X11Window::set_desktop(Desktop* a_desktop)
{
    m_desktop = a_desktop;
    if (m_desktop)
        invalidate({0, 0, m_size.width, m_size.height});
}

void X11Window::invalidate(const Rect& a_area)
{
    m_invalid_region.add(a_area);
}

void X11Window::set_size_limits(Size a_minimum, Size a_maximum)
{
    m_minimum_size = a_minimum;
    m_maximum_size = a_maximum;
}

std::unique_ptr<NativeWindow> X11Window::create_popup(const Rect& a_area)
{
    X11ErrorTrap trap;
    Display* display = m_connection->get_display();
    const int screen = DefaultScreen(display);
    const ::Window root = RootWindow(display, screen);
    int x = a_area.x;
    int y = a_area.y;
    ::Window child = None;
    if (!m_resources->destroyed)
        XTranslateCoordinates(display, m_resources->window, root, a_area.x, a_area.y, &x, &y,
                              &child);

    std::unique_ptr<X11Window> popup(
        new X11Window(m_connection, {a_area.width, a_area.height}, true));
    Resources& resources = *popup->m_resources;
    XSetWindowAttributes attributes{};
    // Override-redirect: no window manager frames, moves or focuses a menu.
    attributes.override_redirect = True;
    attributes.background_pixmap = None;
    attributes.border_pixel = 0;
    attributes.save_under = True;
    attributes.event_mask = g_event_mask;
    resources.visual = DefaultVisual(display, screen);
    resources.depth = DefaultDepth(display, screen);
    resources.window = XCreateWindow(
        display, root, x, y, uint32_t(popup->m_size.width), uint32_t(popup->m_size.height), 0,
        resources.depth, InputOutput, resources.visual,
        CWOverrideRedirect | CWBackPixmap | CWBorderPixel | CWSaveUnder | CWEventMask, &attributes);
    // Compositors give menus their own effects and stacking.
    Atom type = XInternAtom(display, "_NET_WM_WINDOW_TYPE", False);
    Atom menu = XInternAtom(display, "_NET_WM_WINDOW_TYPE_POPUP_MENU", False);
    XChangeProperty(display, resources.window, type, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&menu), 1);
    m_connection->add_window(popup.get());
    XMapRaised(display, resources.window);
    m_connection->push_popup(popup.get());
    return popup;
}

void X11Window::p_handle_event(XEvent& a_event)
{
    switch (a_event.type)
    {
    case Expose:
        invalidate(
            {a_event.xexpose.x, a_event.xexpose.y, a_event.xexpose.width, a_event.xexpose.height});
        break;
    case ConfigureNotify:
        if (a_event.xconfigure.window == m_resources->window)
            p_resized({a_event.xconfigure.width, a_event.xconfigure.height});
        break;
    case DestroyNotify:
        if (a_event.xdestroywindow.window == m_resources->window)
            m_resources->destroyed = true;
        break;
    case ButtonPress:
        p_handle_button_press(a_event);
        break;
    case ButtonRelease:
        p_handle_button_release(a_event);
        break;
    case MotionNotify:
        p_handle_motion(a_event);
        break;
    case LeaveNotify:
        // Crossings caused by grabs (a popup opening) are no leaving of the mouse.
        if (m_desktop && a_event.xcrossing.mode == NotifyNormal &&
            a_event.xcrossing.detail != NotifyInferior)
            m_desktop->handle_mouse_leave();
        break;
    case KeyPress:
    case KeyRelease:
        p_handle_key(a_event);
        break;
    default:
        break;
    }
}

void X11Window::p_handle_button_press(XEvent& a_event)
{
    const XButtonEvent& press = a_event.xbutton;
    if (!m_desktop)
        return;
    const bool outside =
        press.x < 0 || press.y < 0 || press.x >= m_size.width || press.y >= m_size.height;
    if (m_popup && outside)
    {
        // Under the popup's grab, presses on our own windows are reported there; one reported
        // here outside the popup landed on no window of ours.
        if (press.button <= Button3)
        {
            m_connection->set_press_window(None);
            m_desktop->get_root_desktop().close_popups();
        }
        return;
    }
    const uint32_t modifiers = X11Keys::to_modifiers(press.state);
    if (press.button >= 4 && press.button <= 7)
    {
        // 4 and 5 turn the wheel up and down; 6 and 7, the sideways wheel, scroll as it does.
        const int32_t delta = press.button == 4 || press.button == 6 ? 1 : -1;
        m_desktop->handle_mouse_wheel({press.x, press.y}, delta, modifiers);
        return;
    }
    MouseButton button;
    if (!to_mouse_button(press.button, button))
        return;
    const uint32_t clicks = m_connection->count_click(m_resources->window, press.button, press.time,
                                                      press.x_root, press.y_root);
    if (m_connection->get_press_window() == None)
        m_connection->set_press_window(m_resources->window);
    m_desktop->handle_mouse_down({press.x, press.y}, button, clicks, modifiers);
    // A widget that took the focus wants the keys, which X sends to the focused window. Popups
    // never take it: their keys come through the editor's window.
    if (!m_popup && m_desktop->get_focus() && !m_resources->destroyed)
        XSetInputFocus(m_connection->get_display(), m_resources->window, RevertToParent,
                       press.time);
}

void X11Window::p_handle_button_release(XEvent& a_event)
{
    const XButtonEvent& release = a_event.xbutton;
    MouseButton button;
    // A release without its press here belongs to a press that closed the popups, or to one
    // made before the window was there.
    if (!to_mouse_button(release.button, button) || m_connection->get_press_window() == None)
        return;
    Point position;
    X11Window* target = p_route_pointer(release.x, release.y, position);
    const unsigned int held =
        release.state & g_button_masks & ~(Button1Mask << (release.button - 1));
    if (held == 0)
        m_connection->set_press_window(None);
    if (target->m_desktop)
        target->m_desktop->handle_mouse_up(position, button, X11Keys::to_modifiers(release.state));
}

void X11Window::p_handle_motion(XEvent& a_event)
{
    Display* display = m_connection->get_display();
    // Only the newest of the moves already queued matters.
    while (XEventsQueued(display, QueuedAlready) > 0)
    {
        XEvent next;
        XPeekEvent(display, &next);
        if (next.type != MotionNotify || next.xmotion.window != a_event.xmotion.window)
            break;
        XNextEvent(display, &a_event);
    }
    Point position;
    X11Window* target = p_route_pointer(a_event.xmotion.x, a_event.xmotion.y, position);
    if (target->m_desktop)
        target->m_desktop->handle_mouse_move(position,
                                             X11Keys::to_modifiers(a_event.xmotion.state));
}

X11Window* X11Window::p_route_pointer(int a_x, int a_y, Point& a_position)
{
    a_position = {a_x, a_y};
    const ::Window pressed = m_connection->get_press_window();
    if (pressed == None || pressed == m_resources->window)
        return this;
    X11Window* target = m_connection->find_window(pressed);
    int x = 0;
    int y = 0;
    ::Window child = None;
    if (!target || target->m_resources->destroyed || m_resources->destroyed ||
        !XTranslateCoordinates(m_connection->get_display(), m_resources->window, pressed, a_x, a_y,
                               &x, &y, &child))
        return this;
    a_position = {x, y};
    return target;
}

void X11Window::p_handle_key(XEvent& a_event)
{
    XKeyEvent& key = a_event.xkey;
    Display* display = m_connection->get_display();
    if (!m_desktop)
        return;
    if (a_event.type == KeyRelease && is_auto_repeat_release(display, key))
        return;
    char buffer[64];
    KeySym keysym = NoSymbol;
    std::string text;
    XIC context = a_event.type == KeyPress && !m_popup
                      ? m_connection->get_input_context(m_resources->window)
                      : nullptr;
    if (context)
    {
        Status status = 0;
        int length = Xutf8LookupString(context, &key, buffer, sizeof buffer, &keysym, &status);
        if (status == XBufferOverflow)
        {
            text.resize(size_t(length));
            length = Xutf8LookupString(context, &key, text.data(), length, &keysym, &status);
            text.resize(size_t(std::max(0, length)));
        }
        else if (status == XLookupChars || status == XLookupBoth)
        {
            text.assign(buffer, size_t(length));
        }
        if (status != XLookupKeySym && status != XLookupBoth)
            keysym = NoSymbol;
    }
    else
    {
        const int length = XLookupString(&key, buffer, sizeof buffer, &keysym, nullptr);
        if (a_event.type == KeyPress)
            text = latin1_to_utf8(buffer, length);
    }
    // Key codes name the key, not what Shift makes of it, except on the keypad, where Num Lock
    // decides between digits and movement.
    KeySym named = XLookupKeysym(&key, 0);
    if (named == NoSymbol || (IsKeypadKey(named) && keysym != NoSymbol))
        named = keysym;
    const uint32_t code = X11Keys::to_key_code(named);
    const uint32_t modifiers = X11Keys::to_modifiers(key.state);
    // Keys go to the newest popup, which the editor's desktop knows.
    Desktop& target = m_desktop->get_root_desktop();
    if (a_event.type == KeyRelease)
    {
        if (code)
            target.handle_key_up(code, modifiers);
        return;
    }
    if (code)
        target.handle_key_down(code, modifiers);
    const Bex::String typed = X11Keys::to_typed_text(text, key.state);
    if (!typed.empty())
        target.handle_text(typed);
}

void X11Window::p_update()
{
    if (m_desktop && (m_update_requested || m_desktop->is_update_pending()))
    {
        m_update_requested = false;
        m_desktop->update();
    }
}

void X11Window::p_paint()
{
    if (!m_desktop || m_resources->destroyed || m_invalid_region.is_empty())
        return;
    const Bex::Vector<Rect> areas = m_invalid_region.take({0, 0, m_size.width, m_size.height});
    if (areas.empty())
        return;
    Display* display = m_connection->get_display();
    Resources& resources = *m_resources;
    if (!resources.surface || resources.back_buffer_size != m_size)
    {
        p_drop_back_buffer();
        if (is_xrgb32(resources.visual, resources.depth))
        {
            resources.surface =
                cairo_image_surface_create(CAIRO_FORMAT_RGB24, m_size.width, m_size.height);
            resources.image = XCreateImage(
                display, resources.visual, uint32_t(resources.depth), ZPixmap, 0,
                reinterpret_cast<char*>(cairo_image_surface_get_data(resources.surface)),
                uint32_t(m_size.width), uint32_t(m_size.height), 32,
                cairo_image_surface_get_stride(resources.surface));
        }
        else
        {
            resources.back_buffer =
                XCreatePixmap(display, resources.window, uint32_t(m_size.width),
                              uint32_t(m_size.height), uint32_t(resources.depth));
            resources.surface = cairo_xlib_surface_create(
                display, resources.back_buffer, resources.visual, m_size.width, m_size.height);
            m_connection->keep_cairo_device(cairo_surface_get_device(resources.surface));
        }
        resources.back_buffer_size = m_size;
    }
    if (!resources.gc)
        resources.gc = XCreateGC(display, resources.window, 0, nullptr);
    for (const Rect& area : areas)
    {
        std::unique_ptr<cairo_t, ContextDeleter> context(cairo_create(resources.surface));
        cairo_rectangle(context.get(), area.x, area.y, area.width, area.height);
        cairo_clip(context.get());
        // What no widget paints stays black rather than showing an older frame.
        cairo_set_source_rgb(context.get(), 0, 0, 0);
        cairo_paint(context.get());
        CairoPainter painter(context.get(), area);
        m_desktop->paint(painter, area);
    }
    cairo_surface_flush(resources.surface);
    for (const Rect& area : areas)
    {
        if (resources.image)
            XPutImage(display, resources.window, resources.gc, resources.image, area.x, area.y,
                      area.x, area.y, uint32_t(area.width), uint32_t(area.height));
        else
            XCopyArea(display, resources.back_buffer, resources.window, resources.gc, area.x,
                      area.y, uint32_t(area.width), uint32_t(area.height), area.x, area.y);
    }
}

void X11Window::p_resized(Size a_size)
{
    if (a_size == m_size)
        return;
    m_size = a_size;
    invalidate({0, 0, m_size.width, m_size.height});
    if (m_desktop)
        m_desktop->handle_resize();
}

void X11Window::p_drop_back_buffer()
{
    Resources& resources = *m_resources;
    if (resources.image)
    {
        // The pixels belong to the Cairo surface.
        resources.image->data = nullptr;
        XDestroyImage(resources.image);
        resources.image = nullptr;
    }
    if (resources.surface)
    {
        cairo_surface_finish(resources.surface);
        cairo_surface_destroy(resources.surface);
        resources.surface = nullptr;
    }
    if (resources.back_buffer != None)
    {
        XFreePixmap(m_connection->get_display(), resources.back_buffer);
        resources.back_buffer = None;
    }
}

} // namespace Kiv
