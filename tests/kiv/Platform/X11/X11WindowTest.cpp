// Before Xlib, whose macros (None, Bool) would rename parts of it.
#include <gtest/gtest.h>

#include "Support/TestWidgets.h"
#include "X11TestHost.h"

#include "bex/Core/Exception.h"
#include "kiv/Widget/KeyCode.h"
#include "kiv/Widget/WidgetPainter.h"
#include "kiv/Widgets/ComboBox.h"
#include "kiv/Widgets/MenuItem.h"
#include "kiv/Windows/FileDialog.h"
#include "kiv/Windows/MessageDialog.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>

using namespace Kiv;
using KivTest::pump;
using KivTest::X11Host;
using KivTest::xdotool;

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
        connect(on_mouse_wheel(), this, &Swatch::p_on_mouse_wheel);
        connect(on_keyboard_down(), this, &Swatch::p_on_keyboard_down);
        connect(on_keyboard_up(), this, &Swatch::p_on_keyboard_up);
        connect(on_keyboard_string(), this, &Swatch::p_on_keyboard_string);
    }

    Color color;
    int paints = 0;
    std::vector<WidgetEvents::OnMouseDown> downs;
    std::vector<Point> ups;
    std::vector<int32_t> wheel;
    std::vector<WidgetEvents::OnKeyboardDown> keys;
    std::vector<uint32_t> released_keys;
    Bex::String text;

private:
    void p_on_paint(WidgetEvents::OnPaint& a_event)
    {
        ++paints;
        a_event.painter.select_area(WidgetArea_BORDER);
        const Size size = a_event.painter.get_area_size();
        a_event.painter.get_painter().fill_rectangle({0, 0, size.width, size.height}, {color});
    }
    void p_on_mouse_down(WidgetEvents::OnMouseDown& a_event)
    {
        downs.push_back(a_event);
        color = g_green;
        invalidate();
    }
    void p_on_mouse_up(WidgetEvents::OnMouseUp& a_event) { ups.push_back(a_event.position); }
    void p_on_mouse_wheel(WidgetEvents::OnMouseWheel& a_event) { wheel.push_back(a_event.delta); }
    void p_on_keyboard_down(WidgetEvents::OnKeyboardDown& a_event)
    {
        // Held modifiers report themselves; the tests look at the keys they modify.
        if (a_event.key != KeyCode_SHIFT && a_event.key != KeyCode_CONTROL &&
            a_event.key != KeyCode_ALT)
            keys.push_back(a_event);
    }
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

std::string hex(unsigned long a_window)
{
    return std::to_string(a_window);
}

// An editor of 300 × 200 in the host's window, with a red swatch at (40, 30, 120, 80).
struct X11WindowFixture : ::testing::Test
{
    X11WindowFixture()
    {
        std::unique_ptr<X11Window> window = X11Window::create_child(host.get_window(), {300, 200});
        native = window.get();
        desktop = std::make_unique<Desktop>(KivTest::application(), std::move(window));
        (new Board(swatch, {40, 30, 120, 80}))->set_parent(desktop.get());
        id = hex(native->get_window_id());
    }

    void SetUp() override
    {
        ASSERT_TRUE(
            pump(*native, [this]
                 { return host.read_pixel(native->get_window_id(), 60, 50) == rgb(g_red); }));
    }

    Point editor_origin() const { return host.get_screen_position(native->get_window_id()); }

    X11Host host;
    std::unique_ptr<Desktop> desktop;
    X11Window* native = nullptr;
    Swatch* swatch = new Swatch(g_red);
    std::string id;
};

} // namespace

TEST_F(X11WindowFixture, ClickReachesTheWidgetAndTheWindowRepaints)
{
    EXPECT_EQ(host.read_pixel(native->get_window_id(), 5, 5), 0u);
    const int paints = swatch->paints;
    xdotool({"mousemove", "--window", id, "50", "45", "click", "1"});
    ASSERT_TRUE(pump(*native, [this] { return swatch->ups.size() == 1; }));
    ASSERT_EQ(swatch->downs.size(), 1u);
    EXPECT_EQ(swatch->downs[0].position, (Point{10, 15}));
    EXPECT_EQ(swatch->downs[0].button, MouseButton_LEFT);
    EXPECT_EQ(swatch->downs[0].click_count, 1u);
    EXPECT_EQ(swatch->ups[0], (Point{10, 15}));
    EXPECT_TRUE(
        pump(*native, [this]
             { return host.read_pixel(native->get_window_id(), 150, 100) == rgb(g_green); }));
    EXPECT_GT(swatch->paints, paints);
    EXPECT_EQ(host.read_pixel(native->get_window_id(), 5, 5), 0u);
}

TEST_F(X11WindowFixture, TheDesktopFollowsTheWindowsSizeWhoeverChangesIt)
{
    // Some hosts resize the editor's window themselves.
    XResizeWindow(host.get_display(), native->get_window_id(), 360, 240);
    XSync(host.get_display(), False);
    ASSERT_TRUE(pump(*native, [this] { return desktop->get_width() == 360; }));
    EXPECT_EQ(native->get_size(), (Size{360, 240}));
    EXPECT_EQ(desktop->get_height(), 240);

    native->set_size({280, 150});
    EXPECT_EQ(desktop->get_width(), 280);
    ASSERT_TRUE(pump(*native,
                     [this]
                     {
                         XWindowAttributes attributes{};
                         XGetWindowAttributes(host.get_display(), native->get_window_id(),
                                              &attributes);
                         return attributes.width == 280 && attributes.height == 150;
                     }));
    EXPECT_EQ(desktop->get_height(), 150);
}

TEST_F(X11WindowFixture, QuickPressesInOnePlaceCountAsDoubleClicksAndWheelNotchesAsSteps)
{
    xdotool({"mousemove", "--window", id,      "50",        "45",       "click", "--repeat", "2",
             "--delay",   "60",       "1",     "mousemove", "--window", id,      "150",      "100",
             "click",     "1",        "click", "4",         "click",    "5"});
    ASSERT_TRUE(pump(*native, [this] { return swatch->wheel.size() == 2; }));
    ASSERT_EQ(swatch->downs.size(), 3u);
    EXPECT_EQ(swatch->downs[0].click_count, 1u);
    EXPECT_EQ(swatch->downs[1].click_count, 2u);
    // Elsewhere, a press starts counting again.
    EXPECT_EQ(swatch->downs[2].click_count, 1u);
    EXPECT_EQ(swatch->wheel, (std::vector<int32_t>{1, -1}));
}

TEST_F(X11WindowFixture, ReleaseOutsideTheWindowReachesThePressedWidget)
{
    xdotool({"mousemove", "--window", id, "50", "45", "mousedown", "1", "mousemove", "1100", "700",
             "mouseup", "1"});
    ASSERT_TRUE(pump(*native, [this] { return swatch->ups.size() == 1; }));
    const Point origin = editor_origin();
    EXPECT_EQ(swatch->ups[0], (Point{1100 - origin.x - 40, 700 - origin.y - 30}));
    EXPECT_EQ(desktop->get_capture(), nullptr);
}

TEST_F(X11WindowFixture, KeysArriveAsKeyCodesAndTextAsText)
{
    xdotool({"mousemove", "--window", id, "50", "45", "click", "1"});
    ASSERT_TRUE(pump(*native, [this] { return desktop->get_focus() == swatch; }));
    xdotool({"key", "Left", "Return", "KP_Enter", "F12", "ctrl+a", "KP_Add"});
    xdotool({"type", "zZ9 "});
    ASSERT_TRUE(pump(*native, [this] { return swatch->text.size() == 5; }));
    std::vector<uint32_t> codes;
    for (const WidgetEvents::OnKeyboardDown& key : swatch->keys)
        codes.push_back(key.key);
    EXPECT_EQ(codes, (std::vector<uint32_t>{KeyCode_LEFT, KeyCode_RETURN, KeyCode_RETURN,
                                            KeyCode_F1 + 11, KeyCode_A, KeyCode_ADD, KeyCode_A + 25,
                                            KeyCode_A + 25, KeyCode_0 + 9, KeyCode_SPACE}));
    ASSERT_EQ(swatch->keys.size(), 10u);
    EXPECT_EQ(swatch->keys[4].modifiers, uint32_t(KeyModifier_CONTROL));
    EXPECT_EQ(swatch->keys[6].modifiers, 0u);
    EXPECT_EQ(swatch->keys[7].modifiers, uint32_t(KeyModifier_SHIFT));
    // Control-A is a command; the keypad's plus types a character.
    EXPECT_EQ(swatch->text, u"+zZ9 ");
    EXPECT_NE(std::find(swatch->released_keys.begin(), swatch->released_keys.end(), KeyCode_LEFT),
              swatch->released_keys.end());
}

TEST_F(X11WindowFixture, LettersBeyondLatinArriveAsUnicodeText)
{
    // A spare key gets a Cyrillic letter, as a second keyboard layout would give it; the window
    // has looked keys up before, so it must take the new mapping.
    xdotool({"mousemove", "--window", id, "50", "45", "click", "1", "key", "x"});
    ASSERT_TRUE(pump(*native, [this] { return swatch->text == u"x"; }));
    int first = 0;
    int last = 0;
    XDisplayKeycodes(host.get_display(), &first, &last);
    int spare = 0;
    for (int code = last; code >= first && spare == 0; --code)
    {
        if (XkbKeycodeToKeysym(host.get_display(), ::KeyCode(code), 0, 0) == NoSymbol)
            spare = code;
    }
    ASSERT_NE(spare, 0);
    KeySym letter = XK_Cyrillic_zhe;
    XChangeKeyboardMapping(host.get_display(), spare, 1, &letter, 1);
    XSync(host.get_display(), False);
    xdotool({"key", "Cyrillic_zhe"});
    const bool arrived = pump(*native, [this] { return swatch->text.size() == 2; });
    KeySym nothing = NoSymbol;
    XChangeKeyboardMapping(host.get_display(), spare, 1, &nothing, 1);
    XSync(host.get_display(), False);
    ASSERT_TRUE(arrived);
    EXPECT_EQ(swatch->text, u"xж");
}

TEST_F(X11WindowFixture, PopupOpensWhereAskedAndAPressElsewhereOnTheScreenClosesIt)
{
    auto* item = new Swatch(g_blue);
    Desktop& popup = desktop->open_popup(item, {60, 150, 100, 120});
    auto& popup_window = static_cast<X11Window&>(popup.get_native_window());
    const ::Window popup_id = popup_window.get_window_id();
    ASSERT_TRUE(popup_window.is_popup());
    ASSERT_TRUE(pump(*native, [&] { return host.read_pixel(popup_id, 10, 10) == rgb(g_blue); }));
    const Point origin = editor_origin();
    // It reaches past the editor's bottom edge, as menus may.
    EXPECT_EQ(host.get_screen_position(popup_id), (Point{origin.x + 60, origin.y + 150}));

    xdotool({"mousemove", "--window", hex(popup_id), "30", "80", "click", "1"});
    ASSERT_TRUE(pump(*native, [&] { return item->ups.size() == 1; }));
    EXPECT_EQ(item->downs[0].position, (Point{30, 80}));
    EXPECT_EQ(desktop->get_popups().size(), 1u);

    xdotool({"mousemove", "1200", "780", "click", "1"});
    ASSERT_TRUE(pump(*native, [&] { return desktop->get_popups().empty(); }));
    EXPECT_TRUE(pump(*native, [&] { return !host.exists(popup_id); }));
    EXPECT_TRUE(swatch->downs.empty());
    // The grab went with the popup: the editor takes clicks again.
    xdotool({"mousemove", "--window", id, "50", "45", "click", "1"});
    EXPECT_TRUE(pump(*native, [this] { return swatch->ups.size() == 1; }));
}

TEST(X11WindowLifetime, ClosingTheEditorWithAMenuOrADialogOpenLeavesNoWindowBehind)
{
    X11Host host;
    const size_t top_level_windows = host.list_top_level_windows().size();
    for (int round = 0; round < 100; ++round)
    {
        std::unique_ptr<X11Window> window = X11Window::create_child(host.get_window(), {320, 240});
        X11Window* native = window.get();
        auto desktop = std::make_unique<Desktop>(KivTest::application(), std::move(window));
        auto* combo = new ComboBox();
        auto items = std::make_unique<MenuItem>();
        items->add(u"First", 1);
        items->add_submenu(u"More").add(u"Second", 2);
        combo->set_items(std::move(items));
        combo->set_parent(desktop.get());
        desktop->update();
        // The host closes the editor over each kind of window the toolkit opens.
        switch (round % 3)
        {
        case 0:
            combo->open_menu();
            ASSERT_EQ(desktop->get_popups().size(), 1u);
            break;
        case 1:
            MessageDialog::show(*combo, u"Clear preset", u"Do you want to clear current preset?",
                                MessageDialogButtons_YES_NO);
            break;
        default:
        {
            FileDialogOptions options;
            options.caption = u"Load preset";
            options.filters = {{u"Presets (*.preset)", u"*.preset"}};
            FileDialog::show(*combo, options);
            // A menu open over the dialog as well.
            combo->open_menu();
            break;
        }
        }
        int frames = 0;
        ASSERT_TRUE(pump(*native, [&] { return ++frames > 3; }));
        desktop.reset();
    }
    EXPECT_EQ(host.list_top_level_windows().size(), top_level_windows);
    ::Window root = None;
    ::Window parent = None;
    ::Window* children = nullptr;
    unsigned int count = 0;
    XQueryTree(host.get_display(), host.get_window(), &root, &parent, &children, &count);
    if (children)
        XFree(children);
    EXPECT_EQ(count, 0u);
}

namespace
{

int g_host_errors = 0;

int count_host_error(Display*, XErrorEvent*)
{
    ++g_host_errors;
    return 0;
}

} // namespace

TEST(X11WindowErrors, AMissingParentThrowsAndTheHostKeepsItsErrorHandler)
{
    X11Host host;
    const ::Window gone =
        XCreateSimpleWindow(host.get_display(), host.get_window(), 0, 0, 10, 10, 0, 0, 0);
    XDestroyWindow(host.get_display(), gone);
    XSync(host.get_display(), False);
    g_host_errors = 0;
    const XErrorHandler previous = XSetErrorHandler(count_host_error);
    EXPECT_THROW(X11Window::create_child(gone, {100, 100}), Bex::Exception);
    EXPECT_EQ(XSetErrorHandler(previous), &count_host_error);
    EXPECT_EQ(g_host_errors, 0);
}

TEST(X11WindowErrors, AHostThatDestroysItsWindowFirstDoesNotEndTheProcess)
{
    X11Host host;
    g_host_errors = 0;
    const XErrorHandler previous = XSetErrorHandler(count_host_error);
    {
        std::unique_ptr<X11Window> window = X11Window::create_child(host.get_window(), {200, 100});
        X11Window* native = window.get();
        Desktop desktop(KivTest::application(), std::move(window));
        auto* item = new Swatch(g_blue);
        item->set_parent(&desktop);
        ASSERT_TRUE(pump(*native, [&] { return item->paints > 0; }));
        desktop.open_popup(new Swatch(g_red), {10, 10, 50, 50});
        host.destroy_window();
        // Asking for a window that is gone reports an error, which must not reach Xlib's
        // default handler: that one ends the process.
        desktop.open_popup(new Swatch(g_red), {20, 20, 50, 50});
        native->process_events();
        EXPECT_GT(native->get_error_count(), 0u);
    }
    EXPECT_EQ(XSetErrorHandler(previous), &count_host_error);
    EXPECT_EQ(g_host_errors, 0);
}
