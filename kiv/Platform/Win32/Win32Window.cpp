#include "kiv/Platform/Win32/Win32Window.h"

#include "bex/Core/Exception.h"
#include "kiv/Desktop/Desktop.h"
#include "kiv/Platform/Win32/GdiplusImage.h"
#include "kiv/Platform/Win32/GdiplusPainter.h"
#include "kiv/Platform/Win32/Win32Keys.h"
#include "kiv/Platform/Win32/Win32WindowList.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <algorithm>

namespace Kiv
{

namespace
{

HWND to_hwnd(void* a_hwnd)
{
    return static_cast<HWND>(a_hwnd);
}

Rect to_rect(const RECT& a_rect)
{
    return {a_rect.left, a_rect.top, a_rect.right - a_rect.left, a_rect.bottom - a_rect.top};
}

Size at_least_one_pixel(Size a_size)
{
    return {std::max(1, a_size.width), std::max(1, a_size.height)};
}

// Copies a_area of the back buffer to the window. The source is the band of whole rows that
// holds the area, handed over as a top-down DIB of its own, so that no row arithmetic depends
// on how a driver reads the origin of a top-down DIB.
void blit(HDC a_device, const GdiplusImage& a_image, const Rect& a_area)
{
    const Size size = a_image.get_size();
    const Rect area = a_area.intersected({0, 0, size.width, size.height});
    if (area.is_empty())
        return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.width;
    info.bmiHeader.biHeight = -area.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const uint32_t* rows = a_image.get_pixels() + size_t(area.y) * size_t(size.width);
    SetDIBitsToDevice(a_device, area.x, area.y, DWORD(area.width), DWORD(area.height), area.x, 0, 0,
                      UINT(area.height), rows, &info, DIB_RGB_COLORS);
}

class PaintScope
{
public:
    explicit PaintScope(HWND a_hwnd) : m_hwnd(a_hwnd) { m_device = BeginPaint(a_hwnd, &m_paint); }
    ~PaintScope() { EndPaint(m_hwnd, &m_paint); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    HDC get_device() const { return m_device; }
    Rect get_area() const { return to_rect(m_paint.rcPaint); }

private:
    HWND m_hwnd;
    PAINTSTRUCT m_paint{};
    HDC m_device = nullptr;
};

} // namespace

Win32WindowList& get_win32_window_list()
{
    static Win32WindowList s_list;
    return s_list;
}

Win32Window::Win32Window(Size a_size, Win32Window* a_root)
    : m_root(a_root ? a_root : this), m_dialogs(*this), m_alive(std::make_shared<bool>(true)),
      m_size(a_size)
{
    get_win32_window_list().windows.push_back(this);
}

std::unique_ptr<Win32Window> Win32Window::create_child(void* a_parent_hwnd, Size a_size)
{
    if (!a_parent_hwnd || !IsWindow(to_hwnd(a_parent_hwnd)))
        throw Bex::Exception(u"There is no window to open the editor in.");
    std::unique_ptr<Win32Window> window(new Win32Window(a_size, nullptr));
    window->p_create(a_parent_hwnd, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0,
                     {0, 0, a_size.width, a_size.height});
    return window;
}

void Win32Window::p_create(void* a_parent, uint32_t a_style, uint32_t a_extended_style,
                           const Rect& a_place)
{
    HWND hwnd = CreateWindowExW(a_extended_style, Win32Registration::get_window_class_name(), L"",
                                a_style, a_place.x, a_place.y, std::max(0, a_place.width),
                                std::max(0, a_place.height), to_hwnd(a_parent), nullptr,
                                static_cast<HINSTANCE>(Win32Registration::get_module()), this);
    if (!hwnd)
        throw Bex::Exception(u"Couldn't make the editor's window.");
    // The window procedure has set it already, from the first message on.
    m_hwnd = hwnd;
}

Win32Window::~Win32Window()
{
    *m_alive = false;
    Win32WindowList& list = get_win32_window_list();
    std::erase(list.windows, this);
    const bool was_popup = std::erase(list.popups, this) > 0;
    if (list.press_window == this)
    {
        list.press_window = nullptr;
        list.pressed_buttons = 0;
    }
    if (list.hover_window == this)
        list.hover_window = nullptr;
    if (HWND hwnd = to_hwnd(m_hwnd))
    {
        // Late messages of the teardown find no window to call.
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        m_hwnd = nullptr;
        list.moving_capture = true;
        DestroyWindow(hwnd);
        list.moving_capture = false;
    }
    if (was_popup)
        p_refresh_capture();
}

void Win32Window::process_events()
{
    p_run_posted_updates();
    Win32WindowList& list = get_win32_window_list();
    // Ids rather than pointers: painting may close popups, whose windows go then.
    Bex::Vector<HWND> handles;
    for (Win32Window* window : list.windows)
    {
        if (window->m_hwnd)
            handles.push_back(to_hwnd(window->m_hwnd));
    }
    for (HWND hwnd : handles)
    {
        if (p_find(hwnd))
            UpdateWindow(hwnd);
    }
    if (list.exception)
    {
        std::exception_ptr exception = list.exception;
        list.exception = nullptr;
        std::rethrow_exception(exception);
    }
}

void Win32Window::set_size(Size a_size)
{
    const Size size{std::max(0, a_size.width), std::max(0, a_size.height)};
    if (size == m_size)
        return;
    if (m_hwnd)
        SetWindowPos(to_hwnd(m_hwnd), nullptr, 0, 0, size.width, size.height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // WM_SIZE has told the desktop already, unless the window is gone.
    p_resized(size);
}

bool Win32Window::query_pointer(Point& a_position) const
{
    POINT point{};
    if (!m_hwnd || !GetCursorPos(&point) || !ScreenToClient(to_hwnd(m_hwnd), &point))
        return false;
    a_position = {point.x, point.y};
    return true;
}

bool Win32Window::query_parent_size(Size& a_size) const
{
    if (is_popup() || !m_hwnd)
        return false;
    HWND parent = GetParent(to_hwnd(m_hwnd));
    RECT client{};
    if (!parent || !GetClientRect(parent, &client))
        return false;
    a_size = {client.right - client.left, client.bottom - client.top};
    return true;
}

Bex::String Win32Window::text_for_key(uint32_t a_virtual_key, uint32_t a_modifiers)
{
    return Win32Keys::text_for_key(a_virtual_key, a_modifiers);
}

void Win32Window::set_desktop(Desktop* a_desktop)
{
    m_desktop = a_desktop;
    if (m_desktop)
    {
        m_had_desktop = true;
        invalidate({0, 0, m_size.width, m_size.height});
    }
}

void Win32Window::invalidate(const Rect& a_area)
{
    const Rect area = a_area.intersected({0, 0, m_size.width, m_size.height});
    if (area.is_empty())
        return;
    m_dirty_area = m_dirty_area.united(area);
    if (m_hwnd)
    {
        const RECT rect{area.x, area.y, area.x + area.width, area.y + area.height};
        InvalidateRect(to_hwnd(m_hwnd), &rect, FALSE);
    }
}

void Win32Window::request_update()
{
    m_update_requested = true;
    Win32Registration::post_update_request();
}

void Win32Window::set_mouse_capture(bool a_captured)
{
    m_mouse_captured = a_captured;
    p_refresh_capture();
}

void Win32Window::set_size_limits(Size a_minimum, Size a_maximum)
{
    m_minimum_size = a_minimum;
    m_maximum_size = a_maximum;
}

std::unique_ptr<NativeWindow> Win32Window::create_popup(const Rect& a_area)
{
    POINT corner{a_area.x, a_area.y};
    if (m_hwnd)
        ClientToScreen(to_hwnd(m_hwnd), &corner);
    std::unique_ptr<Win32Window> popup(new Win32Window({a_area.width, a_area.height}, m_root));
    // Owned by the editor's top-level window: it stays above it and goes when it goes.
    HWND owner = m_hwnd ? GetAncestor(to_hwnd(m_hwnd), GA_ROOT) : nullptr;
    popup->p_create(owner, WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE,
                    {corner.x, corner.y, a_area.width, a_area.height});
    // Shown without taking the activation from the host's window: the keys keep going to the
    // editor's window, whose desktop hands them to the newest popup.
    ShowWindow(to_hwnd(popup->m_hwnd), SW_SHOWNOACTIVATE);
    get_win32_window_list().popups.push_back(popup.get());
    HWND editor = to_hwnd(m_root->m_hwnd);
    if (editor && GetFocus() != editor)
        SetFocus(editor);
    p_refresh_capture();
    return popup;
}

intptr_t Win32Window::p_handle_message(uint32_t a_message, uintptr_t a_wparam, intptr_t a_lparam)
{
    HWND hwnd = to_hwnd(m_hwnd);
    try
    {
        switch (a_message)
        {
        case WM_PAINT:
            p_paint();
            return 0;
        case WM_ERASEBKGND:
            // The back buffer covers every pixel; erasing first would flash.
            return 1;
        case WM_SIZE:
            if (a_wparam != SIZE_MINIMIZED)
                p_resized({LOWORD(a_lparam), HIWORD(a_lparam)});
            return 0;
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK:
            p_handle_mouse(a_message, a_wparam, a_lparam);
            return 0;
        case WM_MOUSEWHEEL:
        case WM_MOUSEHWHEEL:
            p_handle_wheel(a_message, a_wparam, a_lparam);
            return 0;
        case WM_MOUSELEAVE:
            p_handle_mouse_leave();
            return 0;
        case WM_CAPTURECHANGED:
            p_handle_capture_lost(reinterpret_cast<void*>(a_lparam));
            return 0;
        case WM_MOUSEACTIVATE:
            // A click on a menu must not take the activation from the host's window.
            if (is_popup())
                return MA_NOACTIVATE;
            break;
        case WM_ACTIVATEAPP:
            // Another program came forward: menus close, as the system's own do.
            if (!a_wparam && is_popup() && p_accepts_input())
                m_desktop->get_root_desktop().close_popups();
            break;
        case WM_GETDLGCODE:
            // Hosts that put the editor into a dialog must not keep arrows, Tab and Return.
            return DLGC_WANTALLKEYS | DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_WANTTAB;
        case WM_KEYDOWN:
        case WM_KEYUP:
            p_handle_key(a_message, a_wparam);
            return 0;
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
            // Also to the system, which makes Alt+F4 and the host's menu keys work.
            p_handle_key(a_message, a_wparam);
            break;
        case WM_CHAR:
            p_handle_char(a_wparam);
            return 0;
        default:
            break;
        }
    }
    catch (...)
    {
        p_keep_exception(std::current_exception());
        return 0;
    }
    return DefWindowProcW(hwnd, a_message, a_wparam, a_lparam);
}

void Win32Window::p_keep_exception(std::exception_ptr a_exception)
{
    Win32WindowList& list = get_win32_window_list();
    if (!list.exception)
        list.exception = std::move(a_exception);
}

Win32Window* Win32Window::p_find(void* a_hwnd)
{
    if (!a_hwnd)
        return nullptr;
    for (Win32Window* window : get_win32_window_list().windows)
    {
        if (window->m_hwnd == a_hwnd)
            return window;
    }
    return nullptr;
}

void Win32Window::p_run_posted_updates()
{
    Win32WindowList& list = get_win32_window_list();
    // An update may delete popups, so each window is looked up again.
    Bex::Vector<Win32Window*> windows = list.windows;
    for (Win32Window* window : windows)
    {
        if (std::find(list.windows.begin(), list.windows.end(), window) != list.windows.end())
            window->p_update();
    }
    p_refresh_capture();
}

void Win32Window::p_update()
{
    if (!m_desktop || p_is_modal() || !(m_update_requested || m_desktop->is_update_pending()))
        return;
    m_update_requested = false;
    m_desktop->update();
}

void Win32Window::p_begin_modal()
{
    if (m_root->m_modal_depth++ > 0)
        return;
    // The box needs the mouse: a popup holding it would keep the box from its clicks.
    if (p_find(GetCapture()))
    {
        Win32WindowList& list = get_win32_window_list();
        list.moving_capture = true;
        ReleaseCapture();
        list.moving_capture = false;
    }
}

void Win32Window::p_end_modal()
{
    if (m_root->m_modal_depth == 0 || --m_root->m_modal_depth > 0)
        return;
    // What waited for the box runs now: held back paints, updates, and the press whose release
    // the box took.
    for (Win32Window* window : get_win32_window_list().windows)
    {
        if (window->m_root != m_root)
            continue;
        if (!window->m_dirty_area.is_empty())
            window->invalidate(window->m_dirty_area);
        if (window->m_update_requested)
            Win32Registration::post_update_request();
    }
    if (m_root->m_desktop && m_root->m_desktop->is_update_pending())
        Win32Registration::post_update_request();
    p_end_press();
    p_refresh_capture();
}

bool Win32Window::p_is_open() const
{
    if (!is_popup())
        return true;
    // A popup is open from its making until its owner closes it; closed ones wait for the
    // owner's next update to be deleted, hidden and deaf meanwhile.
    if (!m_desktop)
        return !m_had_desktop;
    const Desktop* owner = m_desktop->get_owner();
    if (!owner)
        return true;
    const Bex::Vector<Desktop*>& popups = owner->get_popups();
    return std::find(popups.begin(), popups.end(), m_desktop) != popups.end();
}

bool Win32Window::p_accepts_input() const
{
    return m_desktop && m_hwnd && !p_is_modal() && p_is_open();
}

void Win32Window::p_paint()
{
    HWND hwnd = to_hwnd(m_hwnd);
    // Layout first, so that what is painted is settled; the update may invalidate more, which
    // still joins this paint.
    if (!p_is_modal())
    {
        try
        {
            p_update();
        }
        catch (...)
        {
            p_keep_exception(std::current_exception());
        }
    }
    PaintScope scope(hwnd);
    if (!scope.get_device())
        return;
    const Rect client{0, 0, m_size.width, m_size.height};
    Rect area = scope.get_area().intersected(client);
    if (m_desktop && !p_is_modal())
    {
        if (!m_back_buffer || m_back_buffer->get_size() != at_least_one_pixel(m_size))
        {
            m_back_buffer.reset();
            m_back_buffer = std::make_unique<GdiplusImage>(at_least_one_pixel(m_size));
            m_dirty_area = client;
        }
        const Rect painted = m_dirty_area.united(area).intersected(client);
        m_dirty_area = {};
        area = area.united(painted);
        if (!painted.is_empty())
            p_paint_into_back_buffer(painted);
    }
    if (m_back_buffer)
        blit(scope.get_device(), *m_back_buffer, area);
    // Whatever the back buffer does not hold (no desktop yet, or a window grown while a box
    // runs) is black rather than garbage.
    const Size buffer = m_back_buffer ? m_back_buffer->get_size() : Size{};
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    if (buffer.width < m_size.width)
    {
        const RECT right{buffer.width, 0, m_size.width, m_size.height};
        FillRect(scope.get_device(), &right, black);
    }
    if (buffer.height < m_size.height)
    {
        const RECT bottom{0, buffer.height, m_size.width, m_size.height};
        FillRect(scope.get_device(), &bottom, black);
    }
}

void Win32Window::p_paint_into_back_buffer(const Rect& a_area)
{
    // What no widget paints stays black rather than showing an older frame.
    uint32_t* pixels = m_back_buffer->get_pixels();
    const int32_t width = m_back_buffer->get_size().width;
    for (int32_t y = a_area.y; y < a_area.y + a_area.height; ++y)
    {
        uint32_t* row = pixels + size_t(y) * size_t(width);
        std::fill(row + a_area.x, row + a_area.x + a_area.width, 0xFF000000u);
    }
    GdiplusPainter painter = m_back_buffer->make_painter();
    painter.push_clip(a_area);
    m_desktop->paint(painter, a_area);
    painter.pop_clip();
}

void Win32Window::p_resized(Size a_size)
{
    if (a_size == m_size)
        return;
    m_size = a_size;
    invalidate({0, 0, m_size.width, m_size.height});
    if (m_desktop)
        m_desktop->handle_resize();
}

} // namespace Kiv
