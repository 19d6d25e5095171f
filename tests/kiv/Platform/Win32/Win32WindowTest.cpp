#include "Support/TestWidgets.h"
#include "Win32TestHost.h"

#include "bex/Core/Exception.h"
#include "kiv/Desktop/Desktop.h"
#include "kiv/Platform/Win32/Win32Registration.h"
#include "kiv/Widget/KeyCode.h"
#include "kiv/Widget/WidgetPainter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Kiv;
using KivTest::pump;
using KivTest::read_pixel;
using KivTest::to_lparam;
using KivTest::Win32Host;

namespace
{

constexpr Color g_red = Color::from_argb(255, 255, 0, 0);
constexpr Color g_green = Color::from_argb(255, 0, 255, 0);
constexpr Color g_blue = Color::from_argb(255, 0, 0, 255);

uint32_t rgb(Color a_color)
{
    return a_color.argb & 0xFFFFFFu;
}

// Paints itself in one colour, turns green when pressed, and keeps what reached it.
class Swatch : public Widget
{
public:
    explicit Swatch(Color a_color) : color(a_color)
    {
        set_focus_flags(WidgetFocusFlag_MOUSE | WidgetFocusFlag_KEYBOARD);
        set_horizontally_stretchable(true);
        set_vertically_stretchable(true);
        connect(on_paint(), this, &Swatch::p_on_paint);
        connect(on_mouse_down(), this, &Swatch::p_on_mouse_down);
        connect(on_mouse_up(), this, &Swatch::p_on_mouse_up);
        connect(on_mouse_moved(), this, &Swatch::p_on_mouse_moved);
        connect(on_mouse_wheel(), this, &Swatch::p_on_mouse_wheel);
        connect(on_keyboard_down(), this, &Swatch::p_on_keyboard_down);
        connect(on_keyboard_up(), this, &Swatch::p_on_keyboard_up);
        connect(on_keyboard_string(), this, &Swatch::p_on_keyboard_string);
    }

    Color color;
    bool throw_on_press = false;
    std::vector<WidgetEvents::OnMouseDown> downs;
    std::vector<Point> ups;
    std::vector<Point> moves;
    std::vector<int32_t> wheel;
    std::vector<WidgetEvents::OnKeyboardDown> keys;
    std::vector<uint32_t> released_keys;
    Bex::String text;

private:
    void p_on_paint(WidgetEvents::OnPaint& a_event)
    {
        a_event.painter.select_area(WidgetArea_BORDER);
        const Size size = a_event.painter.get_area_size();
        a_event.painter.get_painter().fill_rectangle({0, 0, size.width, size.height}, {color});
    }
    void p_on_mouse_down(WidgetEvents::OnMouseDown& a_event)
    {
        downs.push_back(a_event);
        if (throw_on_press)
            throw Bex::Exception(u"pressed too hard");
        color = g_green;
        invalidate();
    }
    void p_on_mouse_up(WidgetEvents::OnMouseUp& a_event) { ups.push_back(a_event.position); }
    void p_on_mouse_moved(WidgetEvents::OnMouseMoved& a_event)
    {
        moves.push_back(a_event.position);
    }
    void p_on_mouse_wheel(WidgetEvents::OnMouseWheel& a_event) { wheel.push_back(a_event.delta); }
    void p_on_keyboard_down(WidgetEvents::OnKeyboardDown& a_event) { keys.push_back(a_event); }
    void p_on_keyboard_up(WidgetEvents::OnKeyboardUp& a_event)
    {
        released_keys.push_back(a_event.key);
    }
    void p_on_keyboard_string(WidgetEvents::OnKeyboardString& a_event) { text += a_event.text; }
};

// Holds one child at a fixed place, so that local positions differ from the window's.
class Board : public Widget
{
public:
    Board(Widget* a_child, const Rect& a_place) : m_child(a_child), m_place(a_place)
    {
        set_horizontally_stretchable(true);
        set_vertically_stretchable(true);
        a_child->set_parent(this);
        connect(on_arrange(), this, &Board::p_on_arrange);
    }

private:
    void p_on_arrange()
    {
        m_child->set_geometry(m_place.x, m_place.y, m_place.width, m_place.height);
    }

    Widget* m_child;
    Rect m_place;
};

// An editor of 300 × 200 in the host's window, with a red swatch at (40, 30, 120, 80).
struct Win32WindowFixture : ::testing::Test
{
    Win32WindowFixture()
    {
        std::unique_ptr<Win32Window> window =
            Win32Window::create_child(host.get_window(), {300, 200});
        native = window.get();
        editor = static_cast<HWND>(native->get_handle());
        desktop = std::make_unique<Desktop>(KivTest::application(), std::move(window));
        (new Board(swatch, {40, 30, 120, 80}))->set_parent(desktop.get());
    }

    void SetUp() override
    {
        ASSERT_TRUE(pump(*native, [this] { return read_pixel(editor, 60, 50) == rgb(g_red); }));
    }

    void post(UINT a_message, WPARAM a_wparam, int a_x, int a_y, HWND a_window = nullptr)
    {
        PostMessageW(a_window ? a_window : editor, a_message, a_wparam, to_lparam(a_x, a_y));
    }

    Win32Host host;
    std::unique_ptr<Desktop> desktop;
    Win32Window* native = nullptr;
    HWND editor = nullptr;
    Swatch* swatch = new Swatch(g_red);
};

} // namespace

TEST_F(Win32WindowFixture, ClickReachesTheWidgetTakesTheFocusAndTheWindowRepaints)
{
    SetFocus(host.get_window());
    EXPECT_EQ(read_pixel(editor, 5, 5), 0u);
    post(WM_LBUTTONDOWN, MK_LBUTTON, 50, 45);
    post(WM_LBUTTONUP, 0, 50, 45);
    ASSERT_TRUE(pump(*native, [this] { return swatch->ups.size() == 1; }));
    ASSERT_EQ(swatch->downs.size(), 1u);
    EXPECT_EQ(swatch->downs[0].position, (Point{10, 15}));
    EXPECT_EQ(swatch->downs[0].button, MouseButton_LEFT);
    EXPECT_EQ(swatch->downs[0].click_count, 1u);
    EXPECT_EQ(swatch->ups[0], (Point{10, 15}));
    EXPECT_EQ(GetFocus(), editor);
    EXPECT_EQ(desktop->get_focus(), swatch);
    // Repainted from the back buffer, only what changed, in both corners of the swatch.
    EXPECT_TRUE(pump(*native, [this] { return read_pixel(editor, 159, 109) == rgb(g_green); }));
    EXPECT_EQ(read_pixel(editor, 40, 30), rgb(g_green));
    EXPECT_EQ(read_pixel(editor, 39, 30), 0u);
    EXPECT_EQ(read_pixel(editor, 160, 109), 0u);
    EXPECT_EQ(native->get_back_buffer()->get_pixel(100, 60), g_green);
}

TEST_F(Win32WindowFixture, DoubleClicksOtherButtonsAndModifiersArrive)
{
    post(WM_LBUTTONDOWN, MK_LBUTTON, 50, 45);
    post(WM_LBUTTONUP, 0, 50, 45);
    post(WM_LBUTTONDBLCLK, MK_LBUTTON | MK_SHIFT, 50, 45);
    post(WM_LBUTTONUP, MK_SHIFT, 50, 45);
    post(WM_RBUTTONDOWN, MK_RBUTTON | MK_CONTROL, 70, 60);
    post(WM_RBUTTONUP, MK_CONTROL, 70, 60);
    post(WM_MBUTTONDOWN, MK_MBUTTON, 71, 61);
    post(WM_MBUTTONUP, 0, 71, 61);
    ASSERT_TRUE(pump(*native, [this] { return swatch->ups.size() == 4; }));
    ASSERT_EQ(swatch->downs.size(), 4u);
    EXPECT_EQ(swatch->downs[0].click_count, 1u);
    EXPECT_EQ(swatch->downs[1].click_count, 2u);
    EXPECT_EQ(swatch->downs[1].modifiers, uint32_t(KeyModifier_SHIFT));
    EXPECT_EQ(swatch->downs[2].button, MouseButton_RIGHT);
    EXPECT_EQ(swatch->downs[2].modifiers, uint32_t(KeyModifier_CONTROL));
    EXPECT_EQ(swatch->downs[2].position, (Point{30, 30}));
    EXPECT_EQ(swatch->downs[3].button, MouseButton_MIDDLE);
    EXPECT_EQ(swatch->downs[3].click_count, 1u);
}

TEST_F(Win32WindowFixture, WheelNotchesBecomeStepsAtThePointersPlace)
{
    const Point origin = KivTest::get_screen_position(editor);
    // The wheel goes to the focused window, with the pointer's place on the screen.
    post(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), origin.x + 50, origin.y + 45);
    post(WM_MOUSEWHEEL, MAKEWPARAM(0, uint16_t(-2 * WHEEL_DELTA)), origin.x + 50, origin.y + 45);
    // A fine wheel's half notches add up to one step.
    post(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA / 2), origin.x + 50, origin.y + 45);
    post(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA / 2), origin.x + 50, origin.y + 45);
    // Off the swatch, off the editor.
    post(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), origin.x + 5, origin.y + 5);
    post(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), origin.x + 350, origin.y + 5);
    post(WM_MOUSEMOVE, 0, 51, 46);
    ASSERT_TRUE(pump(*native, [this] { return !swatch->moves.empty(); }));
    EXPECT_EQ(swatch->wheel, (std::vector<int32_t>{1, -2, 1}));
}

TEST_F(Win32WindowFixture, KeysArriveAsVirtualKeysAndCharactersAsText)
{
    post(WM_LBUTTONDOWN, MK_LBUTTON, 50, 45);
    post(WM_LBUTTONUP, 0, 50, 45);
    ASSERT_TRUE(pump(*native, [this] { return desktop->get_focus() == swatch; }));
    BYTE saved[256];
    GetKeyboardState(saved);
    BYTE state[256] = {};
    state[VK_CONTROL] = state[VK_LCONTROL] = 0x80;
    // Modifiers are read from the thread's key state as each message is handled.
    SetKeyboardState(state);
    PostMessageW(editor, WM_KEYDOWN, 'A', 0);
    PostMessageW(editor, WM_CHAR, 0x01, 0);
    pump(*native, [this] { return swatch->keys.size() == 1; });
    SetKeyboardState(saved);
    PostMessageW(editor, WM_KEYDOWN, VK_LEFT, 0);
    PostMessageW(editor, WM_KEYUP, VK_LEFT, 0);
    PostMessageW(editor, WM_SYSKEYDOWN, VK_F10, 0);
    PostMessageW(editor, WM_CHAR, L'z', 0);
    // U+1F600 comes as two messages.
    PostMessageW(editor, WM_CHAR, 0xD83D, 0);
    PostMessageW(editor, WM_CHAR, 0xDE00, 0);
    // A low half without its high half is no text.
    PostMessageW(editor, WM_CHAR, 0xDE01, 0);
    PostMessageW(editor, WM_CHAR, L'!', 0);
    ASSERT_TRUE(pump(*native, [this] { return swatch->text.size() >= 4; }));
    EXPECT_EQ(swatch->text, u"z\U0001F600!");
    ASSERT_EQ(swatch->keys.size(), 3u);
    EXPECT_EQ(swatch->keys[0].key, uint32_t(KeyCode_A));
    EXPECT_EQ(swatch->keys[0].modifiers, uint32_t(KeyModifier_CONTROL));
    EXPECT_EQ(swatch->keys[1].key, uint32_t(KeyCode_LEFT));
    EXPECT_EQ(swatch->keys[1].modifiers, 0u);
    EXPECT_EQ(swatch->keys[2].key, uint32_t(KeyCode_F1 + 9));
    EXPECT_EQ(swatch->released_keys, (std::vector<uint32_t>{KeyCode_LEFT}));
}

TEST(Win32Keys, TextForAKeyFollowsTheLayoutAndLeavesCommandsOut)
{
    EXPECT_EQ(Win32Window::text_for_key('A', 0), u"a");
    EXPECT_EQ(Win32Window::text_for_key('A', KeyModifier_SHIFT), u"A");
    EXPECT_EQ(Win32Window::text_for_key('1', 0), u"1");
    EXPECT_EQ(Win32Window::text_for_key(VK_SPACE, 0), u" ");
    EXPECT_EQ(Win32Window::text_for_key(VK_NUMPAD7, 0), u"7");
    EXPECT_EQ(Win32Window::text_for_key(VK_LEFT, 0), u"");
    EXPECT_EQ(Win32Window::text_for_key(VK_RETURN, 0), u"");
    EXPECT_EQ(Win32Window::text_for_key('A', KeyModifier_CONTROL), u"");
    EXPECT_EQ(Win32Window::text_for_key('A', KeyModifier_ALT), u"");
    // Asking must not disturb what the keyboard types next.
    EXPECT_EQ(Win32Window::text_for_key('B', 0), u"b");
}

TEST_F(Win32WindowFixture, CaptureKeepsDeliveringMovesOutsideUntilTheRelease)
{
    const Point origin = KivTest::get_screen_position(editor);
    SetCursorPos(origin.x + 50, origin.y + 45);
    KivTest::pump_messages(50);
    INPUT press{};
    press.type = INPUT_MOUSE;
    press.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    ASSERT_EQ(SendInput(1, &press, sizeof press), 1u);
    ASSERT_TRUE(pump(*native, [this] { return swatch->downs.size() == 1; }));
    EXPECT_EQ(GetCapture(), editor);
    EXPECT_EQ(swatch->downs[0].position, (Point{10, 15}));

    // Far outside the editor and its host.
    const Point outside{1100, 700};
    SetCursorPos(outside.x, outside.y);
    const Point expected{outside.x - origin.x - 40, outside.y - origin.y - 30};
    ASSERT_TRUE(
        pump(*native, [&] { return !swatch->moves.empty() && swatch->moves.back() == expected; }));
    Point pointer;
    ASSERT_TRUE(native->query_pointer(pointer));
    EXPECT_EQ(pointer, (Point{outside.x - origin.x, outside.y - origin.y}));
    INPUT release{};
    release.type = INPUT_MOUSE;
    release.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ASSERT_EQ(SendInput(1, &release, sizeof release), 1u);
    ASSERT_TRUE(pump(*native, [this] { return swatch->ups.size() == 1; }));
    EXPECT_EQ(swatch->ups[0], expected);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(desktop->get_capture(), nullptr);
}

TEST_F(Win32WindowFixture, PopupOpensWhereAskedTakesKeysAndAPressElsewhereClosesIt)
{
    SetFocus(host.get_window());
    auto* item = new Swatch(g_blue);
    Desktop& popup = desktop->open_popup(item, {60, 150, 100, 120});
    auto& popup_window = static_cast<Win32Window&>(popup.get_native_window());
    auto popup_hwnd = static_cast<HWND>(popup_window.get_handle());
    ASSERT_TRUE(popup_window.is_popup());
    ASSERT_TRUE(pump(*native, [&] { return read_pixel(popup_hwnd, 10, 10) == rgb(g_blue); }));
    // It reaches past the editor's bottom edge, as menus may, and floats above the host.
    const Point origin = KivTest::get_screen_position(editor);
    EXPECT_EQ(KivTest::get_screen_position(popup_hwnd), (Point{origin.x + 60, origin.y + 150}));
    EXPECT_TRUE(GetWindowLongW(popup_hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetAncestor(popup_hwnd, GA_ROOTOWNER), host.get_window());
    // Keys come to the editor's window, which hands them to the menu.
    EXPECT_EQ(GetFocus(), editor);
    EXPECT_EQ(GetCapture(), popup_hwnd);
    popup.set_focus(item, FocusReason_KEYBOARD);
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(GetFocus(), WM_CHAR, L'q', 0);
    ASSERT_TRUE(pump(*native, [&] { return item->text == u"q"; }));
    ASSERT_EQ(item->keys.size(), 1u);
    EXPECT_EQ(item->keys[0].key, uint32_t(KeyCode_DOWN));
    EXPECT_TRUE(swatch->keys.empty());

    post(WM_LBUTTONDOWN, MK_LBUTTON, 30, 80, popup_hwnd);
    post(WM_LBUTTONUP, 0, 30, 80, popup_hwnd);
    ASSERT_TRUE(pump(*native, [&] { return item->ups.size() == 1; }));
    EXPECT_EQ(item->downs[0].position, (Point{30, 80}));
    EXPECT_EQ(desktop->get_popups().size(), 1u);

    // The popup holds the mouse, so a press anywhere reaches it, here left of the host.
    post(WM_LBUTTONDOWN, MK_LBUTTON, -100, -170, popup_hwnd);
    post(WM_LBUTTONUP, 0, -100, -170, popup_hwnd);
    ASSERT_TRUE(pump(*native, [&] { return desktop->get_popups().empty(); }));
    EXPECT_TRUE(pump(*native, [&] { return !IsWindow(popup_hwnd); }));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(swatch->downs.empty());
    post(WM_LBUTTONDOWN, MK_LBUTTON, 50, 45);
    post(WM_LBUTTONUP, 0, 50, 45);
    EXPECT_TRUE(pump(*native, [this] { return swatch->ups.size() == 1; }));
}

TEST_F(Win32WindowFixture, APressOnTheEditorClosesThePopupsWithoutReachingTheWidget)
{
    Desktop& popup = desktop->open_popup(new Swatch(g_blue), {200, 20, 60, 60});
    auto popup_hwnd =
        static_cast<HWND>(static_cast<Win32Window&>(popup.get_native_window()).get_handle());
    ASSERT_TRUE(pump(*native, [&] { return read_pixel(popup_hwnd, 5, 5) == rgb(g_blue); }));
    // Reported to the popup, which holds the mouse, at the editor's place of (50, 45).
    post(WM_LBUTTONDOWN, MK_LBUTTON, 50 - 200, 45 - 20, popup_hwnd);
    post(WM_LBUTTONUP, 0, 50 - 200, 45 - 20, popup_hwnd);
    ASSERT_TRUE(pump(*native, [&] { return desktop->get_popups().empty(); }));
    EXPECT_TRUE(swatch->downs.empty());
}

TEST_F(Win32WindowFixture, WhileABoxRunsTheDesktopGetsNoInputAndNoUpdates)
{
    native->p_begin_modal();
    post(WM_LBUTTONDOWN, MK_LBUTTON, 50, 45);
    post(WM_LBUTTONUP, 0, 50, 45);
    PostMessageW(editor, WM_CHAR, L'x', 0);
    swatch->request_layout(WidgetLayoutFlag_MEASURE);
    InvalidateRect(editor, nullptr, FALSE);
    KivTest::pump_messages(200);
    native->process_events();
    EXPECT_TRUE(swatch->downs.empty());
    EXPECT_TRUE(swatch->text.empty());
    EXPECT_TRUE(desktop->is_update_pending());
    // The window still shows its last frame.
    EXPECT_EQ(read_pixel(editor, 60, 50), rgb(g_red));
    native->p_end_modal();
    EXPECT_TRUE(pump(*native, [this] { return !desktop->is_update_pending(); }));
    post(WM_LBUTTONDOWN, MK_LBUTTON, 50, 45);
    EXPECT_TRUE(pump(*native, [this] { return swatch->downs.size() == 1; }));
}

TEST_F(Win32WindowFixture, AHandlersExceptionComesOutOfTheIdleCallNotTheSystem)
{
    swatch->throw_on_press = true;
    post(WM_LBUTTONDOWN, MK_LBUTTON, 50, 45);
    post(WM_LBUTTONUP, 0, 50, 45);
    bool thrown = false;
    try
    {
        pump(*native, [this] { return swatch->ups.size() == 1; });
    }
    catch (const Bex::Exception& a_exception)
    {
        thrown = a_exception.get_message() == u"pressed too hard";
    }
    EXPECT_TRUE(thrown);
    // Thrown once, and the window goes on working.
    swatch->throw_on_press = false;
    post(WM_LBUTTONDOWN, MK_LBUTTON, 50, 45);
    post(WM_LBUTTONUP, 0, 50, 45);
    EXPECT_TRUE(pump(*native, [this] { return swatch->downs.size() == 2; }));
}

TEST_F(Win32WindowFixture, TheDesktopFollowsTheWindowsSizeWhoeverChangesIt)
{
    SetWindowPos(editor, nullptr, 0, 0, 360, 240, SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_TRUE(pump(*native, [this] { return desktop->get_width() == 360; }));
    EXPECT_EQ(native->get_size(), (Size{360, 240}));
    EXPECT_EQ(desktop->get_height(), 240);
    native->set_size({280, 150});
    RECT client{};
    GetClientRect(editor, &client);
    EXPECT_EQ(client.right, 280);
    EXPECT_EQ(client.bottom, 150);
    EXPECT_EQ(desktop->get_width(), 280);
    Size parent;
    ASSERT_TRUE(native->query_parent_size(parent));
    EXPECT_EQ(parent, (Size{400, 300}));
}

TEST(Win32WindowErrors, AParentThatIsNoWindowThrows)
{
    EXPECT_THROW(Win32Window::create_child(nullptr, {100, 100}), Bex::Exception);
    Win32Host host;
    HWND gone = host.get_window();
    host.destroy_window();
    EXPECT_THROW(Win32Window::create_child(gone, {100, 100}), Bex::Exception);
    EXPECT_EQ(Win32Registration::get_holder_count(), 0u);
}

TEST(Win32WindowErrors, AHostThatDestroysItsWindowFirstLeavesNothingBroken)
{
    Win32Host host;
    {
        std::unique_ptr<Win32Window> window =
            Win32Window::create_child(host.get_window(), {200, 100});
        Win32Window* native = window.get();
        Desktop desktop(KivTest::application(), std::move(window));
        (new Swatch(g_red))->set_parent(&desktop);
        desktop.open_popup(new Swatch(g_blue), {10, 10, 50, 50});
        ASSERT_TRUE(pump(*native, [&] { return !desktop.is_update_pending(); }));
        host.destroy_window();
        EXPECT_EQ(native->get_handle(), nullptr);
        desktop.open_popup(new Swatch(g_red), {20, 20, 50, 50});
        native->invalidate({0, 0, 10, 10});
        native->set_size({100, 100});
        native->process_events();
    }
    EXPECT_EQ(Win32Registration::get_holder_count(), 0u);
}

TEST(Win32WindowLifetime, ClosingTheEditorAgainAndAgainLeavesNoClassAndNoWindow)
{
    Win32Host host;
    const HINSTANCE module = GetModuleHandleW(nullptr);
    for (int round = 0; round < 100; ++round)
    {
        std::unique_ptr<Win32Window> window =
            Win32Window::create_child(host.get_window(), {320, 240});
        Win32Window* native = window.get();
        auto desktop = std::make_unique<Desktop>(KivTest::application(), std::move(window));
        (new Swatch(g_red))->set_parent(desktop.get());
        WNDCLASSEXW info{};
        info.cbSize = sizeof info;
        ASSERT_TRUE(GetClassInfoExW(module, Win32Registration::get_window_class_name(), &info));
        if (round % 3 == 0)
        {
            Desktop& popup = desktop->open_popup(new Swatch(g_blue), {10, 200, 80, 90});
            // Submenus too, sometimes.
            if (round % 2 == 0)
                popup.open_popup(new Swatch(g_green), {80, 0, 50, 50});
        }
        int frames = 0;
        ASSERT_TRUE(pump(*native, [&] { return ++frames > 3; }));
        desktop.reset();
    }
    WNDCLASSEXW info{};
    info.cbSize = sizeof info;
    EXPECT_FALSE(GetClassInfoExW(module, Win32Registration::get_window_class_name(), &info));
    EXPECT_FALSE(
        GetClassInfoExW(module, Win32Registration::get_message_window_class_name(), &info));
    EXPECT_EQ(FindWindowExW(HWND_MESSAGE, nullptr,
                            Win32Registration::get_message_window_class_name(), nullptr),
              nullptr);
    EXPECT_EQ(GetWindow(host.get_window(), GW_CHILD), nullptr);
    // No popup is left either.
    int windows = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND a_window, LPARAM a_count) -> BOOL
        {
            wchar_t name[64] = {};
            GetClassNameW(a_window, name, 64);
            if (std::wstring(name) == Win32Registration::get_window_class_name())
                ++*reinterpret_cast<int*>(a_count);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    EXPECT_EQ(windows, 0);
    EXPECT_EQ(Win32Registration::get_holder_count(), 0u);
}
