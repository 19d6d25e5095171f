#include "Support/TestWidgets.h"

#include "kiv/Desktop/OffscreenDesktop.h"
#include "kiv/Styles/Parser/StyleSheetLoader.h"
#include "kiv/Styles/StyleRegistry.h"
#include "kiv/Styles/StyleSheet.h"
#include "kiv/Widget/KeyCode.h"
#include "kiv/Widget/Window.h"

#include <gtest/gtest.h>

using namespace Kiv;
using KivTest::Probe;

namespace
{

struct WindowsFixture : ::testing::Test
{
    WindowsFixture()
    {
        contents->log = &log;
        contents->set_horizontally_stretchable(true);
        contents->set_vertically_stretchable(true);
        contents->set_parent(&desktop);
        desktop.settle();
    }

    // A window whose single child asks for a fixed size.
    Window* make_window(const std::string& a_name, Probe*& a_probe)
    {
        auto* window = new Window();
        a_probe = new Probe(a_name, 60, 40);
        a_probe->log = &log;
        a_probe->set_focus_flags(WidgetFocusFlag_MOUSE);
        a_probe->set_parent(window);
        return window;
    }

    Application& application = KivTest::application();
    OffscreenDesktop desktop{application, {300, 200}};
    Probe* contents = new Probe("contents");
    std::string log;
};

struct Closer : Bex::Trackable
{
    Desktop* owner = nullptr;
    Desktop* popup = nullptr;
    void close() { owner->close_popup(popup); }
};

struct DestructionWatch : Bex::Trackable
{
    bool gone = false;
    void seen() { gone = true; }
};

} // namespace

TEST_F(WindowsFixture, AWindowIsCentredOnceAndKeepsItsPlaceWhenMoved)
{
    Probe* probe = nullptr;
    Window* window = make_window("window", probe);
    desktop.add_window(window);
    desktop.settle();
    EXPECT_EQ(window->get_rect(), (Rect{120, 80, 60, 40}));
    // The main contents still fill the desktop underneath.
    EXPECT_EQ(contents->get_rect(), (Rect{0, 0, 300, 200}));

    window->set_geometry(10, 20, 60, 40);
    desktop.resize({320, 220});
    EXPECT_EQ(window->get_rect(), (Rect{10, 20, 60, 40}));
    EXPECT_EQ(desktop.find_widget_at({15, 25}), probe);
}

TEST_F(WindowsFixture, AModalWindowTakesAllInputUntilItGoes)
{
    Probe* probe = nullptr;
    Window* window = make_window("dialog", probe);
    desktop.add_window(window, true);
    desktop.settle();
    EXPECT_EQ(desktop.get_modal_window(), window);

    log.clear();
    desktop.click({5, 5});
    desktop.wheel({5, 5}, 1);
    EXPECT_EQ(log.find("contents:down"), std::string::npos) << log;
    desktop.click({130, 90});
    EXPECT_NE(log.find("dialog:down"), std::string::npos) << log;

    window->destroy();
    desktop.settle();
    EXPECT_EQ(desktop.get_modal_window(), nullptr);
    log.clear();
    desktop.click({5, 5});
    EXPECT_NE(log.find("contents:down"), std::string::npos) << log;
}

TEST_F(WindowsFixture, APopupTakesKeysAndAPressOnTheOwnerClosesIt)
{
    auto* item = new Probe("item", 50, 20);
    item->log = &log;
    item->set_focus_flags(WidgetFocusFlag_MOUSE);
    Desktop& popup = desktop.open_popup(item, {250, 180, 80, 60});
    auto* offscreen = desktop.get_top_popup();
    ASSERT_EQ(offscreen, &popup);
    EXPECT_EQ(offscreen->get_window_backend().get_position(), (Point{250, 180}));
    EXPECT_EQ(offscreen->get_window_backend().get_size(), (Size{80, 60}));
    EXPECT_EQ(&popup.get_root_desktop(), &desktop);

    offscreen->click({10, 10});
    EXPECT_EQ(popup.get_focus(), item);
    log.clear();
    desktop.key_down(KeyCode_DOWN);
    EXPECT_EQ(log, "item:key" + std::to_string(KeyCode_DOWN) + " ");

    log.clear();
    desktop.click({5, 5});
    EXPECT_TRUE(desktop.get_popups().empty());
    // The press only closed the popup.
    EXPECT_EQ(log.find("contents:down"), std::string::npos) << log;
}

TEST_F(WindowsFixture, APopupClosedFromItsOwnEventIsDeletedAfterIt)
{
    auto* outer = new Probe("outer", 50, 20);
    Desktop& first = desktop.open_popup(outer, {0, 0, 50, 20});
    auto* inner = new Probe("inner", 50, 20);
    Desktop& second = desktop.open_popup(inner, {60, 0, 50, 20});
    (void)second;

    // Closing the first closes every popup opened after it, from inside the first's own event.
    Closer closer;
    closer.owner = &desktop;
    closer.popup = &first;
    outer->connect(outer->on_mouse_down(), &closer, &Closer::close);
    DestructionWatch watch;
    inner->connect(inner->on_destroying(), &watch, &DestructionWatch::seen);

    static_cast<OffscreenDesktop&>(first).click({5, 5});
    EXPECT_TRUE(desktop.get_popups().empty());
    desktop.settle();
    EXPECT_TRUE(watch.gone);
}

TEST_F(WindowsFixture, ClosingTheOwnerClosesItsPopups)
{
    auto owner = std::make_unique<OffscreenDesktop>(application, Size{100, 100});
    DestructionWatch watch;
    auto* item = new Probe("item", 10, 10);
    item->connect(item->on_destroying(), &watch, &DestructionWatch::seen);
    owner->open_popup(item, {0, 0, 10, 10});
    owner.reset();
    EXPECT_TRUE(watch.gone);
}

TEST(ApplicationScale, RescalesEveryLengthAndFontOfTheSheet)
{
    Application& application = KivTest::application();
    application.set_style_sheet(parse_style_sheet(
        u"class Widget; padding: 4px; font: font(\"DejaVu Sans\", 10pt); end class;",
        StyleRegistry::get_global()));
    OffscreenDesktop desktop{application, {100, 100}};
    auto* probe = new Probe("probe", 10, 10);
    probe->set_parent(&desktop);
    desktop.settle();
    EXPECT_EQ(probe->get_padding().left, 4);

    application.set_scale(2.0f);
    desktop.settle();
    EXPECT_EQ(probe->get_padding().left, 8);
    EXPECT_FLOAT_EQ(probe->get_font().size, 20.0f);

    // Back to 1 gives the sheet's own sizes, not a second doubling undone.
    application.set_scale(1.0f);
    desktop.settle();
    EXPECT_EQ(probe->get_padding().left, 4);
    application.set_style_sheet(nullptr);
}

TEST(StyleStates, HoverIsTrackedOnlyWhereAsked)
{
    OffscreenDesktop desktop{KivTest::application(), {100, 50}};
    auto* probe = new Probe("probe", 10, 10);
    probe->set_parent(&desktop);
    desktop.settle();
    desktop.move({5, 5});
    EXPECT_EQ(probe->get_style_states() & WidgetStyleState_HOVER, 0u);
    probe->set_tracking_hover(true);
    desktop.move({6, 6});
    desktop.leave();
    desktop.move({5, 5});
    EXPECT_NE(probe->get_style_states() & WidgetStyleState_HOVER, 0u);
    desktop.leave();
    EXPECT_EQ(probe->get_style_states() & WidgetStyleState_HOVER, 0u);
}
