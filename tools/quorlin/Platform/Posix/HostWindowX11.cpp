#include "tools/quorlin/Platform/HostWindow.h"

#include "bex/Core/Exception.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace quorlin
{

namespace
{

class HostWindowX11 : public HostWindow
{
public:
    HostWindowX11(Display* a_display, const std::string& a_title, int32_t a_width, int32_t a_height)
        : m_display(a_display)
    {
        const int screen = DefaultScreen(m_display);
        m_window = XCreateSimpleWindow(
            m_display, RootWindow(m_display, screen), 0, 0, unsigned(a_width), unsigned(a_height),
            0, BlackPixel(m_display, screen), BlackPixel(m_display, screen));
        XStoreName(m_display, m_window, a_title.c_str());
        // The window manager asks before closing instead of killing the connection.
        m_delete_window = XInternAtom(m_display, "WM_DELETE_WINDOW", False);
        XSetWMProtocols(m_display, m_window, &m_delete_window, 1);
        XSelectInput(m_display, m_window, StructureNotifyMask);
        p_fix_size(a_width, a_height);
        XMapWindow(m_display, m_window);
        XFlush(m_display);
    }

    ~HostWindowX11() override
    {
        XDestroyWindow(m_display, m_window);
        XCloseDisplay(m_display);
    }

    void* get_native_handle() const override
    {
        return reinterpret_cast<void*>(static_cast<uintptr_t>(m_window));
    }

    void resize(int32_t a_width, int32_t a_height) override
    {
        p_fix_size(a_width, a_height);
        XResizeWindow(m_display, m_window, unsigned(a_width), unsigned(a_height));
        XFlush(m_display);
    }

    bool process_events() override
    {
        while (XPending(m_display) > 0)
        {
            XEvent event;
            XNextEvent(m_display, &event);
            if (event.type == ClientMessage && Atom(event.xclient.data.l[0]) == m_delete_window)
                m_open = false;
            else if (event.type == DestroyNotify && event.xdestroywindow.window == m_window)
                m_open = false;
        }
        return m_open;
    }

private:
    // The editor has a size of its own; the window keeps to it rather than stretch around it.
    void p_fix_size(int32_t a_width, int32_t a_height)
    {
        XSizeHints hints{};
        hints.flags = PMinSize | PMaxSize;
        hints.min_width = hints.max_width = a_width;
        hints.min_height = hints.max_height = a_height;
        XSetWMNormalHints(m_display, m_window, &hints);
    }

    Display* m_display;
    Window m_window;
    Atom m_delete_window;
    bool m_open = true;
};

} // namespace

std::unique_ptr<HostWindow> HostWindow::create(const std::string& a_title, int32_t a_width,
                                               int32_t a_height)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        throw Bex::Exception(u"Cannot open the X display: is DISPLAY set?");
    return std::make_unique<HostWindowX11>(display, a_title, a_width, a_height);
}

} // namespace quorlin
