#include "kiv/Platform/Win32/GdiplusImage.h"
#include "kiv/Platform/Win32/GdiplusSession.h"
#include "tests/plugin/PluginTestSupport.h"
#include "tools/quorlin/HostCore/PluginHost.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>

using quorlin::HostEvent;
using quorlin::PluginHost;

namespace
{

// The accent colour of the shipped sheet: what a rising value's bar is filled with.
constexpr uint32_t g_accent = 0x4FB3BF;

// A host's top-level window, of a class of the test's own.
class HostWindow
{
public:
    HostWindow()
    {
        WNDCLASSEXW type{};
        type.cbSize = sizeof(type);
        type.lpfnWndProc = DefWindowProcW;
        type.hInstance = GetModuleHandleW(nullptr);
        type.lpszClassName = L"QuorlinTestHost";
        RegisterClassExW(&type);
        m_window =
            CreateWindowExW(0, L"QuorlinTestHost", L"Test host", WS_OVERLAPPEDWINDOW, 0, 0, 1300,
                            1250, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ShowWindow(m_window, SW_SHOW);
        SetForegroundWindow(m_window);
    }
    ~HostWindow() { DestroyWindow(m_window); }
    HWND get() const { return m_window; }

private:
    HWND m_window;
};

// Set while a test waits for the plug-in's native menu: the timer that closes it notes it saw it.
bool g_menu_seen = false;

void CALLBACK close_menu(HWND, UINT, UINT_PTR a_timer, DWORD)
{
    KillTimer(nullptr, a_timer);
    const HWND menu = FindWindowW(L"#32768", nullptr);
    g_menu_seen = menu != nullptr && IsWindowVisible(menu);
    EndMenu();
}

class EditorHost
{
public:
    EditorHost() : m_plugin(plugin_test::plugin_path()) {}

    PluginHost& plugin() { return m_plugin; }

    // Opens the editor and makes the window's client area as large as the editor asks.
    bool open()
    {
        m_plugin.clear_events();
        const bool opened = m_plugin.dispatch(effEditOpen, 0, 0, m_window.get()) == 1;
        for (const HostEvent& event : m_plugin.get_events())
        {
            if (event.kind != HostEvent::Kind_SIZE_WINDOW)
                continue;
            RECT frame{0, 0, event.index, LONG(event.value)};
            AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
            SetWindowPos(m_window.get(), nullptr, 0, 0, frame.right - frame.left,
                         frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER);
        }
        return opened;
    }
    void close() { m_plugin.dispatch(effEditClose); }

    // The host's message loop and idle timer for a while.
    void idle(int a_calls = 6)
    {
        for (int call = 0; call < a_calls; ++call)
        {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            m_plugin.dispatch(effEditIdle);
            Sleep(5);
        }
    }

    HWND editor_window() const { return FindWindowExW(m_window.get(), nullptr, nullptr, nullptr); }

    std::pair<int, int> rect()
    {
        ERect* rect = nullptr;
        m_plugin.dispatch(effEditGetRect, 0, 0, &rect);
        return rect ? std::pair<int, int>{rect->right - rect->left, rect->bottom - rect->top}
                    : std::pair<int, int>{0, 0};
    }

    // What the editor's window shows, as the screen has it.
    Kiv::GdiplusImage screenshot()
    {
        const auto [width, height] = rect();
        Kiv::GdiplusImage image({width, height});
        const HWND editor = editor_window();
        HDC window_dc = GetDC(editor);
        HDC memory_dc = CreateCompatibleDC(window_dc);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(window_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(memory_dc, bitmap);
        BitBlt(memory_dc, 0, 0, width, height, window_dc, 0, 0, SRCCOPY);
        GdiFlush();
        const auto* source = static_cast<const uint32_t*>(bits);
        uint32_t* target = image.get_pixels();
        for (int index = 0; index < width * height; ++index)
            target[index] = source[index] | 0xFF000000u;
        SelectObject(memory_dc, old);
        DeleteObject(bitmap);
        DeleteDC(memory_dc);
        ReleaseDC(editor, window_dc);
        return image;
    }

    // The first pixel of the accent colour, row by row from the top: the "Dry" bar.
    static std::optional<std::pair<int, int>> find_accent(const Kiv::GdiplusImage& a_image)
    {
        const Kiv::Size size = a_image.get_size();
        for (int y = 0; y < size.height; ++y)
        {
            for (int x = 0; x < size.width; ++x)
            {
                if ((a_image.get_pixels()[y * size.width + x] & 0xFFFFFF) == g_accent)
                    return std::pair<int, int>{x, y};
            }
        }
        return std::nullopt;
    }

    // As the system delivers it: the pointer where the message says, the message through the
    // queue, and the host's loop running.
    void mouse(UINT a_message, int a_x, int a_y, WPARAM a_buttons)
    {
        POINT screen{a_x, a_y};
        ClientToScreen(editor_window(), &screen);
        SetCursorPos(screen.x, screen.y);
        PostMessageW(editor_window(), a_message, a_buttons, MAKELPARAM(a_x, a_y));
        idle(1);
    }

private:
    HostWindow m_window;
    PluginHost m_plugin;
};

size_t count(const std::vector<HostEvent>& a_events, HostEvent::Kind a_kind, int32_t a_index)
{
    size_t found = 0;
    for (const HostEvent& event : a_events)
        found += event.kind == a_kind && event.index == a_index ? 1 : 0;
    return found;
}

bool registered(HMODULE a_module, const wchar_t* a_class)
{
    WNDCLASSEXW type{};
    type.cbSize = sizeof(type);
    return GetClassInfoExW(a_module, a_class, &type) != 0;
}

} // namespace

// The whole round as a host makes it, twenty times: open the editor in the host's window, drag
// the "Dry" bar, see one gesture and the new value at the host, open "Menu..." as the system's
// menu and close it, and close the editor. Afterwards no window class of the plug-in is left.
TEST(PluginEditorWin32, DraggingABarAndOpeningTheMenuReachTheHostTwentyTimesOver)
{
    Kiv::GdiplusSession gdiplus;
    HMODULE module = nullptr;
    {
        EditorHost host;
        module = GetModuleHandleW(L"QuorlinChorus.dll");
        ASSERT_NE(module, nullptr);
        const int32_t dry = host.plugin().find_parameter("Dry");
        ASSERT_GE(dry, 0);
        for (int round = 0; round < 20; ++round)
        {
            SCOPED_TRACE(round);
            host.plugin().set_parameter(dry, 0.5f);
            ASSERT_TRUE(host.open());
            ASSERT_NE(host.editor_window(), nullptr);
            EXPECT_TRUE(registered(module, L"KivWindowClass"));
            host.idle();
            const Kiv::GdiplusImage picture = host.screenshot();
            if (round == 0)
            {
                std::filesystem::create_directories(QUORLIN_SNAPSHOT_FOLDER);
                picture.write_png(
                    Bex::String::from_utf8(QUORLIN_SNAPSHOT_FOLDER "/editor-windows-host.png"));
            }
            const std::optional<std::pair<int, int>> bar = EditorHost::find_accent(picture);
            ASSERT_TRUE(bar.has_value());

            host.plugin().clear_events();
            const int x = bar->first + 4;
            const int y = bar->second + 4;
            host.mouse(WM_MOUSEMOVE, x, y, 0);
            host.mouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
            // Bars follow the mouse up and down.
            for (int step = 1; step <= 5; ++step)
                host.mouse(WM_MOUSEMOVE, x, y - step * 10, MK_LBUTTON);
            host.mouse(WM_LBUTTONUP, x, y - 50, 0);
            host.idle(2);
            const std::vector<HostEvent>& events = host.plugin().get_events();
            EXPECT_EQ(count(events, HostEvent::Kind_BEGIN_EDIT, dry), 1u);
            EXPECT_GE(count(events, HostEvent::Kind_AUTOMATE, dry), 1u);
            EXPECT_EQ(count(events, HostEvent::Kind_END_EDIT, dry), 1u);
            EXPECT_GT(host.plugin().get_parameter(dry), 0.5f);

            // "Menu..." stands left of the mix, below the Dry bar's top.
            g_menu_seen = false;
            SetTimer(nullptr, 0, 200, close_menu);
            host.mouse(WM_MOUSEMOVE, bar->first - 100, bar->second + 38, 0);
            host.mouse(WM_LBUTTONDOWN, bar->first - 100, bar->second + 38, MK_LBUTTON);
            host.mouse(WM_LBUTTONUP, bar->first - 100, bar->second + 38, 0);
            host.idle(60);
            EXPECT_TRUE(g_menu_seen);
            host.close();
            host.idle(2);
            EXPECT_EQ(host.editor_window(), nullptr);
            EXPECT_FALSE(registered(module, L"KivWindowClass"));
            EXPECT_FALSE(registered(module, L"KIV_MSGWND"));
        }
    }
    // The library is gone, and nothing of it stays registered.
    EXPECT_EQ(GetModuleHandleW(L"QuorlinChorus.dll"), nullptr);
    EXPECT_FALSE(registered(module, L"KivWindowClass"));
}
