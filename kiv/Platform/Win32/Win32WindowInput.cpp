#include "kiv/Platform/Win32/Win32Window.h"

#include "kiv/Desktop/Desktop.h"
#include "kiv/Platform/Win32/Win32Keys.h"
#include "kiv/Platform/Win32/Win32WindowList.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <windowsx.h>

namespace Kiv
{

namespace
{

HWND to_hwnd(void* a_hwnd)
{
    return static_cast<HWND>(a_hwnd);
}

bool is_button_message(UINT a_message, MouseButton& a_button, bool& a_down, uint32_t& a_clicks)
{
    a_clicks = 1;
    a_down = true;
    switch (a_message)
    {
    case WM_LBUTTONDBLCLK:
        a_clicks = 2;
        [[fallthrough]];
    case WM_LBUTTONDOWN:
        a_button = MouseButton_LEFT;
        return true;
    case WM_RBUTTONDBLCLK:
        a_clicks = 2;
        [[fallthrough]];
    case WM_RBUTTONDOWN:
        a_button = MouseButton_RIGHT;
        return true;
    case WM_MBUTTONDBLCLK:
        a_clicks = 2;
        [[fallthrough]];
    case WM_MBUTTONDOWN:
        a_button = MouseButton_MIDDLE;
        return true;
    case WM_LBUTTONUP:
        a_down = false;
        a_button = MouseButton_LEFT;
        return true;
    case WM_RBUTTONUP:
        a_down = false;
        a_button = MouseButton_RIGHT;
        return true;
    case WM_MBUTTONUP:
        a_down = false;
        a_button = MouseButton_MIDDLE;
        return true;
    default:
        return false;
    }
}

uint32_t button_bit(MouseButton a_button)
{
    return 1u << a_button;
}

} // namespace

void Win32Window::p_handle_mouse(uint32_t a_message, uintptr_t a_wparam, intptr_t a_lparam)
{
    Win32WindowList& list = get_win32_window_list();
    POINT point{GET_X_LPARAM(a_lparam), GET_Y_LPARAM(a_lparam)};
    ClientToScreen(to_hwnd(m_hwnd), &point);
    const Point screen{point.x, point.y};
    const uint32_t modifiers = Win32Keys::to_modifiers(a_wparam);
    // Where the mouse goes: to the pressed window while buttons are held; to the window under
    // the pointer while ours has the capture (a popup's reaches everywhere); else here.
    Point position{GET_X_LPARAM(a_lparam), GET_Y_LPARAM(a_lparam)};
    Win32Window* target = this;
    if (list.press_window)
    {
        target = list.press_window;
        POINT local = point;
        ScreenToClient(to_hwnd(target->m_hwnd), &local);
        position = {local.x, local.y};
    }
    else if (GetCapture() == m_hwnd)
    {
        target = p_route(screen, position);
    }
    else if (!p_is_open())
    {
        target = nullptr;
    }

    MouseButton button = MouseButton_LEFT;
    bool down = false;
    uint32_t clicks = 1;
    if (!is_button_message(a_message, button, down, clicks))
    {
        if (!list.press_window)
            p_set_hover_window(target);
        if (!target || !target->p_accepts_input())
            return;
        if (!target->m_tracking_leave && GetCapture() != target->m_hwnd)
        {
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, to_hwnd(target->m_hwnd), 0};
            target->m_tracking_leave = TrackMouseEvent(&track);
        }
        target->m_desktop->handle_mouse_move(position, modifiers);
        p_refresh_capture();
        return;
    }

    if (down)
    {
        if (!target)
        {
            // A press on nothing of ours: the popups close, as a press elsewhere does.
            if (m_desktop && !p_is_modal())
                m_desktop->get_root_desktop().close_popups();
            p_refresh_capture();
            return;
        }
        if (!target->p_accepts_input())
            return;
        if (list.pressed_buttons == 0)
            list.press_window = target;
        list.pressed_buttons |= button_bit(button);
        // A click into the editor takes the keyboard focus, so that its keys come here.
        HWND target_hwnd = to_hwnd(target->m_hwnd);
        if (!target->is_popup() && GetFocus() != target_hwnd)
            SetFocus(target_hwnd);
        p_refresh_capture();
        if (target->p_accepts_input())
            target->m_desktop->handle_mouse_down(position, button, clicks, modifiers);
        p_refresh_capture();
        return;
    }

    // A release without its press here belongs to a press that closed the popups, or to one
    // made before the window was there.
    if (!(list.pressed_buttons & button_bit(button)) || !target)
        return;
    list.pressed_buttons &= ~button_bit(button);
    if (list.pressed_buttons == 0)
        list.press_window = nullptr;
    std::shared_ptr<const bool> alive = target->m_alive;
    if (target->p_accepts_input())
        target->m_desktop->handle_mouse_up(position, button, modifiers);
    p_refresh_capture();
    // The pointer may have been released over another window, which learns of it now.
    if (*alive && !list.press_window)
    {
        Point ignored;
        p_set_hover_window(p_route(screen, ignored));
    }
}

void Win32Window::p_handle_wheel(uint32_t a_message, uintptr_t a_wparam, intptr_t a_lparam)
{
    // Wheel messages go to the focused window, with the pointer on the screen; they belong to
    // the window under the pointer.
    const Point screen{GET_X_LPARAM(a_lparam), GET_Y_LPARAM(a_lparam)};
    Point position;
    Win32Window* target = p_route(screen, position);
    if (!target || !target->p_accepts_input())
        return;
    // One notch is 120; finer wheels send less at a time, which adds up to steps.
    const bool vertical = a_message == WM_MOUSEWHEEL;
    int32_t& remainder =
        vertical ? target->m_wheel_remainder : target->m_horizontal_wheel_remainder;
    remainder += GET_WHEEL_DELTA_WPARAM(a_wparam);
    const int32_t steps = remainder / WHEEL_DELTA;
    remainder -= steps * WHEEL_DELTA;
    if (steps == 0)
        return;
    // Tilting right scrolls as turning down does.
    target->m_desktop->handle_mouse_wheel(position, vertical ? steps : -steps,
                                          Win32Keys::to_modifiers(GET_KEYSTATE_WPARAM(a_wparam)));
}

void Win32Window::p_handle_key(uint32_t a_message, uintptr_t a_wparam)
{
    const auto code = uint32_t(a_wparam);
    // Keys an input method is composing with belong to it.
    if (!p_accepts_input() || code == VK_PROCESSKEY || code == 0 || code > 0xFE)
        return;
    // Keys go to the newest popup, which the editor's desktop knows.
    Desktop& target = m_desktop->get_root_desktop();
    const uint32_t modifiers = Win32Keys::get_modifiers();
    if (a_message == WM_KEYDOWN || a_message == WM_SYSKEYDOWN)
        target.handle_key_down(code, modifiers);
    else
        target.handle_key_up(code, modifiers);
    p_refresh_capture();
}

void Win32Window::p_handle_char(uintptr_t a_wparam)
{
    const Bex::String text = Win32Keys::join_typed_unit(m_high_surrogate, char16_t(a_wparam));
    if (text.empty() || !p_accepts_input())
        return;
    m_desktop->get_root_desktop().handle_text(text);
}

void Win32Window::p_handle_mouse_leave()
{
    m_tracking_leave = false;
    Win32WindowList& list = get_win32_window_list();
    // While a button is held or a popup routes the mouse, moves tell where it is.
    if (list.press_window || p_find(GetCapture()))
        return;
    if (list.hover_window == this)
        p_set_hover_window(nullptr);
}

void Win32Window::p_handle_capture_lost(void* a_new_holder)
{
    Win32WindowList& list = get_win32_window_list();
    // Our own moves of the capture, told late or at once, are no loss.
    if (list.moving_capture || p_find(a_new_holder) || p_find(GetCapture()) || p_is_modal())
        return;
    // Someone else took the mouse (the host, another program, the system on a switch of
    // programs): the press ends and the menus close.
    p_end_press();
    if (!list.popups.empty() && m_desktop && !p_is_modal())
        m_desktop->get_root_desktop().close_popups();
    p_refresh_capture();
}

Win32Window* Win32Window::p_route(Point a_screen, Point& a_position)
{
    Win32Window* window = p_find(WindowFromPoint({a_screen.x, a_screen.y}));
    if (!window || !window->p_is_open())
        return nullptr;
    POINT local{a_screen.x, a_screen.y};
    ScreenToClient(to_hwnd(window->m_hwnd), &local);
    a_position = {local.x, local.y};
    return window;
}

void Win32Window::p_refresh_capture()
{
    Win32WindowList& list = get_win32_window_list();
    Win32Window* holder = nullptr;
    for (auto popup = list.popups.rbegin(); popup != list.popups.rend(); ++popup)
    {
        if (!(*popup)->p_is_open())
        {
            if ((*popup)->m_hwnd && IsWindowVisible(to_hwnd((*popup)->m_hwnd)))
                ShowWindow(to_hwnd((*popup)->m_hwnd), SW_HIDE);
            continue;
        }
        if (!holder)
            holder = *popup;
    }
    if (!holder)
        holder = list.press_window;
    for (auto window = list.windows.begin(); !holder && window != list.windows.end(); ++window)
    {
        if ((*window)->m_mouse_captured)
            holder = *window;
    }
    if (holder && (!holder->m_hwnd || holder->p_is_modal()))
        holder = nullptr;
    HWND current = GetCapture();
    list.moving_capture = true;
    if (holder && current != holder->m_hwnd)
        SetCapture(to_hwnd(holder->m_hwnd));
    else if (!holder && p_find(current))
        ReleaseCapture();
    list.moving_capture = false;
}

void Win32Window::p_set_hover_window(Win32Window* a_window)
{
    Win32WindowList& list = get_win32_window_list();
    Win32Window* old = list.hover_window;
    if (old == a_window)
        return;
    list.hover_window = a_window;
    if (old && old->m_desktop && !old->p_is_modal())
        old->m_desktop->handle_mouse_leave();
}

void Win32Window::p_end_press()
{
    Win32WindowList& list = get_win32_window_list();
    Win32Window* window = list.press_window;
    if (!window || !window->m_desktop || window->p_is_modal())
        return;
    const uint32_t buttons = list.pressed_buttons;
    list.press_window = nullptr;
    list.pressed_buttons = 0;
    // The release happened where we could not see it. It is reported outside the window, so
    // that nothing takes it for a click on what lies under the pointer.
    std::shared_ptr<const bool> alive = window->m_alive;
    const uint32_t modifiers = Win32Keys::get_modifiers();
    for (MouseButton button : {MouseButton_LEFT, MouseButton_MIDDLE, MouseButton_RIGHT})
    {
        if ((buttons & button_bit(button)) && *alive && window->m_desktop)
            window->m_desktop->handle_mouse_up({-1, -1}, button, modifiers);
    }
}

} // namespace Kiv
