#include "kiv/Platform/Win32/Win32Registration.h"

#include "bex/Core/Exception.h"
#include "kiv/Platform/Win32/GdiplusSession.h"
#include "kiv/Platform/Win32/Win32Window.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <optional>

namespace Kiv
{

namespace
{

constexpr UINT g_update_message = WM_APP + 0x4B1;
constexpr UINT_PTR g_update_timer = 1;
// How soon an update runs when its message could not be posted (a queue full of the host's).
constexpr UINT g_update_retry_milliseconds = 10;

struct Registration
{
    uint32_t holders = 0;
    HINSTANCE module = nullptr;
    HWND message_window = nullptr;
    bool window_class_registered = false;
    bool message_class_registered = false;
    bool update_posted = false;
    std::optional<GdiplusSession> gdiplus;
};

Registration& registration()
{
    static Registration s_registration;
    return s_registration;
}

HINSTANCE find_own_module()
{
    HMODULE module = nullptr;
    // The module whose code holds this function: the plug-in's DLL, not the host's program.
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(&find_own_module), &module))
        throw Bex::Exception(u"Couldn't find the module of the toolkit's windows.");
    return module;
}

LRESULT CALLBACK window_procedure(HWND a_hwnd, UINT a_message, WPARAM a_wparam, LPARAM a_lparam)
{
    if (a_message == WM_NCCREATE)
    {
        auto* window =
            static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTW*>(a_lparam)->lpCreateParams);
        SetWindowLongPtrW(a_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
        if (window)
            window->p_set_handle(a_hwnd);
    }
    auto* window = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(a_hwnd, GWLP_USERDATA));
    if (!window)
        return DefWindowProcW(a_hwnd, a_message, a_wparam, a_lparam);
    if (a_message == WM_NCDESTROY)
    {
        SetWindowLongPtrW(a_hwnd, GWLP_USERDATA, 0);
        window->p_set_handle(nullptr);
        return DefWindowProcW(a_hwnd, a_message, a_wparam, a_lparam);
    }
    return window->p_handle_message(a_message, a_wparam, a_lparam);
}

LRESULT CALLBACK message_window_procedure(HWND a_hwnd, UINT a_message, WPARAM a_wparam,
                                          LPARAM a_lparam)
{
    if (a_message == g_update_message || (a_message == WM_TIMER && a_wparam == g_update_timer))
    {
        if (a_message == WM_TIMER)
            KillTimer(a_hwnd, g_update_timer);
        registration().update_posted = false;
        // Handlers throw out of the updates; nothing may cross into the host's dispatch.
        try
        {
            Win32Window::p_run_posted_updates();
        }
        catch (...)
        {
            Win32Window::p_keep_exception(std::current_exception());
        }
        return 0;
    }
    return DefWindowProcW(a_hwnd, a_message, a_wparam, a_lparam);
}

// Registers a class of our module; one left behind by an earlier load of the same module (a
// plug-in that crashed before it could clean up) would keep a window procedure that no longer
// exists, so it is replaced.
void register_class(const WNDCLASSEXW& a_class)
{
    if (RegisterClassExW(&a_class))
        return;
    if (GetLastError() == ERROR_CLASS_ALREADY_EXISTS &&
        UnregisterClassW(a_class.lpszClassName, a_class.hInstance) && RegisterClassExW(&a_class))
        return;
    throw Bex::Exception(u"Couldn't register the window class " +
                         Bex::String(reinterpret_cast<const char16_t*>(a_class.lpszClassName)) +
                         u".");
}

void tear_down(Registration& a_registration)
{
    if (a_registration.message_window)
    {
        DestroyWindow(a_registration.message_window);
        a_registration.message_window = nullptr;
    }
    a_registration.update_posted = false;
    if (a_registration.message_class_registered)
    {
        UnregisterClassW(Win32Registration::get_message_window_class_name(), a_registration.module);
        a_registration.message_class_registered = false;
    }
    if (a_registration.window_class_registered)
    {
        UnregisterClassW(Win32Registration::get_window_class_name(), a_registration.module);
        a_registration.window_class_registered = false;
    }
    a_registration.gdiplus.reset();
}

void set_up(Registration& a_registration)
{
    a_registration.gdiplus.emplace();
    a_registration.module = find_own_module();

    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.style = CS_DBLCLKS;
    window_class.lpfnWndProc = window_procedure;
    window_class.hInstance = a_registration.module;
    window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    // No background brush: the window paints every pixel from its back buffer.
    window_class.hbrBackground = nullptr;
    window_class.lpszClassName = Win32Registration::get_window_class_name();
    register_class(window_class);
    a_registration.window_class_registered = true;

    WNDCLASSEXW message_class{};
    message_class.cbSize = sizeof message_class;
    message_class.lpfnWndProc = message_window_procedure;
    message_class.hInstance = a_registration.module;
    message_class.lpszClassName = Win32Registration::get_message_window_class_name();
    register_class(message_class);
    a_registration.message_class_registered = true;

    a_registration.message_window =
        CreateWindowExW(0, Win32Registration::get_message_window_class_name(), L"", 0, 0, 0, 0, 0,
                        HWND_MESSAGE, nullptr, a_registration.module, nullptr);
    if (!a_registration.message_window)
        throw Bex::Exception(u"Couldn't make the toolkit's message window.");
}

} // namespace

Win32Registration::Win32Registration()
{
    Registration& state = registration();
    if (state.holders == 0)
    {
        try
        {
            set_up(state);
        }
        catch (...)
        {
            tear_down(state);
            throw;
        }
    }
    ++state.holders;
}

Win32Registration::~Win32Registration()
{
    Registration& state = registration();
    if (--state.holders == 0)
        tear_down(state);
}

void* Win32Registration::get_module()
{
    return registration().module;
}

void* Win32Registration::get_message_window()
{
    return registration().message_window;
}

uint32_t Win32Registration::get_holder_count()
{
    return registration().holders;
}

void Win32Registration::post_update_request()
{
    Registration& state = registration();
    if (state.update_posted || !state.message_window)
        return;
    if (PostMessageW(state.message_window, g_update_message, 0, 0) ||
        SetTimer(state.message_window, g_update_timer, g_update_retry_milliseconds, nullptr))
        state.update_posted = true;
}

} // namespace Kiv
