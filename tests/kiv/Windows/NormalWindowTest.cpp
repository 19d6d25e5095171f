#include "Support/TestWidgets.h"

#include "kiv/Desktop/OffscreenDesktop.h"
#include "kiv/Widget/KeyCode.h"
#include "kiv/Windows/NormalWindow.h"
#include "kiv/Windows/NormalWindowCloseButton.h"
#include "kiv/Windows/NormalWindowTitleBar.h"

#include <gtest/gtest.h>

using namespace Kiv;
using KivTest::Probe;

namespace
{

struct CloseCounter : Bex::Trackable
{
    int count = 0;
    void closed() { ++count; }
};

struct NormalWindowFixture : ::testing::Test
{
    NormalWindowFixture()
    {
        window->set_contents(contents);
        window->connect(window->on_closed(), &counter, &CloseCounter::closed);
        desktop.add_window(window);
        desktop.settle();
    }

    Point title_point() const
    {
        const Point corner = window->get_title_bar().get_desktop_position();
        return {corner.x + 4, corner.y + 4};
    }

    Application& application = KivTest::application();
    OffscreenDesktop desktop{application, {400, 300}};
    NormalWindow* window = new NormalWindow(u"Settings");
    Probe* contents = new Probe("contents", 120, 80);
    CloseCounter counter;
};

} // namespace

TEST_F(NormalWindowFixture, TheTitleBarSitsOverTheContents)
{
    const Rect bar = window->get_title_bar().get_rect();
    EXPECT_GT(bar.height, 0);
    EXPECT_EQ(contents->get_y(), bar.y + bar.height);
    EXPECT_EQ(contents->get_width(), 120);
    EXPECT_EQ(contents->get_height(), 80);
    EXPECT_EQ(window->get_width(), bar.width);
}

TEST_F(NormalWindowFixture, DraggingTheTitleBarMovesTheWindowButKeepsItReachable)
{
    const Rect before = window->get_rect();
    const Point grip = title_point();
    desktop.press(grip);
    desktop.move({grip.x - 30, grip.y + 25});
    desktop.release({grip.x - 30, grip.y + 25});
    EXPECT_EQ(window->get_rect(), before.moved(-30, 25));

    // Far off to the left and above: a strip of the window and the whole bar stay on the desktop.
    desktop.press(title_point());
    desktop.move({-1000, -1000});
    desktop.release({-1000, -1000});
    EXPECT_GT(window->get_x() + window->get_width(), 0);
    EXPECT_EQ(window->get_y(), 0);
}

TEST_F(NormalWindowFixture, TheCloseButtonClosesOnceAndOnlyWhenReleasedOnIt)
{
    NormalWindowCloseButton& button = window->get_title_bar().get_close_button();
    const Point corner = button.get_desktop_position();
    const Point inside{corner.x + button.get_width() / 2, corner.y + button.get_height() / 2};
    desktop.press(inside);
    desktop.release({inside.x - 60, inside.y});
    EXPECT_EQ(counter.count, 0);
    ASSERT_EQ(window->get_parent(), &desktop);

    desktop.click(inside);
    EXPECT_EQ(counter.count, 1);
    EXPECT_TRUE(desktop.get_children().empty());
}

TEST_F(NormalWindowFixture, EscapeClosesTheWindowThatHasTheFocus)
{
    contents->set_focus_flags(WidgetFocusFlag_MOUSE);
    const Point corner = contents->get_desktop_position();
    desktop.click({corner.x + 5, corner.y + 5});
    desktop.key_down(KeyCode_ESCAPE);
    EXPECT_EQ(counter.count, 1);
    EXPECT_EQ(desktop.get_focus(), nullptr);
}
