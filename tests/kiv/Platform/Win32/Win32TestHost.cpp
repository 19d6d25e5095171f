#include "Win32TestHost.h"

#include "bex/Core/Exception.h"

#include <chrono>

namespace KivTest
{

namespace
{

LRESULT CALLBACK host_procedure(HWND a_hwnd, UINT a_message, WPARAM a_wparam, LPARAM a_lparam)
{
    if (a_message == WM_ERASEBKGND)
    {
        // White, so that black from the editor is the editor's.
        RECT client{};
        GetClientRect(a_hwnd, &client);
        FillRect(reinterpret_cast<HDC>(a_wparam), &client,
                 static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        return 1;
    }
    return DefWindowProcW(a_hwnd, a_message, a_wparam, a_lparam);
}

void register_host_class()
{
    static bool s_registered = false;
    if (s_registered)
        return;
    WNDCLASSEXW host_class{};
    host_class.cbSize = sizeof host_class;
    host_class.lpfnWndProc = host_procedure;
    host_class.hInstance = GetModuleHandleW(nullptr);
    host_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    host_class.lpszClassName = Win32Host::s_class_name;
    if (!RegisterClassExW(&host_class))
        throw Bex::Exception(u"Couldn't register the test host's window class.");
    s_registered = true;
}

} // namespace

Win32Host::Win32Host()
{
    register_host_class();
    RECT frame{0, 0, 400, 300};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    m_window = CreateWindowExW(0, s_class_name, L"Host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 100,
                               100, frame.right - frame.left, frame.bottom - frame.top, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!m_window)
        throw Bex::Exception(u"Couldn't make the test host's window.");
    ShowWindow(m_window, SW_SHOW);
    UpdateWindow(m_window);
    pump_messages(50);
}

Win32Host::~Win32Host()
{
    destroy_window();
}

void Win32Host::destroy_window()
{
    if (m_window)
        DestroyWindow(m_window);
    m_window = nullptr;
}

Kiv::Point get_screen_position(HWND a_window)
{
    POINT corner{0, 0};
    ClientToScreen(a_window, &corner);
    return {corner.x, corner.y};
}

uint32_t read_pixel(HWND a_window, int a_x, int a_y)
{
    HDC device = GetDC(a_window);
    if (!device)
        return 0xFFFFFFFFu;
    const COLORREF color = GetPixel(device, a_x, a_y);
    ReleaseDC(a_window, device);
    if (color == CLR_INVALID)
        return 0xFFFFFFFFu;
    return (uint32_t(GetRValue(color)) << 16) | (uint32_t(GetGValue(color)) << 8) |
           uint32_t(GetBValue(color));
}

void pump_messages(DWORD a_milliseconds)
{
    const DWORD start = GetTickCount();
    do
    {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (GetTickCount() - start < a_milliseconds);
}

bool pump(Kiv::Win32Window& a_window, const std::function<bool()>& a_done)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline)
    {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        a_window.process_events();
        if (a_done())
            return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return false;
}

LPARAM to_lparam(int a_x, int a_y)
{
    return LPARAM(uint32_t(uint16_t(int16_t(a_x))) | (uint32_t(uint16_t(int16_t(a_y))) << 16));
}

} // namespace KivTest
