#pragma once

#include "bex/Core/String.h"
#include "kiv/Desktop/NativeWindow.h"
#include "kiv/Platform/Win32/GdiplusTextMeasurer.h"
#include "kiv/Platform/Win32/Win32NativeDialogs.h"
#include "kiv/Platform/Win32/Win32Registration.h"

#include <cstdint>
#include <exception>
#include <memory>

namespace Kiv
{

class GdiplusImage;

// A native window for an editor that lives inside a window of its host, and the popups it opens.
// Everything runs on the host's GUI thread from the host's message loop: Windows calls the
// window procedure, which hands input to the desktop, and update requests travel as messages
// posted to the toolkit's message window. The host's idle call of process_events() runs what is
// still pending and repaints at once.
//
// The desktop owns its native window, so the order of teardown follows from ownership:
//
//     std::unique_ptr<Win32Window> window = Win32Window::create_child(parent_hwnd, {640, 400});
//     Win32Window* native = window.get();
//     auto desktop = std::make_unique<Desktop>(application, std::move(window));
//     ... on every idle call of the host: native->process_events();
//     ... on closing: desktop.reset();
//
// Deleting the desktop closes its popups and their windows, then the editor's window; the last
// window of the process unregisters the window classes. The host may destroy its own window
// first: the editor's window then goes with it and the Win32Window only forgets it.
//
// Handles (HWND) are passed as void* so that callers need not include <windows.h>.
class Win32Window : public NativeWindow
{
public:
    // Makes a window of a_size inside a_parent_hwnd, shown at once. Throws Bex::Exception when
    // a_parent_hwnd is not a window or the window cannot be made.
    static std::unique_ptr<Win32Window> create_child(void* a_parent_hwnd, Size a_size);
    ~Win32Window() override;
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    // Runs the updates the desktops asked for and repaints what became invalid, in every window
    // of the toolkit. What a widget's handler threw while Windows called us comes out here (the
    // first of them; the rest are dropped): it must never cross into the system's message
    // dispatch, so the plug-in's idle call catches it.
    void process_events();

    // The HWND; null once the system destroyed the window (with its parent, say).
    void* get_handle() const { return m_hwnd; }
    // Resizes the window, as an editor does when the host grants a new size.
    void set_size(Size a_size);
    Size get_minimum_size() const { return m_minimum_size; }
    Size get_maximum_size() const { return m_maximum_size; }
    bool is_popup() const { return m_root != this; }
    bool is_mouse_captured() const { return m_mouse_captured; }
    // The pointer's position in this window; false when the system cannot tell.
    bool query_pointer(Point& a_position) const;
    // The client size of the window this one lies in; false for a popup or a parent that is gone.
    bool query_parent_size(Size& a_size) const;
    // The back buffer the window is painted from; null before the first paint.
    const GdiplusImage* get_back_buffer() const { return m_back_buffer.get(); }

    // The text a key typed with the current keyboard layout, for hosts that hand keys to the
    // plug-in instead of to the window. a_modifiers are KeyModifier flags; Control with Alt is
    // AltGr. Empty for keys that type nothing, for dead keys, and for commands (Control or Alt
    // alone).
    static Bex::String text_for_key(uint32_t a_virtual_key, uint32_t a_modifiers);

    void set_desktop(Desktop* a_desktop) override;
    Size get_size() const override { return m_size; }
    void invalidate(const Rect& a_area) override;
    void request_update() override;
    void set_mouse_capture(bool a_captured) override;
    void set_size_limits(Size a_minimum, Size a_maximum) override;
    TextMeasurer& get_text_measurer() override { return m_text_measurer; }
    std::unique_ptr<NativeWindow> create_popup(const Rect& a_area) override;
    NativeDialogs* get_native_dialogs() override { return &m_dialogs; }

    // Called by the window procedures and the native dialogs.
    intptr_t p_handle_message(uint32_t a_message, uintptr_t a_wparam, intptr_t a_lparam);
    // Set while the system creates the window, cleared when it destroys it.
    void p_set_handle(void* a_hwnd) { m_hwnd = a_hwnd; }
    void p_update();
    // While a native box runs, the editor and its popups hand nothing to their desktops.
    void p_begin_modal();
    void p_end_modal();
    bool p_is_modal() const { return m_root->m_modal_depth > 0; }
    Win32Window& p_get_root() const { return *m_root; }
    // Shared with whoever must learn that the window is gone while a nested loop ran.
    std::shared_ptr<const bool> p_get_alive_token() const { return m_alive; }
    // Keeps the first exception for process_events().
    static void p_keep_exception(std::exception_ptr a_exception);
    static void p_run_posted_updates();
    static Win32Window* p_find(void* a_hwnd);

private:
    Win32Window(Size a_size, Win32Window* a_root);
    void p_create(void* a_parent, uint32_t a_style, uint32_t a_extended_style, const Rect& a_place);
    bool p_is_open() const;
    bool p_accepts_input() const;
    void p_paint();
    void p_paint_into_back_buffer(const Rect& a_area);
    void p_resized(Size a_size);
    void p_handle_mouse(uint32_t a_message, uintptr_t a_wparam, intptr_t a_lparam);
    void p_handle_wheel(uint32_t a_message, uintptr_t a_wparam, intptr_t a_lparam);
    void p_handle_key(uint32_t a_message, uintptr_t a_wparam);
    void p_handle_char(uintptr_t a_wparam);
    void p_handle_mouse_leave();
    void p_handle_capture_lost(void* a_new_holder);
    // The window whose desktop a pointer event at this screen position belongs to, and the
    // position in it; null when it falls on no open window of ours.
    static Win32Window* p_route(Point a_screen, Point& a_position);
    static void p_refresh_capture();
    static void p_set_hover_window(Win32Window* a_window);
    // Ends a press whose release will never reach us (a box or another window took the mouse).
    static void p_end_press();

    // First in, last out: the classes and GDI+ must outlive everything below.
    Win32Registration m_registration;
    void* m_hwnd = nullptr;
    Win32Window* m_root;
    Desktop* m_desktop = nullptr;
    GdiplusTextMeasurer m_text_measurer;
    Win32NativeDialogs m_dialogs;
    std::unique_ptr<GdiplusImage> m_back_buffer;
    std::shared_ptr<bool> m_alive;
    Size m_size;
    Size m_minimum_size;
    Size m_maximum_size;
    // Invalid in the back buffer but not yet painted there (held back while a box runs).
    Rect m_dirty_area;
    int32_t m_wheel_remainder = 0;
    int32_t m_horizontal_wheel_remainder = 0;
    uint32_t m_modal_depth = 0;
    char16_t m_high_surrogate = 0;
    bool m_update_requested = false;
    bool m_mouse_captured = false;
    bool m_tracking_leave = false;
    bool m_had_desktop = false;
};

} // namespace Kiv
